// SPDX-License-Identifier: GPL-3.0-or-later
#include "TiffSanity.h"

#include "ByteReader.h"

#include <cstdint>
#include <optional>
#include <set>
#include <vector>

namespace quorvel::imaging {
namespace {

constexpr std::uint16_t kStripOffsets = 273;
constexpr std::uint16_t kStripByteCounts = 279;
constexpr std::uint16_t kTileOffsets = 324;
constexpr std::uint16_t kTileByteCounts = 325;
// Far beyond any real file's page count; a longer chain is left to the reader.
constexpr int kMostDirectories = 4096;

class TiffReader {
public:
    TiffReader(QByteArrayView bytes, bool bigEndian, bool big)
        : bytes_(bytes), bigEndian_(bigEndian), big_(big) {}

    bool big() const { return big_; }
    std::uint64_t size() const { return std::uint64_t(bytes_.size()); }
    bool has(std::uint64_t at, std::uint64_t count) const {
        return at <= size() && count <= size() - at;
    }
    std::uint64_t read(std::uint64_t at, int width) const {
        std::uint64_t value = 0;
        for (int i = 0; i < width; ++i) {
            const std::uint64_t byte = bytes_.u8(qsizetype(at) + (bigEndian_ ? i : width - 1 - i));
            value = value << 8 | byte;
        }
        return value;
    }
    int offsetSize() const { return big_ ? 8 : 4; }

private:
    ByteReader bytes_;
    bool bigEndian_;
    bool big_;
};

struct Entry {
    std::uint16_t type = 0;
    std::uint64_t count = 0;
    std::uint64_t valuesAt = 0;
};

int typeSize(std::uint16_t type) {
    switch (type) {
        case 3:  // SHORT
            return 2;
        case 4:   // LONG
        case 13:  // IFD
            return 4;
        case 16:  // LONG8
        case 18:  // IFD8
            return 8;
        default:
            return 0;
    }
}

// The entry's values, or none when they are not all in the file.
std::optional<std::vector<std::uint64_t>> valuesOf(const TiffReader& tiff, const Entry& entry) {
    const int width = typeSize(entry.type);
    if (width == 0 || entry.count > tiff.size() / std::uint64_t(width)) {
        return std::nullopt;
    }
    const std::uint64_t at = entry.count * std::uint64_t(width) <= std::uint64_t(tiff.offsetSize())
                                 ? entry.valuesAt
                                 : tiff.read(entry.valuesAt, tiff.offsetSize());
    if (!tiff.has(at, entry.count * std::uint64_t(width))) {
        return std::nullopt;
    }
    std::vector<std::uint64_t> values;
    values.reserve(entry.count);
    for (std::uint64_t i = 0; i < entry.count; ++i) {
        values.push_back(tiff.read(at + i * std::uint64_t(width), width));
    }
    return values;
}

bool piecesFit(const TiffReader& tiff, const std::optional<Entry>& offsets,
               const std::optional<Entry>& counts) {
    if (!offsets || !counts) {
        return true;
    }
    const auto starts = valuesOf(tiff, *offsets);
    const auto lengths = valuesOf(tiff, *counts);
    if (!starts || !lengths) {
        return true;
    }
    for (std::size_t i = 0; i < starts->size() && i < lengths->size(); ++i) {
        if (!tiff.has((*starts)[i], (*lengths)[i])) {
            return false;
        }
    }
    return true;
}

}  // namespace

bool tiffHoldsItsData(QByteArrayView bytes) {
    const ByteReader header(bytes);
    const bool bigEndian = header.u8(0) == 'M';
    const TiffReader probe(bytes, bigEndian, false);
    const auto version = std::uint16_t(probe.read(2, 2));
    if ((header.u8(0) != 'I' && header.u8(0) != 'M') || (version != 42 && version != 43)) {
        return true;
    }
    const TiffReader tiff(bytes, bigEndian, version == 43);
    const int countSize = tiff.big() ? 8 : 2;
    const int entrySize = tiff.big() ? 20 : 12;
    std::uint64_t directory = tiff.read(tiff.big() ? 8 : 4, tiff.offsetSize());
    std::set<std::uint64_t> seen;
    for (int n = 0; n < kMostDirectories && directory != 0 && seen.insert(directory).second; ++n) {
        if (!tiff.has(directory, std::uint64_t(countSize))) {
            return true;
        }
        const std::uint64_t entries = tiff.read(directory, countSize);
        const std::uint64_t first = directory + std::uint64_t(countSize);
        if (entries > tiff.size() / std::uint64_t(entrySize) ||
            !tiff.has(first, entries * std::uint64_t(entrySize) + std::uint64_t(tiff.offsetSize()))) {
            return true;
        }
        std::optional<Entry> stripOffsets, stripCounts, tileOffsets, tileCounts;
        for (std::uint64_t i = 0; i < entries; ++i) {
            const std::uint64_t at = first + i * std::uint64_t(entrySize);
            const auto tag = std::uint16_t(tiff.read(at, 2));
            const Entry entry{std::uint16_t(tiff.read(at + 2, 2)),
                              tiff.read(at + 4, tiff.big() ? 8 : 4), at + (tiff.big() ? 12 : 8)};
            switch (tag) {
                case kStripOffsets:
                    stripOffsets = entry;
                    break;
                case kStripByteCounts:
                    stripCounts = entry;
                    break;
                case kTileOffsets:
                    tileOffsets = entry;
                    break;
                case kTileByteCounts:
                    tileCounts = entry;
                    break;
                default:
                    break;
            }
        }
        if (!piecesFit(tiff, stripOffsets, stripCounts) ||
            !piecesFit(tiff, tileOffsets, tileCounts)) {
            return false;
        }
        directory = tiff.read(first + entries * std::uint64_t(entrySize), tiff.offsetSize());
    }
    return true;
}

}  // namespace quorvel::imaging
