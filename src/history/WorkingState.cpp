// SPDX-License-Identifier: GPL-3.0-or-later
#include "WorkingState.h"

namespace quorvel::history {
namespace {

bool samePicture(const imaging::Bitmap& a, const imaging::Bitmap& b) {
    return a.isNull() ? b.isNull() : a.sharesPixelsWith(b);
}

}  // namespace

bool WorkingState::sameAs(const WorkingState& other) const {
    return samePicture(working, other.working) && samePicture(base, other.base) &&
           sliderPosition == other.sliderPosition && thumbText == other.thumbText &&
           exposureValue == other.exposureValue && exposureActive == other.exposureActive &&
           dynamicRangeMode == other.dynamicRangeMode;
}

}  // namespace quorvel::history
