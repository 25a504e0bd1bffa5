// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QByteArray>
#include <QImage>

namespace quorvel::imaging {

// Pictures keep their pixels in the colour space their ICC profile describes; only what reaches
// the screen is converted: to the screen's profile once one is set, otherwise to sRGB.
// `view` is an image about to be painted (any format; the result is RGB32, or ARGB32
// premultiplied when it has alpha) whose pixels are in the space of `profile`.
// Without a screen profile, an empty profile, one for anything but RGB, one that cannot be read
// and one that differs from sRGB by less than a level leave the pixels as they are. With one,
// pixels without a usable RGB profile are taken for sRGB and converted like any other, so that
// tagged and untagged pictures agree on screen. Transforms are built once per profile and kept
// for the next views, so converting a panel-sized view costs well under a millisecond.
QImage inDisplayColours(QImage view, const QByteArray& profile);

// True when views of pixels in the space of `profile` are changed by `inDisplayColours`.
bool needsDisplayConversion(const QByteArray& profile);

// True when `profile` is an RGB profile whose colours differ from sRGB: pixels in its space must
// be converted before anything that assumes sRGB (a file without a profile) sees them. The
// screen's profile plays no part.
bool differsFromSrgb(const QByteArray& profile);

// Makes `profile` the screen's for every later view and returns true, when it is an RGB profile
// that colours can be converted to; otherwise (an empty one included) views go to sRGB, as
// without a call, and it returns false. Transforms built for the previous screen are dropped.
bool setDisplayProfile(const QByteArray& profile);

}  // namespace quorvel::imaging
