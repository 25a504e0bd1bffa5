#include "LevelHistogram.h"

#include <gtest/gtest.h>

#include <numeric>

namespace quorvel::tone {
namespace {

TEST(LevelHistogramTest, ScalesCountsToTheReferencePicture) {
    LevelCounts counts{};
    counts[0] = 7;
    counts[128] = 3;
    counts[255] = 1000;
    // 7 pixels of a 3 x 5 picture stand for 7 / 15 of 1600 x 1200.
    const LevelHistogram scaled = scaledLevelHistogram(counts, 3.0f, 5.0f);
    EXPECT_EQ(scaled[0], 896000.0);
    EXPECT_EQ(scaled[128], 384000.0);
    EXPECT_EQ(scaled[255], 128000000.0);
    EXPECT_EQ(scaled[1], 0.0);
    EXPECT_EQ(scaled[256], 0.0);
}

TEST(LevelHistogramTest, DividesByWidthThenByHeight) {
    LevelCounts counts{};
    counts[10] = 1;
    const LevelHistogram scaled = scaledLevelHistogram(counts, 7.0f, 3.0f);
    // Dividing 1920000 by 21 at once gives ...143 in the last place.
    EXPECT_EQ(scaled[10], 91428.57142857142);
}

TEST(LevelHistogramTest, ReferenceSizeKeepsTheCounts) {
    LevelCounts counts{};
    std::iota(counts.begin(), counts.end(), 1000);
    const LevelHistogram scaled = scaledLevelHistogram(counts, 1600.0f, 1200.0f);
    for (std::size_t level = 0; level < counts.size(); ++level) {
        EXPECT_EQ(scaled[level], double(counts[level])) << "level " << level;
    }
}

}  // namespace
}  // namespace quorvel::tone
