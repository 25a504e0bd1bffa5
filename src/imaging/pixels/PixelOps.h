// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "Bitmap.h"

#include <array>
#include <atomic>
#include <cstdint>
#include <optional>
#include <vector>

namespace quorvel::imaging {

// Channel selectors of the histogram and the remap: 0 all colour channels, 1 red, 2 green, 3 blue.
// A grey picture has one channel that every selector addresses.
inline constexpr int kAllChannels = 0;

using Histogram = std::array<std::uint32_t, 256>;
using RemapTable = std::array<std::uint8_t, 256>;
// The unrounded curve behind a remap table, entry i in 0..1 for level i: what 16-bit pictures
// are remapped through.
using RemapCurve = std::array<double, 256>;
// What each of the 65536 values of a 16-bit sample becomes.
using RemapTable16 = std::vector<std::uint16_t>;

// Pixels per level. For kAllChannels each pixel counts once, at its intensity: the Rec. 601 luma
// (299 R + 587 G + 114 B) / 1000 rounded half up; grey pixels count at their value. For a single
// channel, that channel's value. Alpha never counts. A 16-bit value v counts as level
// (v + 128) / 257 (integer division), before the luma is taken. Throws ImagingError 20013 for
// another selector.
Histogram computeHistogram(const Bitmap& bitmap, int channel);

// Every value v of the selected colour channels becomes table[v]; alpha is left alone.
// A 16-bit picture is remapped through curveOf(table) (see the overload below).
// Throws ImagingError 20013 for another selector.
Bitmap remapped(const Bitmap& bitmap, const RemapTable& table, int channel);

// The curve an integer table stands for, table[i] / 255.
RemapCurve curveOf(const RemapTable& table);

// The same, made band by band; nothing once `abandoned` is seen set between two bands. An 8-bit
// picture takes `table`, a 16-bit one `curve`.
std::optional<Bitmap> remappedUnlessAbandoned(const Bitmap& bitmap, const RemapTable& table,
                                              const RemapCurve& curve, int channel,
                                              const std::atomic<bool>& abandoned);

// The 16-bit remap of the curve C: value v is x = v / 257 levels up the curve, between
// i = floor(x) and i + 1, so it becomes C[i] + (x - i) (C[i + 1] - C[i]) (C[255] at i = 255),
// times 65535, rounded to the nearest integer, ties to even.
RemapTable16 remapTable16(const RemapCurve& curve);

// The identity curve, C[i] = i / 255.
RemapCurve identityCurve();

// Every value of the selected colour channels goes through the curve; alpha is left alone. A
// 16-bit picture takes remapTable16(curve); an 8-bit one takes curve[v] x 255 rounded to the
// nearest integer, ties to even. Throws ImagingError 20013 for another selector.
Bitmap remapped(const Bitmap& bitmap, const RemapCurve& curve, int channel);

}  // namespace quorvel::imaging
