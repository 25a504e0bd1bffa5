// SPDX-License-Identifier: GPL-3.0-or-later
#include "PictureCorrection.h"

#include "LevelHistogram.h"
#include "PixelOps.h"
#include "ToneCurve.h"

namespace quorvel::batch {

namespace {

// The exposure slider's range.
constexpr int kSliderMax = 40;
constexpr int kSliderMin = 0;

}  // namespace

imaging::Bitmap correctedPicture(const imaging::Bitmap& loaded, int fileWidth, int fileHeight,
                                 int slider, bool dynamicRange) {
    const imaging::Histogram counts = imaging::computeHistogram(loaded, imaging::kAllChannels);
    tone::LevelCounts levels{};
    for (std::size_t level = 0; level < levels.size(); ++level) {
        levels[level] = std::int32_t(counts[level]);
    }
    const tone::LevelHistogram histogram =
        tone::scaledLevelHistogram(levels, float(fileWidth), float(fileHeight));

    const float exposure = tone::exposureValue(kSliderMax, kSliderMin, slider);
    const double k = dynamicRange ? tone::kDynamicRangeMode : tone::kExposureMode;
    const std::optional<tone::ToneCurve> curve = tone::toneCurve(histogram, exposure, k);
    if (!curve) {
        return loaded;
    }
    imaging::RemapTable bytes{};
    bool identity = true;
    for (std::size_t level = 0; level < bytes.size(); ++level) {
        const std::int32_t entry = curve->table[level];
        // The window's remap refuses entries outside a byte and then shows the picture unchanged.
        if (entry < 0 || entry > 255) {
            return loaded;
        }
        bytes[level] = std::uint8_t(entry);
        identity = identity && entry == std::int32_t(level);
    }
    // Pictures with 16 bits per channel take the curve before rounding.
    if (loaded.isSixteenBit()) {
        return curve->levels == imaging::identityCurve()
                   ? loaded
                   : imaging::remapped(loaded, curve->levels, imaging::kAllChannels);
    }
    return identity ? loaded : imaging::remapped(loaded, bytes, imaging::kAllChannels);
}

}  // namespace quorvel::batch
