// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QByteArray>

namespace quorvel::imaging {

// IPTC travels as bare records (the 0x1C datasets) inside the picture and is wrapped for each file
// format on the way out.

// The IPTC records of a block as loaders hand it over: JPEG's Photoshop segment ("Photoshop 3.0"
// and its 8BIM resources, the records in resource 0x0404), bare 8BIM resources, or the records
// themselves (TIFF). Empty when the block holds none or is damaged.
QByteArray iptcRecordsFrom(const QByteArray& block);

// `records` as the Photoshop segment a JPEG carries them in.
QByteArray photoshopIptcSegment(const QByteArray& records);

// `records` as the text of a PNG "Raw profile type iptc" chunk: a newline, "iptc", a newline,
// the byte count right-aligned in 8 places, then the bytes in hexadecimal, 36 to a line.
QByteArray pngIptcProfileText(const QByteArray& records);

}  // namespace quorvel::imaging
