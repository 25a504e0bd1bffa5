// SPDX-License-Identifier: GPL-3.0-or-later
#include "Geometry.h"

#include "ErrorCodes.h"
#include "ResampleKernels.h"
#include "TestImages.h"
#include "TurnKernels.h"

#include <QSize>

#include <gtest/gtest.h>

#include <algorithm>
#include <climits>
#include <cmath>
#include <cstdint>
#include <string>
#include <tuple>
#include <vector>

namespace quorvel::imaging {

namespace {

using quorvel::testing::patternBitmap;
using quorvel::testing::randomBitmap;
using quorvel::testing::solidBitmap;
using ::testing::PrintToString;

// As "#aarrggbb", so that a mismatch reads as colours.
std::string colourAt(const Bitmap& bitmap, int x, int y) {
    return quorvel::testing::pixelAt(bitmap, x, y).name(QColor::HexArgb).toStdString();
}

// Any angle is taken modulo a full turn: INT_MAX = 59652 * 36000 + 11647 and
// INT_MIN = -59653 * 36000 + 24352.
TEST(GeometryTest, FreeTurnsWrapAround) {
    const Bitmap pattern = patternBitmap(6, 4, PixelLayout::Rgb);
    const auto turn = [&](int hundredths) { return rotated(pattern, hundredths, true, Qt::blue); };
    EXPECT_TRUE(samePixels(turn(INT_MAX), turn(11647)));
    EXPECT_TRUE(samePixels(turn(INT_MIN), turn(24352)));
}

// Reductions, an enlargement, and one axis each way. One bright pixel must stay centred on the
// scaled centre of that pixel, not half a source pixel off.
TEST(GeometryTest, ResizeGivesTheExactSizeAndKeepsEverythingInPlace) {
    PixelBuffer buffer(15, 1, PixelLayout::Grey);
    std::fill_n(buffer.data(), 15, std::uint8_t(0));
    buffer.data()[7] = 255;
    const Bitmap dot(std::move(buffer));
    for (const auto kind : {Resampling::Nearest, Resampling::Bilinear, Resampling::HighQuality}) {
        // Premultiplied by a half alpha, where rounding would show.
        const Bitmap solid = solidBitmap(37, 23, PixelLayout::Rgba, 77, 120, 40, 128);
        for (const QSize size : {QSize(1, 1), QSize(10, 7), QSize(100, 61), QSize(111, 9)}) {
            EXPECT_TRUE(samePixels(
                resized(solid, size.width(), size.height(), kind),
                solidBitmap(size.width(), size.height(), PixelLayout::Rgba, 77, 120, 40, 128)))
                << "kind " << int(kind) << ", " << size.width() << "x" << size.height();
        }
        for (const int width : {60, 30, 5}) {
            const Bitmap row = resized(dot, width, 1, kind);
            double weighted = 0, total = 0;
            for (int x = 0; x < width; ++x) {
                weighted += (x + 0.5) * row.row(0)[x];
                total += row.row(0)[x];
            }
            EXPECT_NEAR(weighted / total, width / 2.0, 0.05 * width / 15 + 0.05)
                << "kind " << int(kind) << ", width " << width;
        }
    }
}

// Opaque white beside transparent black: mixing colour without weighting it by alpha would give
// grey where the two meet.
TEST(GeometryTest, NoDarkFringesAndMetadataCarriedOverFromAnUntouchedSource) {
    PixelBuffer buffer(20, 10, PixelLayout::Rgba);
    for (std::size_t i = 0; i < buffer.byteCount(); ++i) {
        buffer.data()[i] = i / 4 % 20 < 9 ? 255 : 0;
    }
    const Bitmap source(std::move(buffer),
                        Metadata{"exif bytes", "icc bytes", "xmp bytes", "iptc bytes"});
    const std::vector<std::uint8_t> before(source.pixels(), source.pixels() + source.byteCount());
    const auto all = [](const Metadata& m) {
        return m.exif + '|' + m.icc + '|' + m.xmp + '|' + m.iptc;
    };
    for (const Bitmap& result :
         {resized(source, 7, 4, Resampling::HighQuality),
          resized(source, 47, 23, Resampling::Bilinear), rotated(source, 1234, true, Qt::white),
          rotated(source, 9000, true, Qt::white), flipped(source), mirrored(source)}) {
        EXPECT_EQ(all(result.metadata()), "exif bytes|icc bytes|xmp bytes|iptc bytes");
        for (std::size_t i = 0; i < result.byteCount(); i += 4) {
            const std::uint8_t* p = result.pixels() + i;
            EXPECT_TRUE(p[3] == 0 || std::min({p[0], p[1], p[2]}) >= 250)
                << result.width() << "x" << result.height() << " pixel " << i / 4;
        }
    }
    EXPECT_TRUE(std::equal(before.begin(), before.end(), source.pixels()));
}

// A long thin strip turned by 45 degrees needs a canvas of about 21000 x 21000.
TEST(GeometryTest, AGrownTurnOverTheBudgetIsRefused) {
    EXPECT_EQ(quorvel::testing::errorOf([] {
                  rotated(patternBitmap(1, 30000, PixelLayout::Grey), 4500, true, Qt::white);
              }),
              errc::NoMemory);
}

class GeometryTurnTest : public ::testing::TestWithParam<std::tuple<PixelLayout, QSize>> {};

// Round trips alone cannot tell clockwise from anticlockwise, nor a flip from a mirror, nor catch a
// band of a large picture turned on its own: the pixel at the end of the top row shows where each
// went. The vector kernels must equal the portable loops, in bands that start and end off their
// 16 x 16 tile grid, and leave the guard bytes (0xA5, 64 each side) around their output alone.
// With every input pixel on an output pixel centre, the bilinear quarter turn is the exact one.
TEST_P(GeometryTurnTest, TurnsAndFlipsAreExactAndTheirKernelsAgree) {
    const auto [layout, size] = GetParam();
    const int w = size.width(), h = size.height(), channels = channelCount(layout);
    // Alpha is never 0, whose colour mixing weighted by alpha may drop.
    const Bitmap picture =
        randomBitmap(w, h, layout, unsigned(w * h), layout == PixelLayout::Rgba ? 1 : 0);
    const std::string marked = colourAt(picture, w - 1, 0);
    const Bitmap quarter = rotated(picture, 9000, false, Qt::black);
    const Bitmap half = rotated(picture, 18000, false, Qt::black);
    ASSERT_EQ(QSize(quarter.width(), quarter.height()), QSize(h, w));
    EXPECT_EQ(colourAt(quarter, h - 1, w - 1), marked);
    EXPECT_EQ(colourAt(half, 0, h - 1), marked);
    EXPECT_EQ(colourAt(flipped(picture), w - 1, h - 1), marked);
    EXPECT_EQ(colourAt(mirrored(picture), 0, 0), marked);
    EXPECT_TRUE(samePixels(rotated(quarter, 27000, false, Qt::black), picture));
    EXPECT_TRUE(samePixels(rotated(half, 18000, false, Qt::black), picture));
    EXPECT_TRUE(samePixels(flipped(flipped(picture)), picture));
    EXPECT_TRUE(samePixels(mirrored(mirrored(picture)), picture));

    const std::uint8_t* in = picture.pixels();
    std::vector<std::uint8_t> portable(picture.byteCount() + 128, 0xA5), vector = portable;
    mirrorPixelsPortable(in, portable.data() + 64, std::size_t(w) * std::size_t(h), channels);
    mirrorPixels(in, vector.data() + 64, std::size_t(w) * std::size_t(h), channels);
    EXPECT_EQ(vector, portable) << "mirrored";
    for (const bool clockwise : {false, true}) {
        turnQuarterPortable(in, w, h, channels, clockwise, portable.data() + 64, 0, w);
        turnQuarter(in, w, h, channels, clockwise, vector.data() + 64, 0, w / 3);
        turnQuarter(in, w, h, channels, clockwise, vector.data() + 64, w / 3, w);
        EXPECT_EQ(vector, portable) << (clockwise ? "clockwise" : "anticlockwise");
    }
    const std::uint8_t fill[4] = {1, 2, 3, 255};
    rotateBilinear(in, w, h, channels, fill, 0.0, 1.0, vector.data() + 64, h, w, 0, w);
    EXPECT_EQ(vector, portable) << "bilinear";
    if (layout != PixelLayout::Rgba) {
        vector = portable = std::vector<std::uint8_t>(4 * picture.byteCount() + 128, 0xA5);
        cubicDoublePortable(in, w, h, channels, portable.data() + 64, 0, 2 * h);
        cubicDouble(in, w, h, channels, vector.data() + 64, 0, h / 3);
        cubicDouble(in, w, h, channels, vector.data() + 64, h / 3, 2 * h);
        EXPECT_EQ(vector, portable) << "doubled";
    }
}

// Sizes around the vector widths and the tiles, so that every tail is taken; the largest is made in
// bands on several threads.
INSTANTIATE_TEST_SUITE_P(
    Sizes, GeometryTurnTest,
    ::testing::Combine(::testing::Values(PixelLayout::Grey, PixelLayout::Rgb, PixelLayout::Rgba),
                       ::testing::Values(QSize(1, 1), QSize(7, 4), QSize(16, 16), QSize(17, 15),
                                         QSize(21, 3), QSize(33, 47), QSize(530, 20),
                                         QSize(1501, 1001))),
    [](const auto& info) {
        const QSize size = std::get<1>(info.param);
        return PrintToString(std::get<0>(info.param)) + "_" + std::to_string(size.width()) + "x" +
               std::to_string(size.height());
    });

// High quality resizing straight from its definition: each input pixel weighs its share of the
// output pixel's area in reductions, a Catmull-Rom cubic in enlargements; edge pixels repeated,
// rounded half up. Exact in double for doubling (weights are multiples of 1/128) and for whole
// factors (an average over an odd count is never near a half; over an even one here, exact).
Bitmap highQuality(const Bitmap& source, QSize size) {
    const auto weight = [](double distance, double scale) {
        const double d = std::abs(distance);
        const double k = d < 1 ? (1.5 * d - 2.5) * d * d + 1 : ((-0.5 * d + 2.5) * d - 4) * d + 2;
        return scale > 1 ? (d < scale / 2 ? 1 / scale : 0) : d < 2 ? k : 0;
    };
    const int w = source.width(), h = source.height(), channels = source.channels();
    const double sx = double(w) / size.width(), sy = double(h) / size.height();
    PixelBuffer buffer(size.width(), size.height(), source.layout());
    for (int y = 0; y < size.height(); ++y) {
        const double v = (y + 0.5) * sy - 0.5;
        for (int b = 0; b < size.width() * channels; ++b) {
            const double u = (b / channels + 0.5) * sx - 0.5;
            double sum = 0;
            for (int j = int(v - sy) - 2; j <= int(v + sy) + 2; ++j) {
                const std::uint8_t* row = source.row(std::clamp(j, 0, h - 1)) + b % channels;
                for (int i = int(u - sx) - 2; i <= int(u + sx) + 2; ++i) {
                    sum += weight(u - i, sx) * weight(v - j, sy) *
                           row[std::clamp(i, 0, w - 1) * channels];
                }
            }
            buffer.row(y)[b] = std::uint8_t(std::clamp(std::floor(sum + 0.5), 0.0, 255.0));
        }
    }
    return Bitmap(std::move(buffer));
}

// Whole-factor reductions and doubling take exact fast paths.
TEST(GeometryTest, WholeFactorReductionsAndDoublingAreExact) {
    const auto expectExact = [](const Bitmap& picture, QSize to) {
        const Bitmap result = resized(picture, to.width(), to.height(), Resampling::HighQuality);
        EXPECT_TRUE(samePixels(result, highQuality(picture, to)))
            << PrintToString(picture.layout()) << " " << picture.width() << "x" << picture.height()
            << " to " << to.width() << "x" << to.height();
    };
    for (const PixelLayout layout : {PixelLayout::Grey, PixelLayout::Rgb}) {
        for (const auto box : {QSize(2, 2), QSize(3, 3), QSize(4, 1), QSize(1, 3), QSize(11, 11)}) {
            // Odd sizes, and a row long enough for the column sums to come in several strips.
            for (const int across : {3, 1501}) {
                expectExact(randomBitmap(box.width() * across, box.height() * 5, layout, 2),
                            QSize(across, 5));
            }
        }
        for (const QSize size : {QSize(1, 1), QSize(2, 3), QSize(7, 5), QSize(37, 4)}) {
            expectExact(randomBitmap(size.width(), size.height(), layout, 3), size * 2);
        }
    }
}

// The picture with its grey level in every colour channel, opaque.
Bitmap spread(const Bitmap& grey, PixelLayout layout) {
    PixelBuffer buffer(grey.width(), grey.height(), layout);
    const std::size_t channels = std::size_t(channelCount(layout));
    for (std::size_t i = 0; i < buffer.byteCount(); ++i) {
        buffer.data()[i] = i % channels == 3 ? 255 : grey.pixels()[i / channels];
    }
    return Bitmap(std::move(buffer));
}

// The RGB turn runs a vector path inside the picture; grey and opaque RGBA pixels are mixed one
// channel at a time, and must come out the same. Thin pictures too, where hardly any pixel has all
// its neighbours.
TEST(GeometryTest, FreeTurnsMixEveryLayoutAlike) {
    for (const QSize size : {QSize(40, 31), QSize(40, 1), QSize(1, 31), QSize(2, 2)}) {
        const Bitmap grey = randomBitmap(size.width(), size.height(), PixelLayout::Grey, 5);
        for (const PixelLayout layout : {PixelLayout::Rgb, PixelLayout::Rgba}) {
            for (const int angle : {1234, 3000, 31000}) {
                EXPECT_TRUE(samePixels(rotated(spread(grey, layout), angle, true, Qt::darkGray),
                                       spread(rotated(grey, angle, true, Qt::darkGray), layout)))
                    << PrintToString(layout) << " " << size.width() << "x" << size.height()
                    << " by " << angle;
            }
        }
    }
}

}  // namespace
}  // namespace quorvel::imaging
