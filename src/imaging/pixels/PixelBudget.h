// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <cstdint>

namespace quorvel::imaging {

// The largest picture the program holds: 250 megapixels (750 MB as RGB). A 100-megapixel photo
// fits with room for its corrected copy; a file that declares more is refused before decoding.
inline constexpr std::int64_t kPixelBudget = 250'000'000;

// Throws ImagingError 20001 (not enough memory) when width x height exceeds the budget, and
// 20011 (invalid width/height) when either side is below one pixel.
void checkPixelBudget(std::int64_t width, std::int64_t height);

}  // namespace quorvel::imaging
