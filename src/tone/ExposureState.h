// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "LevelHistogram.h"

namespace quorvel::tone {

// What the exposure correction keeps between slider notifications.
struct ExposureState {
    // E, from +2 (slider at the top) to -2 (at the bottom).
    float ExposureValue = 0.0f;
    // 1 once the slider has taken the working picture as its base, 0 after a load, Restore or a
    // geometry command.
    float ExposureActive = 0.0f;
    // The loaded picture's scaled level histogram.
    tone::LevelHistogram LevelHistogram{};
};

}  // namespace quorvel::tone
