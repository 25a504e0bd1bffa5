// SPDX-License-Identifier: GPL-3.0-or-later
#include "WmfWriter.h"

#include <QtEndian>

#include <algorithm>
#include <cstddef>
#include <limits>

namespace quorvel::imaging {
namespace {

constexpr int kMaxSide = std::numeric_limits<std::int16_t>::max();
constexpr quint32 kPlaceableKey = 0x9AC6CDD7;
constexpr quint16 kUnitsPerInch = 72;
constexpr quint16 kSetWindowOrg = 0x020B;
constexpr quint16 kSetWindowExt = 0x020C;
constexpr quint16 kStretchDib = 0x0F43;
constexpr quint16 kEndOfFile = 0x0000;
constexpr quint32 kSourceCopy = 0x00CC0020;
constexpr std::size_t kBitmapInfoHeaderSize = 40;

// Little-endian writer; the metafile and the bitmap inside it are little-endian throughout.
class Bytes {
public:
    void u16(quint16 v) { put(v); }
    void i16(int v) { put(quint16(std::int16_t(v))); }
    void u32(quint32 v) { put(v); }
    void i32(std::int32_t v) { put(quint32(v)); }
    QByteArray& data() { return data_; }

private:
    template <typename T>
    void put(T v) {
        const T le = qToLittleEndian(v);
        data_.append(reinterpret_cast<const char*>(&le), sizeof le);
    }
    QByteArray data_;
};

// A record: its size in 16-bit words (its own six header bytes included), function and parameters.
QByteArray record(quint16 function, const QByteArray& parameters) {
    Bytes r;
    r.u32(quint32((6 + parameters.size()) / 2));
    r.u16(function);
    r.data().append(parameters);
    return r.data();
}

QByteArray bottomUpDib(int width, int height, const std::uint8_t* rgb) {
    const std::size_t rowBytes = (std::size_t(width) * 3 + 3) / 4 * 4;
    Bytes dib;
    dib.u32(kBitmapInfoHeaderSize);
    dib.i32(width);
    dib.i32(height);  // positive: rows are stored bottom row first
    dib.u16(1);       // planes
    dib.u16(24);      // bits per pixel
    dib.u32(0);       // BI_RGB, uncompressed
    dib.u32(quint32(rowBytes * std::size_t(height)));
    dib.i32(0);
    dib.i32(0);
    dib.u32(0);
    dib.u32(0);
    QByteArray& bytes = dib.data();
    const qsizetype pixelsAt = bytes.size();
    bytes.resize(pixelsAt + qsizetype(rowBytes * std::size_t(height)), '\0');
    for (int y = 0; y < height; ++y) {
        const std::uint8_t* in = rgb + std::size_t(y) * std::size_t(width) * 3;
        char* out = bytes.data() + pixelsAt + rowBytes * std::size_t(height - 1 - y);
        for (int x = 0; x < width; ++x, in += 3, out += 3) {
            out[0] = char(in[2]);
            out[1] = char(in[1]);
            out[2] = char(in[0]);
        }
    }
    return bytes;
}

}  // namespace

QByteArray windowsMetafile(int width, int height, const std::uint8_t* rgb) {
    if (width < 1 || height < 1 || width > kMaxSide || height > kMaxSide) {
        return {};
    }
    Bytes origin;
    origin.i16(0);
    origin.i16(0);
    Bytes extent;  // y before x, as in every WMF coordinate pair
    extent.i16(height);
    extent.i16(width);
    Bytes stretch;
    stretch.u32(kSourceCopy);
    stretch.u16(0);  // DIB_RGB_COLORS
    for (int value : {height, width, 0, 0, height, width, 0, 0}) {
        stretch.i16(value);  // source height, width, y, x; destination height, width, y, x
    }
    stretch.data().append(bottomUpDib(width, height, rgb));

    const QByteArray records[] = {record(kSetWindowOrg, origin.data()),
                                  record(kSetWindowExt, extent.data()),
                                  record(kStretchDib, stretch.data()), record(kEndOfFile, {})};
    QByteArray body;
    qsizetype largest = 0;
    for (const QByteArray& r : records) {
        body.append(r);
        largest = std::max(largest, r.size());
    }
    constexpr qsizetype kHeaderSize = 18;

    Bytes file;
    file.u32(kPlaceableKey);
    file.u16(0);  // handle, always 0 in a file
    file.i16(0);
    file.i16(0);
    file.i16(width);
    file.i16(height);
    file.u16(kUnitsPerInch);
    file.u32(0);
    quint16 checksum = 0;
    for (qsizetype i = 0; i < file.data().size(); i += 2) {
        checksum ^= qFromLittleEndian<quint16>(file.data().constData() + i);
    }
    file.u16(checksum);

    file.u16(1);       // a metafile on disk
    file.u16(9);       // header size in words
    file.u16(0x0300);  // version 3.0, which knows device-independent bitmaps
    file.u32(quint32((kHeaderSize + body.size()) / 2));
    file.u16(0);  // no objects
    file.u32(quint32(largest / 2));
    file.u16(0);
    file.data().append(body);
    return file.data();
}

}  // namespace quorvel::imaging
