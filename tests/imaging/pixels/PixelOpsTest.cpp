// SPDX-License-Identifier: GPL-3.0-or-later
#include "CaseNames.h"
#include "ErrorCodes.h"
#include "PixelOps.h"
#include "RemapKernels.h"
#include "TestImages.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <random>
#include <vector>

namespace quorvel::imaging {
namespace {

using quorvel::testing::PrintTo;

using testing::patternBitmap;
using testing::pixelAt;
using testing::randomBitmap;
using testing::solidBitmap;

class HistogramOfLargerPictures : public ::testing::TestWithParam<PixelLayout> {};

TEST_P(HistogramOfLargerPictures, MatchesAPixelByPixelCount) {
    // Large enough for the block-wise luma pass, with a partial last block.
    const Bitmap picture = randomBitmap(301, 23, GetParam(), 11);
    for (int channel = kAllChannels; channel <= 3; ++channel) {
        Histogram expected{};
        for (int y = 0; y < picture.height(); ++y) {
            for (int x = 0; x < picture.width(); ++x) {
                const QColor c = pixelAt(picture, x, y);
                const int values[4] = {
                    (299 * c.red() + 587 * c.green() + 114 * c.blue() + 500) / 1000, c.red(),
                    c.green(), c.blue()};
                ++expected[std::size_t(GetParam() == PixelLayout::Grey ? c.red()
                                                                       : values[channel])];
            }
        }
        EXPECT_EQ(computeHistogram(picture, channel), expected) << "channel " << channel;
    }
    EXPECT_EQ(testing::errorOf([&] { computeHistogram(picture, 4); }), errc::InvalidParameter);
}

INSTANTIATE_TEST_SUITE_P(Layouts, HistogramOfLargerPictures,
                         ::testing::Values(PixelLayout::Grey, PixelLayout::Rgb, PixelLayout::Rgba),
                         ::testing::PrintToStringParamName());

RemapTable tableOf(int (*f)(int)) {
    RemapTable table{};
    for (int v = 0; v < 256; ++v) {
        table[std::size_t(v)] = std::uint8_t(f(v));
    }
    return table;
}

class RemapByLayout : public ::testing::TestWithParam<PixelLayout> {};

TEST_P(RemapByLayout, InversionSparesAlpha) {
    const Bitmap source = patternBitmap(9, 7, GetParam());
    const Bitmap inverted = remapped(source, tableOf([](int v) { return 255 - v; }), kAllChannels);
    for (int y = 0; y < 7; ++y) {
        for (int x = 0; x < 9; ++x) {
            const QColor before = pixelAt(source, x, y);
            const QColor after = pixelAt(inverted, x, y);
            EXPECT_EQ(after, QColor(255 - before.red(), 255 - before.green(), 255 - before.blue(),
                                    before.alpha()));
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

TEST(Remap, ANewWorkingPictureReusesTheMemoryOfTheOneReleased) {
    // A slider drag remaps the same picture again and again; each result replaces the last.
    const Bitmap base = patternBitmap(700, 600, PixelLayout::Rgb);
    const RemapTable inverse = tableOf([](int v) { return 255 - v; });
    Bitmap working = remapped(base, inverse, kAllChannels);
    const std::uint8_t* released = working.pixels();
    working = Bitmap();
    working = remapped(base, inverse, kAllChannels);
    EXPECT_EQ(working.pixels(), released);
    EXPECT_EQ(pixelAt(working, 699, 599).red(), 255 - pixelAt(base, 699, 599).red());
}

struct KernelCase {
    const char* name;
    int channels;
    unsigned channelMask;
};

class RemapKernel : public ::testing::TestWithParam<KernelCase> {};

TEST_P(RemapKernel, AgreesWithThePortableLoop) {
    const KernelCase& c = GetParam();
    std::mt19937 random(c.channelMask * 31 + unsigned(c.channels));
    // A 64-byte aligned place with at least 64 bytes before it.
    const auto aligned = [](std::vector<std::uint8_t>& bytes) {
        const auto address = reinterpret_cast<std::uintptr_t>(bytes.data()) + 64;
        return bytes.data() + 64 + (64 - address % 64) % 64;
    };
    // Lengths around the 64-byte vectors and 192-byte periods, one large enough for streaming
    // stores, and a start offset that leaves the vectors unaligned.
    for (const std::size_t pixels : {std::size_t(1), std::size_t(21), std::size_t(64),
                                     std::size_t(65), std::size_t(1001), std::size_t(5) << 20}) {
        for (const std::size_t offset : {std::size_t(0), std::size_t(5)}) {
            RemapTable table{};
            for (auto& entry : table) {
                entry = std::uint8_t(random());
            }
            const std::size_t bytes = pixels * std::size_t(c.channels);
            std::vector<std::uint8_t> in(bytes + 256);
            for (auto& byte : in) {
                byte = std::uint8_t(random());
            }
            std::vector<std::uint8_t> expected(bytes + 256, 0xA5);
            std::vector<std::uint8_t> actual(expected);
            const std::uint8_t* from = aligned(in) + offset;
            std::uint8_t* expectedOut = aligned(expected) + offset;
            std::uint8_t* actualOut = aligned(actual) + offset;
            remapPixelsPortable(from, expectedOut, pixels, c.channels, c.channelMask, table);
            remapPixels(from, actualOut, pixels, c.channels, c.channelMask, table);
            // 64 guard bytes either side catch writes outside the output.
            ASSERT_TRUE(std::equal(actualOut - 64, actualOut + bytes + 64, expectedOut - 64))
                << pixels << " pixels at offset " << offset;
        }
    }
}

INSTANTIATE_TEST_SUITE_P(
    Selections, RemapKernel,
    ::testing::Values(KernelCase{"Grey", 1, 0b1}, KernelCase{"RgbAll", 3, 0b111},
                      KernelCase{"RgbRed", 3, 0b001}, KernelCase{"RgbGreen", 3, 0b010},
                      KernelCase{"RgbBlue", 3, 0b100}, KernelCase{"RgbaColours", 4, 0b0111},
                      KernelCase{"RgbaGreen", 4, 0b0010}),
    ::testing::PrintToStringParamName());

}  // namespace
}  // namespace quorvel::imaging
