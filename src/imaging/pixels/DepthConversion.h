// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "Bitmap.h"

namespace quorvel::imaging {

// The picture at 8 bits per sample: each 16-bit value v becomes (v + 128) / 257 (integer
// division), the nearest 8-bit level. An 8-bit picture comes back as it is.
Bitmap toEightBits(const Bitmap& bitmap);

// The picture at 16 bits per sample: each 8-bit value v becomes 257 v, so that 255 is 65535.
// A 16-bit picture comes back as it is.
Bitmap toSixteenBits(const Bitmap& bitmap);

// The 8-bit level of one 16-bit value, as toEightBits rounds it.
constexpr std::uint8_t eightBitLevel(std::uint16_t value) {
    return std::uint8_t((unsigned(value) + 128u) / 257u);
}

}  // namespace quorvel::imaging
