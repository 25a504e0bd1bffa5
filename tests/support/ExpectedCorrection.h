// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "Bitmap.h"
#include "PixelOps.h"
#include "ToneCurve.h"

#include <cstddef>
#include <cstdint>

namespace quorvel::testing {

// `base` as the tone curve for `exposure` in mode `k`, built from `histogram`, says it must come
// out of a correction: what the window's working picture is expected to be.
inline imaging::Bitmap expectedCorrection(const imaging::Bitmap& base,
                                          const tone::LevelHistogram& histogram, float exposure,
                                          double k) {
    const tone::ToneTable table = *tone::toneTable(histogram, exposure, k);
    imaging::RemapTable bytes{};
    for (std::size_t i = 0; i < bytes.size(); ++i) {
        bytes[i] = std::uint8_t(table[i]);
    }
    return imaging::remapped(base, bytes, imaging::kAllChannels);
}

}  // namespace quorvel::testing
