// SPDX-License-Identifier: GPL-3.0-or-later
#include "JpegSanity.h"

#include "ByteReader.h"

#include <algorithm>
#include <cstdint>
#include <cstring>
#include <optional>
#include <vector>

namespace quorvel::imaging {
namespace {

constexpr int kEndOfImage = 0xd9;
constexpr int kStartOfScan = 0xda;

struct Component {
    int id = 0;
    int horizontal = 1;
    int vertical = 1;
};

struct Frame {
    std::int64_t width = 0;
    std::int64_t height = 0;
    // Only Huffman-coded DCT frames have a floor of one bit per block; arithmetic coding can
    // spend less, and lossless frames have no blocks.
    bool huffmanDct = false;
    int maxHorizontal = 1;
    int maxVertical = 1;
    std::vector<Component> components;
};

bool isFrameMarker(int marker) {
    return marker >= 0xc0 && marker <= 0xcf && marker != 0xc4 && marker != 0xc8 && marker != 0xcc;
}

bool isStandalone(int marker) {
    return marker == 0x01 || (marker >= 0xd0 && marker <= 0xd7);
}

std::int64_t ceilDiv(std::int64_t a, std::int64_t b) {
    return (a + b - 1) / b;
}

std::optional<Frame> readFrame(int marker, const ByteReader& segment) {
    Frame frame;
    frame.huffmanDct = marker <= 0xc2;
    frame.height = segment.be16(1);
    frame.width = segment.be16(3);
    const int count = segment.u8(5);
    if (!segment.has(6, 3 * qsizetype(count))) {
        return std::nullopt;
    }
    for (int i = 0; i < count; ++i) {
        const int sampling = segment.u8(6 + 3 * i + 1);
        Component component{segment.u8(6 + 3 * i), sampling >> 4, sampling & 15};
        if (component.horizontal < 1 || component.vertical < 1) {
            return std::nullopt;
        }
        frame.maxHorizontal = std::max(frame.maxHorizontal, component.horizontal);
        frame.maxVertical = std::max(frame.maxVertical, component.vertical);
        frame.components.push_back(component);
    }
    return frame;
}

// The number of 8 x 8 blocks one scan codes, 0 when it cannot be told.
std::int64_t blocksInScan(const Frame& frame, const std::vector<const Component*>& components) {
    if (frame.width == 0 || frame.height == 0 || components.empty()) {
        return 0;  // the height comes later, from a DNL marker
    }
    if (components.size() == 1) {
        const Component& c = *components.front();
        const std::int64_t width = ceilDiv(frame.width * c.horizontal, frame.maxHorizontal);
        const std::int64_t height = ceilDiv(frame.height * c.vertical, frame.maxVertical);
        return ceilDiv(width, 8) * ceilDiv(height, 8);
    }
    const std::int64_t units = ceilDiv(frame.width, 8 * std::int64_t(frame.maxHorizontal)) *
                               ceilDiv(frame.height, 8 * std::int64_t(frame.maxVertical));
    std::int64_t blocksPerUnit = 0;
    for (const Component* c : components) {
        blocksPerUnit += c->horizontal * c->vertical;
    }
    return units * blocksPerUnit;
}

// Where the marker that ends the entropy-coded data starting at `at` begins, -1 when the file
// ends first. Stuffed zero bytes and restart markers belong to the data.
qsizetype endOfScanData(QByteArrayView bytes, qsizetype at) {
    const char* data = bytes.data();
    while (at < bytes.size()) {
        const void* found = std::memchr(data + at, 0xff, std::size_t(bytes.size() - at));
        if (found == nullptr) {
            return -1;
        }
        const qsizetype marker = static_cast<const char*>(found) - data;
        qsizetype next = marker + 1;
        while (next < bytes.size() && std::uint8_t(data[next]) == 0xff) {
            ++next;
        }
        if (next == bytes.size()) {
            return -1;
        }
        const int code = std::uint8_t(data[next]);
        if (code != 0 && !(code >= 0xd0 && code <= 0xd7)) {
            return marker;
        }
        at = next + 1;
    }
    return -1;
}

}  // namespace

bool jpegHoldsItsPicture(QByteArrayView bytes) {
    const ByteReader file(bytes);
    if (file.be16(0) != 0xffd8) {
        return false;
    }
    std::optional<Frame> frame;
    qsizetype at = 2;
    while (true) {
        // Decoders skip stray bytes between segments, so this does too.
        while (file.has(at, 1) && file.u8(at) != 0xff) {
            ++at;
        }
        while (file.has(at, 1) && file.u8(at) == 0xff) {
            ++at;
        }
        if (!file.has(at, 1)) {
            return false;  // ended before its end-of-image marker
        }
        const int marker = file.u8(at++);
        if (marker == kEndOfImage) {
            return true;
        }
        if (marker == 0 || isStandalone(marker)) {
            continue;
        }
        const qsizetype length = file.be16(at);
        if (length < 2 || !file.has(at, length)) {
            return false;
        }
        const ByteReader segment(file.view(at + 2, length - 2));
        at += length;
        if (isFrameMarker(marker) && !frame) {
            frame = readFrame(marker, segment);
            if (!frame) {
                return true;  // malformed: the decoder refuses it before allocating anything
            }
        }
        if (marker != kStartOfScan) {
            continue;
        }
        const qsizetype end = endOfScanData(bytes, at);
        if (end < 0) {
            return false;
        }
        const int count = segment.u8(0);
        const int spectralStart = segment.u8(1 + 2 * count);
        const int approximationHigh = segment.u8(3 + 2 * count) >> 4;
        // Scans of DC values (progressive) or of everything (sequential) spend at least one
        // Huffman code, one bit, on each block.
        if (frame && frame->huffmanDct && spectralStart == 0 && approximationHigh == 0) {
            std::vector<const Component*> components;
            for (int i = 0; i < count; ++i) {
                for (const Component& c : frame->components) {
                    if (c.id == segment.u8(1 + 2 * i)) {
                        components.push_back(&c);
                    }
                }
            }
            if ((end - at) * 8 < blocksInScan(*frame, components)) {
                return false;
            }
        }
        at = end;
    }
}

}  // namespace quorvel::imaging
