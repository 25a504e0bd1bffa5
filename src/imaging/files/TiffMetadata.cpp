// SPDX-License-Identifier: GPL-3.0-or-later
#include "TiffMetadata.h"

#include <exiv2/exiv2.hpp>

namespace quorvel::imaging {
namespace {

const QByteArray kExifHeader = QByteArrayLiteral("Exif\0\0");

const Exiv2::byte* bytesOf(const QByteArray& data) {
    return reinterpret_cast<const Exiv2::byte*>(data.constData());
}

Exiv2::ExifData exifTags(const QByteArray& exif) {
    const QByteArray block = exif.startsWith(kExifHeader) ? exif.mid(kExifHeader.size()) : exif;
    Exiv2::ExifData tags;
    if (!block.isEmpty()) {
        Exiv2::ExifParser::decode(tags, bytesOf(block), std::uint32_t(block.size()));
    }
    return tags;
}

Exiv2::IptcData iptcTags(const QByteArray& iptc) {
    Exiv2::IptcData tags;
    if (!iptc.isEmpty() &&
        Exiv2::IptcParser::decode(tags, bytesOf(iptc), std::uint32_t(iptc.size())) != 0) {
        tags.clear();
    }
    return tags;
}

}  // namespace

QByteArray withExifAndIptc(const QByteArray& tiff, const QByteArray& exif, const QByteArray& iptc) {
    if (exif.isEmpty() && iptc.isEmpty()) {
        return tiff;
    }
    // Damaged blocks come from the files users open; their complaints are not the user's concern.
    Exiv2::LogMsg::setLevel(Exiv2::LogMsg::mute);
    try {
        const Exiv2::ExifData tags = exifTags(exif);
        const Exiv2::IptcData records = iptcTags(iptc);
        if (tags.empty() && records.empty()) {
            return tiff;
        }
        const Exiv2::Image::AutoPtr image =
            Exiv2::ImageFactory::open(bytesOf(tiff), long(tiff.size()));
        image->readMetadata();
        // The TIFF's own tags (size, samples, strips, profile, ...) stay as they were written.
        Exiv2::ExifData merged = image->exifData();
        for (const Exiv2::Exifdatum& tag : tags) {
            if (merged.findKey(Exiv2::ExifKey(tag.key())) == merged.end()) {
                merged.add(tag);
            }
        }
        merged["Exif.Image.Orientation"] = std::uint16_t(1);
        image->setExifData(merged);
        image->setIptcData(records);
        image->writeXmpFromPacket(true);
        image->writeMetadata();
        Exiv2::BasicIo& io = image->io();
        io.seek(0, Exiv2::BasicIo::beg);
        const Exiv2::DataBuf written = io.read(io.size());
        return QByteArray(reinterpret_cast<const char*>(written.pData_), written.size_);
    } catch (const Exiv2::AnyError&) {
        return tiff;
    }
}

}  // namespace quorvel::imaging
