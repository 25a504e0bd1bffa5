// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QByteArray>
#include <QImage>

namespace quorvel::imaging {

// Pictures keep their pixels in the colour space their ICC profile describes; only what reaches
// the screen is converted, to sRGB. `view` is an image about to be painted (any format; the result
// is RGB32, or ARGB32 premultiplied when it has alpha) whose pixels are in the space of `profile`.
// An empty profile, one for anything but RGB, one that cannot be read and one that differs from
// sRGB by less than a level leave the pixels as they are. Transforms are built once per profile
// and kept for the next views, so converting a panel-sized view costs well under a millisecond.
QImage inDisplayColours(QImage view, const QByteArray& profile);

// True when `profile` is an RGB profile whose colours differ from sRGB: pixels in its space must
// be converted before anything that assumes sRGB sees them.
bool needsDisplayConversion(const QByteArray& profile);

}  // namespace quorvel::imaging
