#include "ErrorCodes.h"
#include "ImagingError.h"
#include "PixelOps.h"
#include "TestImages.h"

#include <gtest/gtest.h>

#include <cmath>

namespace quorvel::imaging {
namespace {

using testing::patternBitmap;
using testing::pixelAt;
using testing::solidBitmap;

Bitmap pixelsOf(std::initializer_list<std::array<int, 4>> colours, PixelLayout layout) {
    PixelBuffer buffer(int(colours.size()), 1, layout);
    int x = 0;
    for (const auto& colour : colours) {
        for (int c = 0; c < channelCount(layout); ++c) {
            buffer.row(0)[x * channelCount(layout) + c] = std::uint8_t(colour[std::size_t(c)]);
        }
        ++x;
    }
    return Bitmap(std::move(buffer));
}

TEST(Histogram, CountsEachPixelOnceAtItsLuma) {
    // Expected levels from the Rec. 601 weights, computed independently of the integer formula.
    const std::array<std::array<int, 4>, 6> colours{{{255, 0, 0, 9},
                                                     {0, 255, 0, 9},
                                                     {0, 0, 255, 9},
                                                     {255, 255, 255, 0},
                                                     {128, 128, 128, 255},
                                                     {10, 200, 30, 77}}};
    PixelBuffer buffer(6, 1, PixelLayout::Rgba);
    for (int x = 0; x < 6; ++x) {
        for (int c = 0; c < 4; ++c) {
            buffer.row(0)[x * 4 + c] = std::uint8_t(colours[std::size_t(x)][std::size_t(c)]);
        }
    }
    const Histogram counts = computeHistogram(Bitmap(std::move(buffer)), kAllChannels);

    Histogram expected{};
    for (const auto& c : colours) {
        ++expected[std::size_t(std::lround(0.299 * c[0] + 0.587 * c[1] + 0.114 * c[2]))];
    }
    EXPECT_EQ(counts, expected);
    EXPECT_EQ(counts[76], 1u);   // red
    EXPECT_EQ(counts[150], 1u);  // green
    EXPECT_EQ(counts[29], 1u);   // blue
    EXPECT_EQ(counts[255], 1u);  // white, whatever its alpha
}

TEST(Histogram, GreyLevelsAndSingleChannels) {
    const Bitmap grey = pixelsOf({{0}, {7}, {7}, {255}}, PixelLayout::Grey);
    const Histogram greyCounts = computeHistogram(grey, kAllChannels);
    EXPECT_EQ(greyCounts[0], 1u);
    EXPECT_EQ(greyCounts[7], 2u);
    EXPECT_EQ(greyCounts[255], 1u);

    const Bitmap rgb = pixelsOf({{1, 2, 3}, {1, 5, 6}}, PixelLayout::Rgb);
    EXPECT_EQ(computeHistogram(rgb, 1)[1], 2u);
    EXPECT_EQ(computeHistogram(rgb, 2)[5], 1u);
    EXPECT_EQ(computeHistogram(rgb, 3)[6], 1u);

    try {
        computeHistogram(rgb, 4);
        FAIL() << "selector 4 accepted";
    } catch (const ImagingError& error) {
        EXPECT_EQ(error.number(), errc::InvalidParameter);
    }
}

RemapTable tableOf(int (*f)(int)) {
    RemapTable table{};
    for (int v = 0; v < 256; ++v) {
        table[std::size_t(v)] = std::uint8_t(f(v));
    }
    return table;
}

class RemapByLayout : public ::testing::TestWithParam<PixelLayout> {};

TEST_P(RemapByLayout, IdentityKeepsEveryPixelAndInversionSparesAlpha) {
    const Bitmap source = patternBitmap(9, 7, GetParam());
    EXPECT_TRUE(
        samePixels(remapped(source, tableOf([](int v) { return v; }), kAllChannels), source));

    const Bitmap inverted = remapped(source, tableOf([](int v) { return 255 - v; }), kAllChannels);
    for (int y = 0; y < 7; ++y) {
        for (int x = 0; x < 9; ++x) {
            const QColor before = pixelAt(source, x, y);
            const QColor after = pixelAt(inverted, x, y);
            EXPECT_EQ(after.red(), 255 - before.red());
            EXPECT_EQ(after.green(), 255 - before.green());
            EXPECT_EQ(after.blue(), 255 - before.blue());
            EXPECT_EQ(after.alpha(), before.alpha());
        }
    }
}

INSTANTIATE_TEST_SUITE_P(Layouts, RemapByLayout,
                         ::testing::Values(PixelLayout::Grey, PixelLayout::Rgb, PixelLayout::Rgba),
                         ::testing::PrintToStringParamName());

TEST(Remap, OneChannelLeavesTheOthers) {
    const Bitmap source = solidBitmap(3, 2, PixelLayout::Rgba, 10, 20, 30, 40);
    const Bitmap greenOnly = remapped(source, tableOf([](int v) { return 255 - v; }), 2);
    EXPECT_EQ(pixelAt(greenOnly, 2, 1), QColor(10, 235, 30, 40));
}

TEST(Remap, NoPictureIsAnInvalidBitmap) {
    try {
        remapped(Bitmap(), RemapTable{}, kAllChannels);
        FAIL() << "null bitmap accepted";
    } catch (const ImagingError& error) {
        EXPECT_EQ(error.number(), errc::InvalidBitmap);
    }
}

}  // namespace
}  // namespace quorvel::imaging
