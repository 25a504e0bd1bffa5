// SPDX-License-Identifier: GPL-3.0-or-later
#include "PngSanity.h"

#include "ByteReader.h"

#include <cstdint>
#include <optional>

namespace quorvel::imaging {
namespace {

constexpr qsizetype kSignatureSize = 8;
constexpr std::uint32_t kLargestChunk = 0x7fffffff;
// Deflate codes a 258-byte copy in two bits at best.
constexpr std::int64_t kDeflateLargestRatio = 1032;

struct Header {
    std::int64_t width = 0;
    std::int64_t height = 0;
    int bitsPerPixel = 0;
    bool interlaced = false;
};

int channelsOf(int colourType) {
    switch (colourType) {
        case 0:
        case 3:
            return 1;
        case 2:
            return 3;
        case 4:
            return 2;
        case 6:
            return 4;
        default:
            return 0;
    }
}

std::int64_t filteredRows(std::int64_t width, std::int64_t height, int bitsPerPixel) {
    if (width <= 0 || height <= 0) {
        return 0;
    }
    return height * (1 + (width * bitsPerPixel + 7) / 8);  // each row starts with its filter
}

// The bytes the image data inflates to.
std::int64_t inflatedSize(const Header& header) {
    if (!header.interlaced) {
        return filteredRows(header.width, header.height, header.bitsPerPixel);
    }
    struct Pass {
        int x, y, dx, dy;
    };
    constexpr Pass kPasses[] = {{0, 0, 8, 8}, {4, 0, 8, 8}, {0, 4, 4, 8}, {2, 0, 4, 4},
                                {0, 2, 2, 4}, {1, 0, 2, 2}, {0, 1, 1, 2}};
    std::int64_t total = 0;
    for (const Pass& p : kPasses) {
        total += filteredRows((header.width - p.x + p.dx - 1) / p.dx,
                              (header.height - p.y + p.dy - 1) / p.dy, header.bitsPerPixel);
    }
    return total;
}

// Walks the chunks, up to the first image data when `headerOnly`; false when one runs past the
// end of the file.
bool walkChunks(const ByteReader& file, bool headerOnly, std::optional<Header>& header,
                std::int64_t& imageData) {
    qsizetype at = kSignatureSize;
    while (file.has(at, 1)) {
        const std::uint32_t length = file.be32(at);
        const QByteArrayView type = file.view(at + 4, 4);
        if (headerOnly && type == "IDAT") {
            return true;
        }
        if (!file.has(at, 12) || length > kLargestChunk || !file.has(at + 12, length)) {
            return false;
        }
        if (type == "IHDR" && !header && length >= 13) {
            const int depth = file.u8(at + 16);
            header = Header{file.be32(at + 8), file.be32(at + 12),
                            depth * channelsOf(file.u8(at + 17)), file.u8(at + 20) == 1};
        } else if (type == "IDAT") {
            imageData += length;
        } else if (type == "IEND") {
            return true;
        }
        at += 12 + qsizetype(length);
    }
    return true;
}

}  // namespace

bool pngHeaderFits(QByteArrayView bytes) {
    std::optional<Header> header;
    std::int64_t imageData = 0;
    return walkChunks(ByteReader(bytes), true, header, imageData);
}

bool pngHoldsItsPicture(QByteArrayView bytes) {
    std::optional<Header> header;
    std::int64_t imageData = 0;
    return walkChunks(ByteReader(bytes), false, header, imageData) &&
           (!header || inflatedSize(*header) <= (imageData + 1) * kDeflateLargestRatio);
}

}  // namespace quorvel::imaging
