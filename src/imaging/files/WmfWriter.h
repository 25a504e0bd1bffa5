// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QByteArray>

#include <cstdint>

namespace quorvel::imaging {

// A placeable Windows metafile that draws the picture with one META_STRETCHDIB record holding a
// 24-bit device-independent bitmap. Its logical inch is 72 units, one unit per pixel, so readers
// that render at 72 dots per inch (ImageMagick's default) give back the picture pixel for pixel.
// `rgb` holds `height` rows of `width` RGB triplets without padding. Returns an empty array when
// the picture does not fit the format's 16-bit coordinates (at most 32767 pixels a side).
QByteArray windowsMetafile(int width, int height, const std::uint8_t* rgb);

}  // namespace quorvel::imaging
