#pragma once

#include "Bitmap.h"

#include <QImage>

namespace quorvel::imaging {

// A QImage over the Bitmap's pixels without copying them; it keeps the pixels alive.
// Grey8, RGB888 or RGBA8888 (straight alpha).
QImage toQImage(const Bitmap& bitmap);

// A Bitmap copied from any QImage: grey formats stay grey, opaque ones become RGB, others RGBA.
Bitmap fromQImage(const QImage& image);

}  // namespace quorvel::imaging
