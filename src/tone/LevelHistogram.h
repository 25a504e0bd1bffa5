// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <array>
#include <cstdint>

namespace quorvel::tone {

// Pixels per intensity level 0..255 of the loaded picture, scaled to a 1600 x 1200 reference
// picture so that the exposure curve behaves the same for every picture size. Entry 256 is spare
// and always 0.
using LevelHistogram = std::array<double, 257>;

// Pixel counts per intensity level as the image control reports them.
using LevelCounts = std::array<std::int32_t, 256>;

// Scales `counts` of a picture of `width` x `height` pixels (both > 0) to the reference size:
// ((count x 1200) x 1600) / width / height in double precision, divided in that order.
LevelHistogram scaledLevelHistogram(const LevelCounts& counts, float width, float height);

}  // namespace quorvel::tone
