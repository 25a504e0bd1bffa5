// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QByteArray>

namespace quorvel::imaging {

// The classic little-endian TIFF `tiff` with the EXIF block `exif` (with or without its "Exif"
// header) and the IPTC records `iptc` written into it: the camera tags that TIFF keeps in its
// first directory (make, model, ...) go there, the rest into an EXIF directory, and the
// orientation says the pixels are upright. The pixels and the other tags stay. A block that
// cannot be read, or a TIFF that cannot take it (a BigTIFF), leaves `tiff` as it is: the picture
// matters more than its notes.
QByteArray withExifAndIptc(const QByteArray& tiff, const QByteArray& exif, const QByteArray& iptc);

}  // namespace quorvel::imaging
