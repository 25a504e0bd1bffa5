// SPDX-License-Identifier: GPL-3.0-or-later
#include "Exposure.h"

#include "ImageControl.h"
#include "ImagingError.h"
#include "ThumbTextSlider.h"
#include "ToneCurve.h"

#include <QAbstractButton>

#include <new>

namespace quorvel::tone {
namespace {

constexpr int kNeutralPosition = 20;

}  // namespace

Exposure::Exposure(Controls controls, QObject* parent) : QObject(parent), c_(controls) {}

void Exposure::Slider1_Scroll() {
    if (c_.state.ExposureActive == 0.0f) {
        c_.state.ExposureActive = 1.0f;
        c_.LEAD3.SetBitmap(c_.LEAD1.Bitmap());
    }
    // The user's notification arrives before the slider takes on the new value.
    c_.state.ExposureValue =
        exposureValue(c_.Slider1.maximum(), c_.Slider1.minimum(), c_.Slider1.sliderPosition());
    c_.Slider1.SetThumbText(thumbText(c_.state.ExposureValue));
    // Asked without waiting for the remap of the move before, which this move abandons.
    if (c_.LEAD1.HasPicture()) {
        ApplyExposure(c_.state.ExposureValue);
    }
}

void Exposure::ApplyExposure(float exposure) {
    // Corrections never accumulate: each starts again from the base, and the panel shows only
    // the finished result.
    c_.LEAD1.SetRepaintEnabled(false);
    c_.LEAD1.SetBitmap(c_.LEAD3.Bitmap());
    try {
        const double k = c_.ContrastX.isChecked() ? kDynamicRangeMode : kExposureMode;
        const std::optional<ToneCurve> curve = toneCurve(c_.state.LevelHistogram, exposure, k);
        if (!curve) {
            showBaseUnchanged();
            return;
        }
        c_.LEAD1.SetRemapTableLength(256);
        for (int level = 0; level < 256; ++level) {
            c_.LEAD1.SetRemapEntry(level, curve->table[std::size_t(level)]);
        }
        // Pictures with 16 bits per channel take the curve before rounding.
        c_.LEAD1.SetRemapCurve(curve->levels);
        c_.LEAD1.ApplyRemap(imaging::kAllChannels);
        c_.LEAD1.SetRepaintEnabled(true);
    } catch (const imaging::ImagingError&) {
        showBaseUnchanged();
    } catch (const std::bad_alloc&) {
        showBaseUnchanged();
    }
}

void Exposure::showBaseUnchanged() {
    // The identity keeps the base as it is and cannot fail on a picture; without one there is
    // nothing to show either way.
    try {
        c_.LEAD1.SetRemapTableLength(256);
        const ToneTable identity = identityTable();
        for (int level = 0; level < 256; ++level) {
            c_.LEAD1.SetRemapEntry(level, identity[std::size_t(level)]);
        }
        c_.LEAD1.ApplyRemap(imaging::kAllChannels);
    } catch (const imaging::ImagingError&) {
    }
    c_.LEAD1.SetRepaintEnabled(true);
}

void Exposure::Restore_Click() {
    c_.LEAD1.SetBitmap(c_.LEAD2.Bitmap());
    c_.LEAD3.SetBitmap(c_.LEAD2.Bitmap());
    // An assignment of the program's: no slider notification follows.
    c_.Slider1.setValue(kNeutralPosition);
    c_.state.ExposureActive = 0.0f;
}

}  // namespace quorvel::tone
