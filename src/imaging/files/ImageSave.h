// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "AtomicFile.h"
#include "Bitmap.h"

#include <QString>

namespace quorvel::imaging {

// The quality factor of the save dialog runs from 2 (best quality, least compression) to 10
// (smallest file). JPEG and WebP take it as quality 95 - 8 x (qFactor - 2): 2 gives 95, 3 gives 87,
// 6 gives 63, 10 gives 31. 95 keeps photos visually lossless; 31 still shows a recognisable
// picture. Other formats ignore it.
int qualityFromQFactor(int qFactor);

// Writes `bitmap` to `path` in the format with the image control's code `format` (FileFormats.h)
// at `bitsPerPixel`, one of the depths the format offers. EXIF (orientation normal), XMP and an
// ICC profile that fits the stored pixels travel along in JPEG, PNG, TIFF and WebP. With
// `multiPage`, a picture saved as TIFF over an existing TIFF becomes that file's last page;
// other formats ignore it.
//
// The file is replaced only once the whole new content is on disk (AtomicFile.h), so a failing
// or interrupted save leaves an existing file as it was and nothing beside it. `path` may name
// the file by bytes that are no UTF-8 (FileNames.h). Throws ImagingError: 20002 no picture, 20008
// an empty path or one naming a folder or device, 20009 an unknown format code or an existing file
// to append to that is no TIFF, 20027 a depth the format does not offer, 20021 a quality factor
// outside 2..10 for JPEG or WebP, 20016 a picture larger than the format can store (or a big-endian
// TIFF to append to), 20014 an existing file to append to that cannot be read, 20005 when writing
// fails, also when `kept` keeps a file that is there.
void saveImageFile(const Bitmap& bitmap, const QString& path, int format, int bitsPerPixel,
                   int qFactor, bool multiPage, Existing kept = Existing::Replace);

}  // namespace quorvel::imaging
