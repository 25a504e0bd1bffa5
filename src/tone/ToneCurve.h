// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "LevelHistogram.h"

#include <QString>

#include <array>
#include <cstdint>
#include <optional>

namespace quorvel::tone {

// The curve constant k of the two modes of the "D" button.
inline constexpr double kExposureMode = 0.3;       // button up
inline constexpr double kDynamicRangeMode = 0.05;  // button pressed

// E from the slider's range ends and position: ((A - V) / (A - B) - 0.5) x (A - B) / 10 computed
// in double precision from the integer differences, then rounded to single precision. With the
// range 0..40 that is (20 - V) / 10. An empty range (A = B) gives 0.
float exposureValue(int rangeMax, int rangeMin, int value);

// "E = " followed by E with seven significant digits, trailing zeros and a trailing decimal point
// removed: "E = 1.5", "E = 2", "E = 0", "E = -0.3".
QString thumbText(float exposure);

// The histogram exponent g and the output gamma p, computed in double precision (k included) and
// each rounded to single precision.
struct Exponents {
    float g;
    float p;
};
Exponents exponents(float exposure, double k);

// The 256 remap entries for E and k, built from the level histogram of the loaded picture.
// E = 0 gives the identity once the curve has been computed. Empty when the curve cannot be built
// (no level from 1 to 255 populated: zero divided by zero, or any other non-finite value), where
// the caller falls back to the identity. Ties round to the even entry.
using ToneTable = std::array<std::int32_t, 256>;
std::optional<ToneTable> toneTable(const LevelHistogram& histogram, float exposure, double k);

// The same curve before its entries are rounded, each divided by the last: level i goes to
// levels[i] in 0..1 (i / 255 at E = 0). Pictures with 16 bits per channel are remapped through it.
struct ToneCurve {
    ToneTable table;
    std::array<double, 256> levels;
};
std::optional<ToneCurve> toneCurve(const LevelHistogram& histogram, float exposure, double k);

// The identity entries, the fallback of a failed correction.
ToneTable identityTable();

}  // namespace quorvel::tone
