// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QByteArray>

namespace quorvel::testing {

// ICC profiles made on the spot, so that no test depends on profile files of the machine.
// Adobe RGB (1998): wide-gamut primaries, D65 white, gamma 563/256.
QByteArray adobeRgbProfile();
// sRGB as the colour library defines it.
QByteArray srgbProfile();
// Grey with the sRGB tone curve.
QByteArray greyProfile();

}  // namespace quorvel::testing
