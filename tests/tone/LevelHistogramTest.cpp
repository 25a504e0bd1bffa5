// SPDX-License-Identifier: GPL-3.0-or-later
#include "LevelHistogram.h"

#include <gtest/gtest.h>

namespace quorvel::tone {
namespace {

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

}  // namespace
}  // namespace quorvel::tone
