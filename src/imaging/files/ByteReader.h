// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QByteArrayView>

#include <cstdint>

namespace quorvel::imaging {

// Bounds-checked reads of big- and little-endian numbers from a file's bytes: a read past the
// end gives nothing rather than touching memory the file does not have.
class ByteReader {
public:
    explicit ByteReader(QByteArrayView bytes) : bytes_(bytes) {}

    qsizetype size() const { return bytes_.size(); }
    bool has(qsizetype at, qsizetype count) const {
        return at >= 0 && count >= 0 && at <= bytes_.size() && count <= bytes_.size() - at;
    }
    std::uint8_t u8(qsizetype at) const { return has(at, 1) ? std::uint8_t(bytes_[at]) : 0; }
    std::uint16_t be16(qsizetype at) const { return std::uint16_t(u8(at) << 8 | u8(at + 1)); }
    std::uint32_t be32(qsizetype at) const { return std::uint32_t(be16(at)) << 16 | be16(at + 2); }
    std::uint16_t le16(qsizetype at) const { return std::uint16_t(u8(at + 1) << 8 | u8(at)); }
    QByteArrayView view(qsizetype at, qsizetype count) const {
        return has(at, count) ? bytes_.sliced(at, count) : QByteArrayView();
    }

private:
    QByteArrayView bytes_;
};

}  // namespace quorvel::imaging
