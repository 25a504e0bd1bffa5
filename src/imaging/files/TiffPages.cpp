// SPDX-License-Identifier: GPL-3.0-or-later
#include "TiffPages.h"

#include "ErrorCodes.h"
#include "ImagingError.h"

#include <QtEndian>

#include <cstdint>
#include <limits>
#include <set>

namespace quorvel::imaging {
namespace {

[[noreturn]] void fail(int code) {
    throw ImagingError(code, kImageControlSource);
}

// Tags whose values are positions in the file, and tags whose values are further directories.
bool holdsDataOffsets(quint16 tag) {
    return tag == 273 || tag == 324 || tag == 513;  // strips, tiles, JPEG interchange
}
bool holdsDirectories(quint16 tag, quint16 type) {
    return tag == 330 || tag == 34665 || tag == 34853 || tag == 40965 || type == 13 || type == 18;
}

std::uint64_t typeSize(quint16 type) {
    switch (type) {
        case 1:  // BYTE
        case 2:  // ASCII
        case 6:  // SBYTE
        case 7:  // UNDEFINED
            return 1;
        case 3:  // SHORT
        case 8:  // SSHORT
            return 2;
        case 4:   // LONG
        case 9:   // SLONG
        case 11:  // FLOAT
        case 13:  // IFD
            return 4;
        case 5:   // RATIONAL
        case 10:  // SRATIONAL
        case 12:  // DOUBLE
        case 16:  // LONG8
        case 17:  // SLONG8
        case 18:  // IFD8
            return 8;
        default:
            // Whether its value is an offset cannot be told, so it cannot be moved.
            fail(errc::InvalidFileFormat);
    }
}

// Bounds-checked little-endian access to a classic TIFF or a BigTIFF.
class Tiff {
public:
    Tiff(QByteArray& bytes, bool big) : bytes_(bytes), big_(big) {}

    std::uint64_t firstDirectory() const { return big_ ? read(8, 8) : read(4, 4); }
    std::uint64_t entryCount(std::uint64_t directory) const {
        return big_ ? read(directory, 8) : read(directory, 2);
    }
    std::uint64_t entryAt(std::uint64_t directory, std::uint64_t i) const {
        return big_ ? directory + 8 + 20 * i : directory + 2 + 12 * i;
    }
    std::uint64_t nextPointerAt(std::uint64_t directory) const {
        return entryAt(directory, entryCount(directory));
    }
    std::uint64_t offsetSize() const { return big_ ? 8 : 4; }
    std::uint64_t countAt(std::uint64_t entry) const {
        return big_ ? read(entry + 4, 8) : read(entry + 4, 4);
    }
    std::uint64_t valueFieldAt(std::uint64_t entry) const { return entry + (big_ ? 12 : 8); }

    std::uint64_t read(std::uint64_t at, std::uint64_t size) const {
        require(at, size);
        const auto* p = reinterpret_cast<const uchar*>(bytes_.constData()) + at;
        switch (size) {
            case 2:
                return qFromLittleEndian<quint16>(p);
            case 4:
                return qFromLittleEndian<quint32>(p);
            default:
                return qFromLittleEndian<quint64>(p);
        }
    }
    void write(std::uint64_t at, std::uint64_t size, std::uint64_t value) {
        require(at, size);
        auto* p = reinterpret_cast<uchar*>(bytes_.data()) + at;
        if (size == 2) {
            qToLittleEndian<quint16>(quint16(value), p);
        } else if (size == 4) {
            qToLittleEndian<quint32>(quint32(value), p);
        } else {
            qToLittleEndian<quint64>(value, p);
        }
    }

private:
    void require(std::uint64_t at, std::uint64_t size) const {
        if (at > std::uint64_t(bytes_.size()) || size > std::uint64_t(bytes_.size()) - at) {
            fail(errc::InvalidFileFormat);
        }
    }
    QByteArray& bytes_;
    bool big_;
};

// Moves every offset in the directory at `directory` (and the directories it leads to) by
// `shift`, checking that each moved offset still fits its field.
class Mover {
public:
    Mover(Tiff& tiff, std::uint64_t shift) : tiff_(tiff), shift_(shift) {}

