#pragma once

#include "Bitmap.h"

#include <array>
#include <atomic>
#include <cstdint>
#include <optional>

namespace quorvel::imaging {

// Channel selectors of the histogram and the remap: 0 all colour channels, 1 red, 2 green, 3 blue.
// A grey picture has one channel that every selector addresses.
inline constexpr int kAllChannels = 0;

using Histogram = std::array<std::uint32_t, 256>;
using RemapTable = std::array<std::uint8_t, 256>;

// Pixels per level. For kAllChannels each pixel counts once, at its intensity: the Rec. 601 luma
// (299 R + 587 G + 114 B) / 1000 rounded half up; grey pixels count at their value. For a single
// channel, that channel's value. Alpha never counts. Throws ImagingError 20013 for another
// selector.
Histogram computeHistogram(const Bitmap& bitmap, int channel);

// Every value v of the selected colour channels becomes table[v]; alpha is left alone.
// Throws ImagingError 20013 for another selector.
Bitmap remapped(const Bitmap& bitmap, const RemapTable& table, int channel);

// The same, made band by band; nothing once `abandoned` is seen set between two bands.
std::optional<Bitmap> remappedUnlessAbandoned(const Bitmap& bitmap, const RemapTable& table,
                                              int channel, const std::atomic<bool>& abandoned);

}  // namespace quorvel::imaging
