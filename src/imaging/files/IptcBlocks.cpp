// SPDX-License-Identifier: GPL-3.0-or-later
#include "IptcBlocks.h"

#include <QtEndian>

namespace quorvel::imaging {
namespace {

constexpr char kRecordMarker = 0x1C;
constexpr quint16 kIptcResource = 0x0404;
const QByteArray kPhotoshopSignature = QByteArrayLiteral("Photoshop 3.0\0");
const QByteArray kResourceSignature = QByteArrayLiteral("8BIM");

// Resources: "8BIM", a 2-byte id, a Pascal name padded to even length, a 4-byte size and the data
// padded to even length, all big-endian.
QByteArray resourceData(const QByteArray& resources, quint16 wanted) {
    qsizetype at = 0;
    while (at + 12 <= resources.size() && resources.mid(at, 4) == kResourceSignature) {
        const auto* bytes = reinterpret_cast<const uchar*>(resources.constData());
        const quint16 id = qFromBigEndian<quint16>(bytes + at + 4);
        const qsizetype nameLength = bytes[at + 6];
        const qsizetype sizeAt = at + 6 + ((nameLength + 2) & ~qsizetype(1));
        if (sizeAt + 4 > resources.size()) {
            break;
        }
        const qsizetype size = qFromBigEndian<quint32>(bytes + sizeAt);
        const qsizetype dataAt = sizeAt + 4;
        if (size > resources.size() - dataAt) {
            break;
        }
        if (id == wanted) {
            return resources.mid(dataAt, size);
        }
        at = dataAt + ((size + 1) & ~qsizetype(1));
    }
    return {};
}

}  // namespace

QByteArray iptcRecordsFrom(const QByteArray& block) {
    if (block.startsWith(kRecordMarker)) {
        return block;
    }
    const QByteArray resources =
        block.startsWith(kPhotoshopSignature) ? block.mid(kPhotoshopSignature.size()) : block;
    const QByteArray records = resourceData(resources, kIptcResource);
    return records.startsWith(kRecordMarker) ? records : QByteArray();
}

QByteArray photoshopIptcSegment(const QByteArray& records) {
    QByteArray segment = kPhotoshopSignature + kResourceSignature;
    uchar header[8] = {};
    qToBigEndian<quint16>(kIptcResource, header);
    // header[2], header[3]: the empty name and its pad byte.
    qToBigEndian<quint32>(quint32(records.size()), header + 4);
    segment.append(reinterpret_cast<const char*>(header), sizeof header);
    segment.append(records);
    if (records.size() % 2 != 0) {
        segment.append('\0');
    }
    return segment;
}

QByteArray pngIptcProfileText(const QByteArray& records) {
    constexpr qsizetype kBytesPerLine = 36;
    QByteArray text = "\niptc\n" + QByteArray::number(records.size()).rightJustified(8, ' ');
    for (qsizetype at = 0; at < records.size(); at += kBytesPerLine) {
        text += '\n' + records.mid(at, kBytesPerLine).toHex();
    }
    return text + '\n';
}

}  // namespace quorvel::imaging
