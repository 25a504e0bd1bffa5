// SPDX-License-Identifier: GPL-3.0-or-later
#include "ToneCurve.h"

#include <cmath>
#include <cstddef>

namespace quorvel::tone {

namespace {

// Ties go to the even integer whatever rounding mode the floating-point environment is in, so the
// entries never depend on global state another library may have changed.
double roundHalfToEven(double value) {
    const double below = std::floor(value);
    const double fraction = value - below;  // exact for every double
    if (fraction < 0.5) {
        return below;
    }
    if (fraction > 0.5) {
        return below + 1.0;
    }
    return std::fmod(below, 2.0) == 0.0 ? below : below + 1.0;
}

}  // namespace

float exposureValue(int rangeMax, int rangeMin, int value) {
    if (rangeMax == rangeMin) {
        return 0.0f;
    }
    // Widened so that no difference of two ints can overflow; the differences are exact in double.
    const double span = double(std::int64_t(rangeMax) - rangeMin);
    const double fromTop = double(std::int64_t(rangeMax) - value);
    return float((fromTop / span - 0.5) * span / 10.0);
}

QString thumbText(float exposure) {
    // 'g' drops trailing zeros and a trailing point, writes no sign for positive numbers and writes
    // the -0 that a reversed range gives at its middle as 0.
    return QStringLiteral("E = ") + QString::number(double(exposure), 'g', 7);
}

Exponents exponents(float exposure, double k) {
    // k stays in double: rounded to a float it moves p at E = +2 in exposure mode by one unit in
    // the last place (0.33820289 instead of 0.33820292).
    const double e = exposure;
    if (exposure >= 0.0f) {
        return {float(0.4 * std::tan(0.6 * e)),
                float(1.0 - 0.4 * std::log(1.0 + k * std::tan(0.75 * e)))};
    }
    return {float(0.1 * std::tan(0.7 * e)), float(1.0 - 0.1 * std::tan(e * k * 0.75))};
}

std::optional<ToneTable> toneTable(const LevelHistogram& histogram, float exposure, double k) {
    const std::optional<ToneCurve> curve = toneCurve(histogram, exposure, k);
    if (!curve) {
        return std::nullopt;
    }
    return curve->table;
}

std::optional<ToneCurve> toneCurve(const LevelHistogram& histogram, float exposure, double k) {
    const Exponents exps = exponents(exposure, k);
    const double g = exps.g;
    const double p = exps.p;
    constexpr std::size_t kLevels = 256;

    // Each step keeps its order and double precision: an entry close to a half depends on the last
    // bit, so reassociating a step could move it.
    std::array<double, kLevels> curve{};
    for (std::size_t i = 1; i < kLevels; ++i) {
        const double weight = histogram[i];
        curve[i] = curve[i - 1] + (weight > 0.0 ? std::pow(weight, g) : 0.0);
    }

    const double total = curve[kLevels - 1];
    if (total != 0.0) {
        for (double& entry : curve) {
            entry = entry * 255.0 / total;
        }
    }

    for (double& entry : curve) {
        entry = std::pow(entry / 255.0, p) * 255.0;
    }

    // Only the last step changes the divisor, so taking it once is the same ascending pass. With
    // nothing populated above level 0 this is 0 / 0, caught by the check below.
    const double last = curve[kLevels - 1];
    for (double& entry : curve) {
        entry = entry / last * 255.0;
    }

    ToneCurve result{};
    for (std::size_t i = 0; i < kLevels; ++i) {
        // Rejects NaN and infinities, and keeps the conversion to an entry defined for exponents
        // outside the slider's range.
        if (!(std::fabs(curve[i]) <= 2147483647.0)) {
            return std::nullopt;
        }
        result.table[i] = std::int32_t(roundHalfToEven(curve[i]));
        result.levels[i] = curve[i] / curve[kLevels - 1];
    }
    if (exposure == 0.0f) {
        result.table = identityTable();
        for (std::size_t i = 0; i < kLevels; ++i) {
            result.levels[i] = double(i) / 255.0;
        }
    }
    return result;
}

ToneTable identityTable() {
    ToneTable table{};
    for (std::size_t i = 0; i < table.size(); ++i) {
        table[i] = std::int32_t(i);
    }
    return table;
}

}  // namespace quorvel::tone