    void moveDirectory(std::uint64_t directory) {
        if (!visited_.insert(directory).second) {
            fail(errc::InvalidFileFormat);  // a loop
        }
        const std::uint64_t entries = tiff_.entryCount(directory);
        for (std::uint64_t i = 0; i < entries; ++i) {
            moveEntry(tiff_.entryAt(directory, i));
        }
        const std::uint64_t nextAt = tiff_.nextPointerAt(directory);
        moveOffset(nextAt, tiff_.offsetSize(), true);
    }

private:
    void moveEntry(std::uint64_t entry) {
        const auto tag = quint16(tiff_.read(entry, 2));
        const auto type = quint16(tiff_.read(entry + 2, 2));
        const std::uint64_t count = tiff_.countAt(entry);
        const std::uint64_t size = typeSize(type);
        if (count > std::numeric_limits<std::uint64_t>::max() / size) {
            fail(errc::InvalidFileFormat);
        }
        std::uint64_t valuesAt = tiff_.valueFieldAt(entry);
        if (count * size > tiff_.offsetSize()) {
            valuesAt = tiff_.read(valuesAt, tiff_.offsetSize());
            moveOffset(tiff_.valueFieldAt(entry), tiff_.offsetSize(), false);
        }
        const bool directories = holdsDirectories(tag, type);
        if (!directories && !holdsDataOffsets(tag)) {
            return;
        }
        for (std::uint64_t i = 0; i < count; ++i) {
            moveOffset(valuesAt + i * size, size, directories);
        }
    }

    void moveOffset(std::uint64_t at, std::uint64_t size, bool directory) {
        const std::uint64_t value = tiff_.read(at, size);
        if (directory && value == 0) {
            return;  // the end of a chain
        }
        if (directory) {
            moveDirectory(value);
        }
        const std::uint64_t limit = size == 8 ? std::numeric_limits<std::uint64_t>::max()
                                              : (std::uint64_t(1) << (8 * size)) - 1;
        if (value > limit - shift_) {
            fail(errc::FormatNotAvailable);
        }
        tiff_.write(at, size, value + shift_);
    }

    Tiff& tiff_;
    std::uint64_t shift_;
    std::set<std::uint64_t> visited_;
};

}  // namespace

bool isBigTiff(const QByteArray& file) {
    if (file.startsWith("MM")) {
        if (file.size() >= 4 && (file[3] == 42 || file[3] == 43) && file[2] == 0) {
            fail(errc::FormatNotAvailable);
        }
        fail(errc::InvalidFileFormat);
    }
    if (file.size() < 8 || !file.startsWith("II") || file[3] != 0) {
        fail(errc::InvalidFileFormat);
    }
    if (file[2] == 42) {
        return false;
    }
    // A BigTIFF header also gives the offset size (8) and a reserved 0.
    if (file[2] == 43 && file.size() >= 16 && file[4] == 8 && file[5] == 0) {
        return true;
    }
    fail(errc::InvalidFileFormat);
}

QByteArray withAppendedPage(const QByteArray& file, const QByteArray& page) {
    const bool big = isBigTiff(file);
    if (isBigTiff(page) != big) {
        fail(errc::InvalidFileFormat);
    }
    QByteArray result = file;
    Tiff existing(result, big);
    std::uint64_t directory = existing.firstDirectory();
    std::set<std::uint64_t> seen;
    std::uint64_t lastNextAt = 0;
    while (directory != 0) {
        if (!seen.insert(directory).second) {
            fail(errc::InvalidFileFormat);
        }
        lastNextAt = existing.nextPointerAt(directory);
        directory = existing.read(lastNextAt, existing.offsetSize());
    }
    if (lastNextAt == 0) {
        fail(errc::InvalidFileFormat);  // not a single directory
    }

    // Directories start on a word boundary; eight bytes suit both kinds.
    const auto base = std::uint64_t((result.size() + 7) / 8 * 8);
    QByteArray moved = page;
    Tiff added(moved, big);
    const std::uint64_t pageDirectory = added.firstDirectory();
    Mover(added, base).moveDirectory(pageDirectory);
    if (!big && base + std::uint64_t(moved.size()) > std::numeric_limits<quint32>::max()) {
        fail(errc::FormatNotAvailable);
    }
    result.resize(qsizetype(base), '\0');
    result.append(moved);
    existing.write(lastNextAt, existing.offsetSize(), base + pageDirectory);
    return result;
}

}  // namespace quorvel::imaging
