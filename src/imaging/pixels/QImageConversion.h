// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "Bitmap.h"

#include <QImage>

namespace quorvel::imaging {

// A QImage over the Bitmap's pixels without copying them; it keeps the pixels alive.
// Grey8, RGB888 or RGBA8888 (straight alpha); for 16 bits Grayscale16 or RGBA64, and for 16-bit
// RGB, which Qt has no format for, an RGBX64 copy.
QImage toQImage(const Bitmap& bitmap);

// A copy of `region` (clipped to the picture) in the format toQImage gives: it costs what the
// region holds, however large the picture.
QImage toQImage(const Bitmap& bitmap, const QRect& region);

// An 8-bit Bitmap copied from any QImage: grey formats stay grey, opaque ones become RGB, others
// RGBA.
Bitmap fromQImage(const QImage& image);

}  // namespace quorvel::imaging
