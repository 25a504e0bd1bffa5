// SPDX-License-Identifier: GPL-3.0-or-later
#include "LevelHistogram.h"

namespace quorvel::tone {

// The operations keep their order: dividing by width x height at once can differ in the last bit,
// and the tone curve is computed from these exact values.
LevelHistogram scaledLevelHistogram(const LevelCounts& counts, float width, float height) {
    LevelHistogram scaled{};
    for (std::size_t level = 0; level < counts.size(); ++level) {
        scaled[level] = ((double(counts[level]) * 1200) * 1600) / double(width) / double(height);
    }
    return scaled;
}

}  // namespace quorvel::tone
