// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "Bitmap.h"

#include <QImage>

namespace quorvel::imaging {

// A QImage over the Bitmap's pixels without copying them; it keeps the pixels alive.
// Grey8, RGB888 or RGBA8888 (straight alpha); for 16 bits Grayscale16 or RGBA64, and for 16-bit
// RGB, which Qt has no format for, an RGBX64 copy.
QImage toQImage(const Bitmap& bitmap);

// `region` of the picture (clipped to it) ready to paint: RGB32, or ARGB32 premultiplied when the
// picture has alpha, 16-bit samples at their nearest 8-bit level. It costs what the region holds,
// however large the picture.
QImage paintableRegion(const Bitmap& bitmap, const QRect& region);

// An 8-bit Bitmap copied from any QImage: grey formats stay grey, opaque ones become RGB, others
// RGBA.
Bitmap fromQImage(const QImage& image);

}  // namespace quorvel::imaging
