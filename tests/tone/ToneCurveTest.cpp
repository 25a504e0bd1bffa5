// SPDX-License-Identifier: GPL-3.0-or-later
#include "CaseNames.h"
#include "LevelHistogram.h"
#include "PixelOps.h"
#include "ToneCurve.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <numeric>
#include <ostream>
#include <utility>

namespace quorvel::tone {
namespace {

using quorvel::testing::PrintTo;

LevelHistogram flat() {
    LevelHistogram histogram{};
    std::fill_n(histogram.begin(), 256, 7500.0);
    return histogram;
}

LevelHistogram ramp() {
    LevelHistogram histogram{};
    std::iota(histogram.begin(), histogram.begin() + 256, 0.0);
    return histogram;
}

LevelHistogram darkHalf() {
    LevelHistogram histogram{};
    std::fill_n(histogram.begin(), 128, 1.0);
    return histogram;
}

struct ExponentRow {
    const char* name;
    float exposure;
    float g;
    float pExposureMode;
    float pDynamicRangeMode;
};

class ToneCurveExponentTable : public ::testing::TestWithParam<ExponentRow> {};

TEST_P(ToneCurveExponentTable, MatchesTheStoredSinglePrecisionValues) {
    const ExponentRow& row = GetParam();
    const Exponents exposureMode = exponents(row.exposure, kExposureMode);
    const Exponents dynamicMode = exponents(row.exposure, kDynamicRangeMode);
    EXPECT_EQ(exposureMode.g, row.g);
    EXPECT_EQ(dynamicMode.g, row.g);
    EXPECT_EQ(exposureMode.p, row.pExposureMode);
    EXPECT_EQ(dynamicMode.p, row.pDynamicRangeMode);
}

const ExponentRow kExponentRows[] = {
    {"Plus2", 2.0f, 1.0288607f, 0.33820292f, 0.78655732f},
    {"Plus1", 1.0f, 0.27365473f, 0.90141881f, 0.98178899f},
    {"PlusHalf", 0.5f, 0.12373450f, 0.95535195f, 0.99220395f},
    {"Zero", 0.0f, 0.0f, 1.0f, 1.0f},
    {"Minus1", -1.0f, -0.084228836f, 1.0228876f, 1.0037518f},
    {"Minus2", -2.0f, -0.57978839f, 1.0483055f, 1.0075141f},
};

INSTANTIATE_TEST_SUITE_P(Cases, ToneCurveExponentTable, ::testing::ValuesIn(kExponentRows),
                         ::testing::PrintToStringParamName());

struct WorkedRow {
    const char* name;
    LevelHistogram (*histogram)();
    float exposure;
    double k;
    std::array<std::int32_t, 9> entries;
};

class ToneCurveWorkedTable : public ::testing::TestWithParam<WorkedRow> {};

TEST_P(ToneCurveWorkedTable, GivesTheKnownEntries) {
    const WorkedRow& row = GetParam();
    const std::optional<ToneTable> table = toneTable(row.histogram(), row.exposure, row.k);
    ASSERT_TRUE(table.has_value());
    const std::array<int, 9> levels{0, 1, 16, 32, 64, 128, 192, 254, 255};
    for (std::size_t i = 0; i < levels.size(); ++i) {
        EXPECT_EQ((*table)[levels[i]], row.entries[i]) << "level " << levels[i];
    }
}

const WorkedRow kWorkedRows[] = {
    {"FlatPlus1Exposure", flat, 1.0f, kExposureMode, {0, 2, 21, 39, 73, 137, 197, 254, 255}},
    {"FlatPlus1Dynamic", flat, 1.0f, kDynamicRangeMode, {0, 1, 17, 33, 66, 130, 193, 254, 255}},
    {"FlatPlus2Exposure", flat, 2.0f, kExposureMode, {0, 39, 100, 126, 160, 202, 232, 255, 255}},
    {"FlatMinus1Exposure", flat, -1.0f, kExposureMode, {0, 1, 15, 31, 62, 126, 191, 254, 255}},
    {"RampPlus2Exposure", ramp, 2.0f, kExposureMode, {0, 7, 39, 62, 99, 159, 210, 254, 255}},
    {"RampPlus2Dynamic", ramp, 2.0f, kDynamicRangeMode, {0, 0, 3, 9, 28, 85, 162, 253, 255}},
    {"RampMinus2Exposure", ramp, -2.0f, kExposureMode, {0, 10, 62, 91, 130, 183, 223, 255, 255}},
    {"DarkMinus1Exposure", darkHalf, -1.0f, kExposureMode, {0, 2, 31, 62, 127, 255, 255, 255, 255}},
    {"RampAtZero", ramp, 0.0f, kExposureMode, {0, 1, 16, 32, 64, 128, 192, 254, 255}},
    {"DarkAtZero", darkHalf, 0.0f, kDynamicRangeMode, {0, 1, 16, 32, 64, 128, 192, 254, 255}},
};

INSTANTIATE_TEST_SUITE_P(Cases, ToneCurveWorkedTable, ::testing::ValuesIn(kWorkedRows),
                         ::testing::PrintToStringParamName());

struct SliderRow {
    const char* name;
    int rangeMax;
    int rangeMin;
    int value;
    float exposure;
    const char* text;
};

class ToneCurveSliderPosition : public ::testing::TestWithParam<SliderRow> {};

TEST_P(ToneCurveSliderPosition, GivesExposureAndThumbText) {
    const SliderRow& row = GetParam();
    const float exposure = exposureValue(row.rangeMax, row.rangeMin, row.value);
    EXPECT_EQ(exposure, row.exposure);
    EXPECT_EQ(thumbText(exposure).toStdString(), row.text);
}

const SliderRow kSliderRows[] = {
    {"Top", 40, 0, 0, 2.0f, "E = 2"},
    {"At17", 40, 0, 17, 0.3f, "E = 0.3"},
    {"Middle", 40, 0, 20, 0.0f, "E = 0"},
    {"At27", 40, 0, 27, -0.7f, "E = -0.7"},
    {"Bottom", 40, 0, 40, -2.0f, "E = -2"},
    {"ReversedRangeTop", 0, 40, 0, 2.0f, "E = 2"},
    {"EmptyRange", 7, 7, 7, 0.0f, "E = 0"},
};

INSTANTIATE_TEST_SUITE_P(Cases, ToneCurveSliderPosition, ::testing::ValuesIn(kSliderRows),
                         ::testing::PrintToStringParamName());

TEST(ToneTableTest, FailsWhenNoLevelAboveZeroIsPopulated) {
    LevelHistogram onlyBlack{};
    onlyBlack[0] = 1920000.0;
    for (const LevelHistogram& histogram : {LevelHistogram{}, onlyBlack}) {
        for (float exposure : {2.0f, 0.3f, 0.0f, -2.0f}) {
            for (double k : {kExposureMode, kDynamicRangeMode}) {
                EXPECT_FALSE(toneTable(histogram, exposure, k).has_value())
                    << "E " << exposure << " k " << k << " level 0 " << histogram[0];
            }
        }
    }
}

TEST(ToneTableTest, RoundsExactHalvesToEven) {
    // For so small an E, p is exactly 1 and every populated level weighs exactly 1, so six
    // populated levels put the steps at 255 x n / 6: 42.5, 127.5 and 212.5 for n = 1, 3 and 5.
    constexpr float kTinyExposure = 1e-10f;
    ASSERT_EQ(exponents(kTinyExposure, kExposureMode).p, 1.0f);
    LevelHistogram six{};
    for (int level : {10, 50, 100, 150, 200, 250}) {
        six[level] = 1.0;
    }
    const std::optional<ToneTable> table = toneTable(six, kTinyExposure, kExposureMode);
    ASSERT_TRUE(table.has_value());
    EXPECT_EQ((*table)[10], 42);
    EXPECT_EQ((*table)[100], 128);
    EXPECT_EQ((*table)[200], 212);
}

TEST(LevelHistogramTest, ScalesCountsToTheReferencePictureDividingByWidthThenHeight) {
    LevelCounts counts{};
    counts[10] = 1;
    counts[255] = 7;
    const LevelHistogram scaled = scaledLevelHistogram(counts, 7.0f, 3.0f);
    // 1600 x 1200 / 7 / 3; dividing by 21 at once would end in ...143.
    EXPECT_EQ(scaled[10], 91428.57142857142);
    EXPECT_EQ(scaled[255], 640000.0);
    EXPECT_EQ(scaled[256], 0.0);
}

TEST(ToneCurveTest, LevelsAreTheTableBeforeRoundingOverItsLastEntry) {
    const std::optional<ToneCurve> curve = toneCurve(ramp(), 2.0f, kExposureMode);
    ASSERT_TRUE(curve.has_value());
    for (std::size_t i = 0; i < 256; ++i) {
        EXPECT_NEAR(curve->levels[i] * 255.0, curve->table[i], 0.5) << i;
    }
    EXPECT_EQ(curve->levels[0], 0.0);
    EXPECT_EQ(curve->levels[255], 1.0);
    const std::optional<ToneCurve> neutral = toneCurve(ramp(), 0.0f, kExposureMode);
    ASSERT_TRUE(neutral.has_value());
    for (std::size_t i = 0; i < 256; ++i) {
        EXPECT_EQ(neutral->levels[i], double(i) / 255.0) << i;
    }
}

// With a flat histogram at E = +1 in exposure mode the curve is (i / 255)^p, p = 0.90141881. The
// expected 16-bit values were worked out from that: x = v / 257, i = floor(x), f = x - i,
// c = C[i] + f (C[i + 1] - C[i]), 65535 c rounded; e.g. v = 1000: i = 3, f = 229 / 257,
// 65535 c = 1509.857, so 1510.
TEST(ToneCurveTest, SixteenBitValuesFollowTheCurveBetweenLevels) {
    const std::optional<ToneCurve> curve = toneCurve(flat(), 1.0f, kExposureMode);
    ASSERT_TRUE(curve.has_value());
    const imaging::RemapTable16 table = imaging::remapTable16(curve->levels);
    const std::pair<int, int> expected[] = {{0, 0},         {1, 2},         {257, 444},
                                            {1000, 1510},   {32896, 35209}, {40000, 41995},
                                            {65000, 65053}, {65535, 65535}};
    for (const auto& [value, result] : expected) {
        EXPECT_EQ(table[std::size_t(value)], result) << value;
    }
}

}  // namespace
}  // namespace quorvel::tone
