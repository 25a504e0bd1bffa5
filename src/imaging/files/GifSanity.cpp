// SPDX-License-Identifier: GPL-3.0-or-later
#include "GifSanity.h"

#include "ByteReader.h"

#include <cstdint>

namespace quorvel::imaging {
namespace {

constexpr qsizetype kScreenDescriptorEnd = 13;
constexpr int kExtension = 0x21;
constexpr int kFrame = 0x2c;
// An LZW code of b bits (at most 12) stands for at most 2^b pixels, so one byte holds at most
// 8 / 12 * 4096 of them.
constexpr std::int64_t kLzwLargestPixelsPerByte = 2731;

qsizetype colourTableSize(int flags) {
    return (flags & 0x80) != 0 ? 3 * (qsizetype(2) << (flags & 7)) : 0;
}

// Steps over a chain of data sub-blocks starting at `at`; returns the total of their lengths,
// or -1 when the file ends inside the chain.
std::int64_t skipSubBlocks(const ByteReader& file, qsizetype& at) {
    std::int64_t total = 0;
    while (file.has(at, 1)) {
        const int length = file.u8(at++);
        if (length == 0) {
            return total;
        }
        if (!file.has(at, length)) {
            return -1;
        }
        at += length;
        total += length;
    }
    return -1;
}

}  // namespace

bool gifHoldsItsPicture(QByteArrayView bytes) {
    const ByteReader file(bytes);
    if (!file.has(0, kScreenDescriptorEnd)) {
        return false;
    }
    qsizetype at = kScreenDescriptorEnd + colourTableSize(file.u8(10));
    while (file.has(at, 1)) {
        const int block = file.u8(at);
        if (block == kExtension) {
            at += 2;
            if (skipSubBlocks(file, at) < 0) {
                return false;
            }
        } else if (block == kFrame) {
            if (!file.has(at, 10)) {
                return false;
            }
            const std::int64_t pixels = std::int64_t(file.le16(at + 5)) * file.le16(at + 7);
            at += 10 + colourTableSize(file.u8(at + 9)) + 1;  // then the LZW code size
            const std::int64_t data = skipSubBlocks(file, at);
            if (data < 0 || pixels > (data + 1) * kLzwLargestPixelsPerByte) {
                return false;
            }
        } else {
            // The trailer; anything else is for the decoder to judge.
            return true;
        }
    }
    return at == file.size();
}

}  // namespace quorvel::imaging
