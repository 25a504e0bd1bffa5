// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QByteArray>

namespace quorvel::imaging {

// The PNG `png` with the IPTC records `iptc` in a "Raw profile type iptc" text chunk before its
// pixels, where ImageMagick, exiftool and exiv2 look for them; `png` as it is without records or
// when it is no PNG.
QByteArray withIptcText(const QByteArray& png, const QByteArray& iptc);

}  // namespace quorvel::imaging
