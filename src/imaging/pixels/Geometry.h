// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "Bitmap.h"

#include <QColor>

namespace quorvel::imaging {

enum class Resampling {
    Nearest,      // fastest, blocky
    Bilinear,     // smooth, softer
    HighQuality,  // exact area average for reductions, Catmull-Rom bicubic for enlargements
};

// Resamples to width x height (whole pixels, both >= 1, within the pixel budget).
// Throws ImagingError 20011 for a size below one pixel and 20001 over the budget.
Bitmap resized(const Bitmap& source, int width, int height, Resampling resampling);

// Rotates clockwise by `hundredths` of a degree (any value; taken modulo 36000). Quarter turns are
// exact. Other angles are interpolated; uncovered area gets `fill` (opaque). growCanvas keeps the
// whole rotated picture; otherwise the canvas keeps its size and the centre is kept.
Bitmap rotated(const Bitmap& source, int hundredths, bool growCanvas, QColor fill);

// Upside down.
Bitmap flipped(const Bitmap& source);
// Left to right.
Bitmap mirrored(const Bitmap& source);

}  // namespace quorvel::imaging
