// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "Bitmap.h"

#include <QString>

namespace quorvel::history {

// Everything a step of the history gives back together: the working picture, the base of the
// exposure correction, the slider with the text beside its thumb, the exposure state and the "D"
// button.
struct WorkingState {
    imaging::Bitmap working;
    imaging::Bitmap base;
    int sliderPosition = 20;
    QString thumbText;
    float exposureValue = 0.0f;
    float exposureActive = 0.0f;
    bool dynamicRangeMode = false;

    // The same pictures (by their pixels, not merely equal ones) and the same settings.
    bool sameAs(const WorkingState& other) const;
};

}  // namespace quorvel::history
