// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QByteArray>
#include <QColor>

#include <array>

namespace quorvel::testing {

// ICC profiles made on the spot, so that no test depends on profile files of the machine.
// Adobe RGB (1998): wide-gamut primaries, D65 white, gamma 563/256.
QByteArray adobeRgbProfile();
// sRGB's primaries and white with a plain gamma of 1.8, as older screens were calibrated.
QByteArray gamma18Profile();
// sRGB as the colour library defines it.
QByteArray srgbProfile();
// Grey in linear light (gamma 1), so its values mean other levels than sRGB's.
QByteArray greyProfile();
// CMYK printed with impure inks on white: magenta also takes half the red, yellow half the
// green and cyan half the blue, so red = (1 - C)(1 - M/2)(1 - K), green = (1 - M)(1 - Y/2)(1 - K)
// and blue = (1 - Y)(1 - C/2)(1 - K) in sRGB. Far from any press's profile and from the plain
// formula, so a picture's colours show whether its own profile was used.
QByteArray impureInksCmykProfile();
// The sRGB colour the colour library makes of ink percentages through a CMYK `profile`
// (relative colorimetric), or an invalid colour if it cannot.
QColor cmykInSrgb(const QByteArray& profile, std::array<double, 4> inks);

}  // namespace quorvel::testing
