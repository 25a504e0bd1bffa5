#pragma once

#include "Bitmap.h"

#include <QImage>
#include <QSize>

namespace quorvel::imaging {

// The largest size with the bitmap's aspect ratio that fits `bounds` (at least 1 x 1).
QSize fittedSize(QSize imageSize, QSize bounds);

// The picture scaled smoothly (area-averaged when reducing) to exactly `size`, as a QImage ready
// to paint (RGB32, or ARGB32 premultiplied when the picture has alpha). The view built last is
// kept with the pixels: asking again for the same pixels at the same size returns that image.
QImage scaledView(const Bitmap& bitmap, QSize size);

}  // namespace quorvel::imaging
