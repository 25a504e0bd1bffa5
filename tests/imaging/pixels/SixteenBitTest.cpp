// SPDX-License-Identifier: GPL-3.0-or-later
#include "CaseNames.h"
#include "DepthConversion.h"
#include "FittedView.h"
#include "Geometry.h"
#include "PixelOps.h"
#include "QImageConversion.h"
#include "RemapKernels.h"
#include "TestImages.h"

#include <QColor>

#include <gtest/gtest.h>

#include <algorithm>
#include <atomic>
#include <cmath>
#include <cstdlib>
#include <functional>
#include <optional>
#include <string>
#include <vector>

namespace quorvel::imaging {
namespace {

using quorvel::testing::PrintTo;
using testing::patternBitmap;
using testing::pixelAt;

// Samples that use both bytes: low bytes unlike high bytes, neighbours unlike each other.
Bitmap pattern16(int width, int height, PixelLayout layout) {
    PixelBuffer buffer(width, height, layout, SampleDepth::Sixteen);
    auto* samples = reinterpret_cast<std::uint16_t*>(buffer.data());
    const std::size_t count = buffer.byteCount() / 2;
    for (std::size_t i = 0; i < count; ++i) {
        samples[i] = std::uint16_t(i * 7919 + 12345);
    }
    return Bitmap(std::move(buffer));
}

Bitmap samples16(int width, PixelLayout layout, const std::vector<std::uint16_t>& values) {
    PixelBuffer buffer(width, 1, layout, SampleDepth::Sixteen);
    std::copy(values.begin(), values.end(), reinterpret_cast<std::uint16_t*>(buffer.data()));
    return Bitmap(std::move(buffer));
}

std::vector<std::uint16_t> valuesOf(const Bitmap& bitmap) {
    return {bitmap.samples16(), bitmap.samples16() + bitmap.byteCount() / 2};
}

// The largest difference between two 8-bit pictures of the same size, layout and depth.
int largestDifference(const Bitmap& a, const Bitmap& b) {
    if (a.width() != b.width() || a.layout() != b.layout() || a.byteCount() != b.byteCount()) {
        return 255;
    }
    int largest = 0;
    for (std::size_t i = 0; i < a.byteCount(); ++i) {
        largest = std::max(largest, std::abs(a.pixels()[i] - b.pixels()[i]));
    }
    return largest;
}

TEST(SampleDepth, EightBitLevelsRoundToTheNearestAndWideningIsExact) {
    // (v + 128) / 257: the nearest of the levels 257 apart, halves (none exist) aside.
    const std::vector<std::uint16_t> values{0, 128, 129, 385, 386, 32896, 65406, 65407, 65535};
    const Bitmap narrow = toEightBits(samples16(9, PixelLayout::Grey, values));
    EXPECT_EQ(narrow.depth(), SampleDepth::Eight);
    const std::vector<std::uint8_t> levels(narrow.pixels(), narrow.pixels() + 9);
    EXPECT_EQ(levels, (std::vector<std::uint8_t>{0, 0, 1, 1, 2, 128, 254, 255, 255}));

    const Bitmap eight = patternBitmap(9, 4, PixelLayout::Rgba);
    const Bitmap wide = toSixteenBits(eight);
    EXPECT_EQ(pixelAt(wide, 3, 2), pixelAt(eight, 3, 2));  // 257 v is v in QColor's terms
    EXPECT_TRUE(samePixels(toEightBits(wide), eight));
    EXPECT_TRUE(toEightBits(eight).sharesPixelsWith(eight));
}

TEST(SampleDepth, HistogramCountsEachValueAtItsEightBitLevel) {
    // Levels (255, 0, 0), (0, 255, 0), (0, 0, 255), (1, 1, 1), (128, 128, 128).
    const Bitmap rgb =
        samples16(5, PixelLayout::Rgba, {65535, 0, 0,   9,   128, 65407, 0,     9,     0,     0,
                                         65535, 9, 385, 129, 300, 0,     32896, 32896, 32896, 0});
    const Histogram counts = computeHistogram(rgb, kAllChannels);
    Histogram expected{};
    expected[76] = expected[150] = expected[29] = expected[1] = expected[128] = 1;
    EXPECT_EQ(counts, expected);
    EXPECT_EQ(computeHistogram(rgb, 1)[255], 1u);

    const Histogram grey =
        computeHistogram(samples16(4, PixelLayout::Grey, {128, 129, 65407, 65535}), 2);
    EXPECT_EQ(grey[1], 1u);
    EXPECT_EQ(grey[255], 2u);
}

TEST(SampleDepth, RemapInterpolatesTheCurveBetweenLevels) {
    // Between levels 100 and 101 the curve climbs from 0.5 to 0.6: v = 25829 lies 129 / 257 of
    // the way, so 65535 x (0.5 + 0.1 x 129 / 257) = 36057.
    RemapCurve curve = identityCurve();
    curve[100] = 0.5;
    curve[101] = 0.6;
    curve[255] = 0.75;
    const RemapTable16 table = remapTable16(curve);
    EXPECT_EQ(table[25700], 32768);  // 65535 x 0.5 = 32767.5, the tie goes to the even 32768
    EXPECT_EQ(table[25829], 36057);
    EXPECT_EQ(table[25957], 39321);  // 65535 x 0.6 = 39321
    EXPECT_EQ(table[65535], 49151);  // 65535 x 0.75 = 49151.25
    // Within 254 .. 255 the curve runs from 254 / 255 down to 0.75: 65278 - 129 x 62.75.
    EXPECT_EQ(table[65407], 57183);
}

TEST(SampleDepth, RemapLeavesAlphaAndUnselectedChannels) {
    RemapCurve half{};
    for (std::size_t i = 0; i < half.size(); ++i) {
        half[i] = double(i) / 510.0;
    }
    const Bitmap rgba = samples16(1, PixelLayout::Rgba, {65535, 32896, 514, 1000});
    EXPECT_EQ(valuesOf(remapped(rgba, half, kAllChannels)),
              (std::vector<std::uint16_t>{32768, 16448, 257, 1000}));
    EXPECT_EQ(valuesOf(remapped(rgba, half, 2)),
              (std::vector<std::uint16_t>{65535, 16448, 514, 1000}));
    // An integer table acts as the curve table / 255.
    RemapTable table{};
    for (std::size_t i = 0; i < table.size(); ++i) {
        table[i] = std::uint8_t(255 - i);
    }
    EXPECT_EQ(valuesOf(remapped(rgba, table, kAllChannels)),
              (std::vector<std::uint16_t>{0, 32639, 65021, 1000}));
}

struct WideKernelCase {
    PixelLayout layout;
    unsigned channelMask;
};

void PrintTo(const WideKernelCase& c, std::ostream* out) {
    *out << channelCount(c.layout) << " channels, mask " << c.channelMask;
}

class WideRemapKernel : public ::testing::TestWithParam<WideKernelCase> {};

// All 65536 values in a scrambled order, under every table entry; the pixel counts leave tails of
// every length around the 24-sample period.
TEST_P(WideRemapKernel, AgreesWithThePortableLoop) {
    const WideKernelCase& c = GetParam();
    const std::size_t channels = std::size_t(channelCount(c.layout));
    std::vector<std::uint16_t> table(65536);
    for (std::size_t v = 0; v < table.size(); ++v) {
        table[v] = std::uint16_t(v * 40503u + 977u);
    }
    const std::size_t wholeValues = (65536 + channels - 1) / channels;
    for (std::size_t extra = 0; extra < 25; ++extra) {
        const std::size_t pixels = wholeValues + extra;
        const std::size_t samples = pixels * channels;
        std::vector<std::uint16_t> in(samples);
        for (std::size_t i = 0; i < samples; ++i) {
            in[i] = std::uint16_t(i * 7919u + extra);
        }
        // Eight guard samples either side catch writes outside the output.
        std::vector<std::uint16_t> expected(samples + 16, 0xA5A5);
        std::vector<std::uint16_t> actual(expected);
        remapSamples16Portable(in.data(), expected.data() + 8, pixels, int(channels), c.channelMask,
                               table.data());
        remapSamples16(in.data(), actual.data() + 8, pixels, int(channels), c.channelMask,
                       table.data());
        ASSERT_EQ(actual, expected) << pixels << " pixels";
    }
}

std::vector<WideKernelCase> everyChannelMask() {
    std::vector<WideKernelCase> cases;
    for (const PixelLayout layout : {PixelLayout::Grey, PixelLayout::Rgb, PixelLayout::Rgba}) {
        for (unsigned mask = 0; mask < (1u << channelCount(layout)); ++mask) {
            cases.push_back({layout, mask});
        }
    }
    return cases;
}

INSTANTIATE_TEST_SUITE_P(EveryLayoutAndMask, WideRemapKernel,
                         ::testing::ValuesIn(everyChannelMask()), [](const auto& info) {
                             return "Channels" + std::to_string(channelCount(info.param.layout)) +
                                    "Mask" + std::to_string(info.param.channelMask);
                         });

struct LargeRemapCase {
    std::string name;
    PixelLayout layout;
    int channel;
};

class LargeRemap16 : public ::testing::TestWithParam<LargeRemapCase> {};

// Pictures of several megabytes are remapped in bands on several threads; every sample still
// goes through the table exactly once, band edges and odd sizes included.
TEST_P(LargeRemap16, EverySampleGoesThroughTheTable) {
    const LargeRemapCase& c = GetParam();
    const int width = 1531;
    const int height =
        int((std::size_t(9) << 20) / (std::size_t(width) * 2 * channelCount(c.layout)));
    const Bitmap source = pattern16(width, height, c.layout);
    RemapCurve curve{};
    for (std::size_t i = 0; i < curve.size(); ++i) {
        curve[i] = std::sqrt(double(i) / 255.0);
    }
    const RemapTable16 table = remapTable16(curve);
    const std::vector<std::uint16_t> result = valuesOf(remapped(source, curve, c.channel));
    const std::vector<std::uint16_t> values = valuesOf(source);
    const std::size_t channels = std::size_t(channelCount(c.layout));
    for (std::size_t i = 0; i < values.size(); ++i) {
        const std::size_t channel = i % channels;
        const bool selected =
            c.layout == PixelLayout::Grey ||
            (channel < 3 && (c.channel == kAllChannels || channel == std::size_t(c.channel - 1)));
        ASSERT_EQ(result[i], selected ? table[values[i]] : values[i]) << "sample " << i;
    }
}

const LargeRemapCase kLargeRemapCases[] = {
    {"GreyAll", PixelLayout::Grey, kAllChannels},
    {"RgbBlue", PixelLayout::Rgb, 3},
    {"RgbaGreen", PixelLayout::Rgba, 2},
};
INSTANTIATE_TEST_SUITE_P(LayoutsAndChannels, LargeRemap16, ::testing::ValuesIn(kLargeRemapCases),
                         ::testing::PrintToStringParamName());

TEST(SampleDepth, AnAbandonedRemapMakesNothing) {
    const Bitmap source = pattern16(1531, 1000, PixelLayout::Rgb);
    const RemapTable table{};
    const std::atomic<bool> abandoned{true};
    EXPECT_FALSE(remappedUnlessAbandoned(source, table, identityCurve(), kAllChannels, abandoned));
    const std::atomic<bool> wanted{false};
    const std::optional<Bitmap> made =
        remappedUnlessAbandoned(source, table, identityCurve(), kAllChannels, wanted);
    ASSERT_TRUE(made);
    EXPECT_TRUE(samePixels(*made, source));
}

struct GeometryCase {
    std::string name;
    std::function<Bitmap(const Bitmap&)> operation;
    // Largest difference to the same operation at 8 bits, in 8-bit levels.
    int tolerance;
};

class SixteenBitGeometry : public ::testing::TestWithParam<GeometryCase> {};

// A 16-bit picture made from an 8-bit one comes out as the 8-bit operation's result, to within
// the rounding of the 8-bit kernels: the same rules at either depth.
TEST_P(SixteenBitGeometry, FollowsTheEightBitResult) {
    for (const PixelLayout layout : {PixelLayout::Grey, PixelLayout::Rgb, PixelLayout::Rgba}) {
        const Bitmap eight = patternBitmap(37, 23, layout);
        const Bitmap wide = GetParam().operation(toSixteenBits(eight));
        ASSERT_TRUE(wide.isSixteenBit());
        EXPECT_LE(largestDifference(toEightBits(wide), GetParam().operation(eight)),
                  GetParam().tolerance)
            << int(layout);
    }
}

const GeometryCase kGeometryCases[] = {
    {"Rotate30Grown", [](const Bitmap& b) { return rotated(b, 3000, true, Qt::red); }, 1},
    {"Half", [](const Bitmap& b) { return resized(b, 18, 11, Resampling::HighQuality); }, 1},
    {"Double", [](const Bitmap& b) { return resized(b, 74, 46, Resampling::HighQuality); }, 1},
    {"AnySize", [](const Bitmap& b) { return resized(b, 50, 13, Resampling::HighQuality); }, 1},
    {"Bilinear", [](const Bitmap& b) { return resized(b, 50, 13, Resampling::Bilinear); }, 1},
    {"Nearest", [](const Bitmap& b) { return resized(b, 50, 13, Resampling::Nearest); }, 0},
};

INSTANTIATE_TEST_SUITE_P(Operations, SixteenBitGeometry, ::testing::ValuesIn(kGeometryCases),
                         ::testing::PrintToStringParamName());

TEST(SampleDepth, TurnsKeepEveryBitAndUndoEachOther) {
    for (const PixelLayout layout : {PixelLayout::Grey, PixelLayout::Rgb, PixelLayout::Rgba}) {
        const Bitmap wide = pattern16(41, 19, layout);
        const Bitmap turned = rotated(wide, 9000, false, Qt::white);
        EXPECT_EQ(pixelAt(turned, 18, 0), pixelAt(wide, 0, 0));
        EXPECT_EQ(pixelAt(flipped(wide), 0, 18), pixelAt(wide, 0, 0));
        EXPECT_EQ(pixelAt(mirrored(wide), 40, 0), pixelAt(wide, 0, 0));
        EXPECT_TRUE(samePixels(rotated(turned, 27000, false, Qt::white), wide));
        EXPECT_TRUE(samePixels(flipped(flipped(wide)), wide));
        EXPECT_TRUE(samePixels(mirrored(mirrored(wide)), wide));
        EXPECT_TRUE(samePixels(rotated(wide, 18000, false, Qt::white), flipped(mirrored(wide))));
    }
}

TEST(SampleDepth, ViewsShowTheEightBitLevels) {
    for (const PixelLayout layout : {PixelLayout::Grey, PixelLayout::Rgb, PixelLayout::Rgba}) {
        const Bitmap wide = pattern16(64, 48, layout);
        for (const QSize size : {QSize(21, 16), QSize(128, 96)}) {
            EXPECT_EQ(scaledView(wide, size), scaledView(toEightBits(wide), size)) << int(layout);
        }
    }
    // Qt has no 16-bit RGB format: the conversion gives RGBX64 with every sample kept.
    const Bitmap rgb = pattern16(3, 2, PixelLayout::Rgb);
    const QImage image = toQImage(rgb);
    EXPECT_EQ(image.format(), QImage::Format_RGBX64);
    EXPECT_EQ(image.pixelColor(2, 1), pixelAt(rgb, 2, 1));
}

}  // namespace
}  // namespace quorvel::imaging
