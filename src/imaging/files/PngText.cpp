// SPDX-License-Identifier: GPL-3.0-or-later
#include "PngText.h"

#include "IptcBlocks.h"

#include <QtEndian>

#include <zlib.h>

namespace quorvel::imaging {
namespace {

constexpr qsizetype kSignatureSize = 8;

// Length, type, data and the CRC of type and data.
QByteArray chunk(const QByteArray& type, const QByteArray& data) {
    uchar length[4];
    qToBigEndian<quint32>(quint32(data.size()), length);
    const QByteArray body = type + data;
    uchar crc[4];
    qToBigEndian<quint32>(
        quint32(crc32(0, reinterpret_cast<const Bytef*>(body.constData()), uInt(body.size()))),
        crc);
    return QByteArray(reinterpret_cast<const char*>(length), 4) + body +
           QByteArray(reinterpret_cast<const char*>(crc), 4);
}

// Where the first IDAT chunk starts; -1 when there is none.
qsizetype firstPixelChunk(const QByteArray& png) {
    qsizetype at = kSignatureSize;
    while (at + 8 <= png.size()) {
        const qsizetype length =
            qFromBigEndian<quint32>(reinterpret_cast<const uchar*>(png.constData()) + at);
        if (png.mid(at + 4, 4) == "IDAT") {
            return at;
        }
        if (length > png.size() - at - 12) {
            return -1;
        }
        at += length + 12;
    }
    return -1;
}

}  // namespace

QByteArray withIptcText(const QByteArray& png, const QByteArray& iptc) {
    const qsizetype pixels = iptc.isEmpty() ? -1 : firstPixelChunk(png);
    if (pixels < 0) {
        return png;
    }
    const QByteArray text =
        chunk("tEXt", QByteArrayLiteral("Raw profile type iptc\0") + pngIptcProfileText(iptc));
    return png.left(pixels) + text + png.mid(pixels);
}

}  // namespace quorvel::imaging
