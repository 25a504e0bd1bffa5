// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "Bitmap.h"
#include "PixelOps.h"

#include <QImage>
#include <QSize>

#include <atomic>
#include <optional>

namespace quorvel::imaging {

// The largest size with the bitmap's aspect ratio that fits `bounds` (at least 1 x 1).
QSize fittedSize(QSize imageSize, QSize bounds);

// The picture scaled smoothly (area-averaged when reducing) to exactly `size`, as a QImage ready
// to paint (RGB32, or ARGB32 premultiplied when the picture has alpha), in display colours.
QImage scaledView(const Bitmap& bitmap, QSize size);

// scaledView before its display conversion: the picture's own 8-bit levels, in the colour space of
// its profile. The view built last is kept with the pixels: asking again for the same pixels at
// the same size returns that image.
QImage storedView(const Bitmap& bitmap, QSize size);

// remappedUnlessAbandoned(bitmap, ...) with its storedView at `viewSize` (none when empty) kept
// with it, made in one pass over the pixels where the view is a large reduction of an 8-bit
// picture.
std::optional<Bitmap> remappedWithView(const Bitmap& bitmap, const RemapTable& table,
                                       const RemapCurve& curve, int channel, QSize viewSize,
                                       const std::atomic<bool>& abandoned);

// A view as storedView made it of `layout` pixels, with the colour channels that remapped()
// changes passed through `table`: what the stored view of the remapped picture looks like, at the
// cost of the view's pixels (close to it, not equal: averaging and remapping do not commute).
QImage remappedView(const QImage& view, PixelLayout layout, const RemapTable& table, int channel);

}  // namespace quorvel::imaging
