// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QByteArray>

namespace quorvel::testing {

// ICC profiles made on the spot, so that no test depends on profile files of the machine.
// Adobe RGB (1998): wide-gamut primaries, D65 white, gamma 563/256.
QByteArray adobeRgbProfile();
// sRGB's primaries and white with a plain gamma of 1.8, as older screens were calibrated.
QByteArray gamma18Profile();
// sRGB as the colour library defines it.
QByteArray srgbProfile();
// Grey with the sRGB tone curve.
QByteArray greyProfile();
// CMYK printed with ideal inks on white: red = (1 - C)(1 - K), green = (1 - M)(1 - K) and
// blue = (1 - Y)(1 - K) in sRGB. Far from any press's profile, so a picture's colours show
// whether its own profile was used.
QByteArray idealInksCmykProfile();

}  // namespace quorvel::testing
