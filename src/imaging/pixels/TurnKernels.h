// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

// Private to the imaging layer: the byte loops behind the lossless turns and flips, visible to the
// tests so that the vector kernels can be held to the portable ones. `channels` is the bytes of a
// pixel: 1, 3 or 4 at 8 bits per channel, 2, 6 or 8 at 16; rows packed; input and output never
// overlap.

#include <cstddef>
#include <cstdint>

namespace quorvel::imaging {

// out[i] = in[count - 1 - i], pixel by pixel: a mirrored row, or a whole picture turned half way.
void mirrorPixelsPortable(const std::uint8_t* in, std::uint8_t* out, std::size_t count,
                          int channels);
void mirrorPixels(const std::uint8_t* in, std::uint8_t* out, std::size_t count, int channels);

// Rows [firstRow, endRow) of `in` (width x height) turned a quarter clockwise or anticlockwise:
// the output is height pixels wide and width high.
void turnQuarterPortable(const std::uint8_t* in, int width, int height, int channels,
                         bool clockwise, std::uint8_t* out, int firstRow, int endRow);
void turnQuarter(const std::uint8_t* in, int width, int height, int channels, bool clockwise,
                 std::uint8_t* out, int firstRow, int endRow);

}  // namespace quorvel::imaging
