#include "Geometry.h"

#include "ErrorCodes.h"
#include "ImagingError.h"
#include "ResampleKernels.h"
#include "TestImages.h"
#include "TurnKernels.h"

#include <QSize>

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <algorithm>
#include <climits>
#include <cmath>
#include <cstdint>
#include <functional>
#include <ostream>
#include <random>
#include <string>
#include <vector>

namespace quorvel::imaging {

namespace {

using quorvel::testing::patternBitmap;
using quorvel::testing::solidBitmap;

// As "#aarrggbb", so that a mismatch reads as colours.
std::string colourAt(const Bitmap& bitmap, int x, int y) {
    return quorvel::testing::pixelAt(bitmap, x, y).name(QColor::HexArgb).toStdString();
}

class GeometryLosslessTest : public ::testing::TestWithParam<PixelLayout> {};

// Round trips alone cannot tell clockwise from anticlockwise, nor a flip from a mirror: the
// pixel at (1, 0) shows which way each went.
TEST_P(GeometryLosslessTest, TurnsAndFlipsMovePixelsAndUndoThemselves) {
    const Bitmap picture = patternBitmap(7, 4, GetParam());
    const std::string marked = colourAt(picture, 1, 0);
    const Bitmap quarter = rotated(picture, 9000, false, Qt::black);
    const Bitmap half = rotated(picture, 18000, false, Qt::black);
    ASSERT_EQ(QSize(quarter.width(), quarter.height()), QSize(4, 7));
    EXPECT_EQ(colourAt(quarter, 3, 1), marked);
    EXPECT_EQ(colourAt(half, 5, 3), marked);
    EXPECT_EQ(colourAt(flipped(picture), 1, 3), marked);
    EXPECT_EQ(colourAt(mirrored(picture), 5, 0), marked);
    EXPECT_TRUE(samePixels(rotated(quarter, 27000, false, Qt::black), picture));
    EXPECT_TRUE(samePixels(rotated(half, 18000, false, Qt::black), picture));
    EXPECT_TRUE(samePixels(flipped(flipped(picture)), picture));
    EXPECT_TRUE(samePixels(mirrored(mirrored(picture)), picture));
}

INSTANTIATE_TEST_SUITE_P(Layouts, GeometryLosslessTest,
                         ::testing::Values(PixelLayout::Grey, PixelLayout::Rgb, PixelLayout::Rgba),
                         ::testing::PrintToStringParamName());

TEST(GeometryTest, AnglesWrapAroundAFullTurn) {
    const Bitmap picture = patternBitmap(6, 4, PixelLayout::Rgb);
    const auto turn = [&](int hundredths) { return rotated(picture, hundredths, true, Qt::blue); };
    EXPECT_TRUE(samePixels(turn(-9000), turn(27000)));
    EXPECT_TRUE(samePixels(turn(36000 + 9000), turn(9000)));
    // INT_MAX = 59652 * 36000 + 11647; INT_MIN = -59653 * 36000 + 24352.
    EXPECT_TRUE(samePixels(turn(INT_MAX), turn(11647)));
    EXPECT_TRUE(samePixels(turn(INT_MIN), turn(24352)));
}

TEST(GeometryTest, FreeTurnGrowsAndFillsOrKeepsTheCanvas) {
    const Bitmap picture = solidBitmap(30, 20, PixelLayout::Rgba, 200, 100, 50);
    const Bitmap grown = rotated(picture, 4500, true, Qt::red);
    EXPECT_EQ(QSize(grown.width(), grown.height()), QSize(36, 36));  // ceil(50 / sqrt 2)
    EXPECT_EQ(colourAt(grown, 0, 0), "#ffff0000");
    EXPECT_EQ(colourAt(grown, 35, 35), "#ffff0000");
    EXPECT_EQ(colourAt(grown, 18, 18), colourAt(picture, 0, 0));
    const Bitmap kept = rotated(picture, 4500, false, Qt::red);
    ASSERT_EQ(QSize(kept.width(), kept.height()), QSize(30, 20));
    EXPECT_EQ(colourAt(kept, 0, 0), "#ffff0000");
    EXPECT_EQ(colourAt(kept, 15, 10), colourAt(picture, 0, 0));
}

TEST(GeometryTest, ResizeGivesTheExactSizeAndKeepsAUniformPictureUniform) {
    for (const auto kind : {Resampling::Nearest, Resampling::Bilinear, Resampling::HighQuality}) {
        for (const PixelLayout layout : {PixelLayout::Grey, PixelLayout::Rgba}) {
            const Bitmap picture = solidBitmap(37, 23, layout, 77, 120, 40, 128);
            // Reductions, an enlargement, and one axis each way.
            for (const QSize size : {QSize(1, 1), QSize(10, 7), QSize(100, 61), QSize(111, 9)}) {
                EXPECT_TRUE(
                    samePixels(resized(picture, size.width(), size.height(), kind),
                               solidBitmap(size.width(), size.height(), layout, 77, 120, 40, 128)))
                    << "kind " << int(kind) << ", layout " << ::testing::PrintToString(layout)
                    << ", " << size.width() << "x" << size.height();
            }
        }
    }
}

TEST(GeometryTest, ResamplingKeepsFeaturesInPlace) {
    // One bright pixel in the middle of a dark row: after scaling, the brightness must still be
    // centred on the scaled centre of that pixel, not half a source pixel off.
    PixelBuffer buffer(15, 1, PixelLayout::Grey);
    std::fill_n(buffer.data(), 15, std::uint8_t(0));
    buffer.data()[7] = 255;
    const Bitmap row(std::move(buffer));
    for (const Resampling resampling : {Resampling::Bilinear, Resampling::HighQuality}) {
        for (const int width : {60, 30, 5}) {
            const Bitmap result = resized(row, width, 1, resampling);
            double weighted = 0;
            double total = 0;
            for (int x = 0; x < width; ++x) {
                weighted += (x + 0.5) * result.row(0)[x];
                total += result.row(0)[x];
            }
            EXPECT_NEAR(weighted / total, width / 2.0, 0.05 * width / 15 + 0.05)
                << "width " << width;
        }
    }
}

TEST(GeometryTest, TransparentAreasCauseNoDarkFringes) {
    // Opaque white beside transparent black: mixing colour without weighting it by alpha would
    // give grey where the two meet.
    PixelBuffer buffer(20, 10, PixelLayout::Rgba);
    for (std::size_t i = 0; i < buffer.byteCount(); ++i) {
        buffer.data()[i] = i / 4 % 20 < 9 ? 255 : 0;
    }
    const Bitmap picture(std::move(buffer));
    for (const Bitmap& result : {resized(picture, 7, 4, Resampling::HighQuality),
                                 resized(picture, 47, 23, Resampling::HighQuality),
                                 rotated(picture, 1234, true, Qt::white)}) {
        int blended = 0;
        for (std::size_t i = 0; i < result.byteCount(); i += 4) {
            const std::uint8_t* p = result.pixels() + i;
            EXPECT_TRUE(p[3] == 0 || std::min({p[0], p[1], p[2]}) >= 250)
                << result.width() << "x" << result.height() << " pixel " << i / 4;
            blended += p[3] > 0 && p[3] < 255;
        }
        EXPECT_GT(blended, 0) << "no blended edge to look at";
    }
}

struct Refusal {
    std::string name;
    int number;
    std::function<void()> work;
    friend void PrintTo(const Refusal& refusal, std::ostream* out) { *out << refusal.name; }
};

class GeometryRefusalTest : public ::testing::TestWithParam<Refusal> {};

TEST_P(GeometryRefusalTest, ThrowsItsError) {
    EXPECT_THAT(GetParam().work, ::testing::Throws<ImagingError>(::testing::Property(
                                     &ImagingError::number, GetParam().number)));
}

void resizeSmall(int width, int height) {
    resized(patternBitmap(4, 4, PixelLayout::Rgb), width, height, Resampling::HighQuality);
}

INSTANTIATE_TEST_SUITE_P(
    Cases, GeometryRefusalTest,
    ::testing::Values(
        Refusal{"ZeroWidth", errc::InvalidSize, [] { resizeSmall(0, 10); }},
        Refusal{"NegativeHeight", errc::InvalidSize, [] { resizeSmall(10, -1); }},
        Refusal{"ResizeOverBudget", errc::NoMemory, [] { resizeSmall(100000, 100000); }},
        // A long thin strip turned by 45 degrees needs a canvas of about 21000 x 21000.
        Refusal{"GrownTurnOverBudget", errc::NoMemory,
                [] { rotated(patternBitmap(1, 30000, PixelLayout::Grey), 4500, true, Qt::white); }},
        Refusal{"NullResize", errc::InvalidBitmap,
                [] { resized(Bitmap(), 3, 3, Resampling::Bilinear); }},
        Refusal{"NullTurn", errc::InvalidBitmap, [] { rotated(Bitmap(), 1234, true, Qt::white); }},
        Refusal{"NullFlip", errc::InvalidBitmap, [] { flipped(Bitmap()); }},
        Refusal{"NullMirror", errc::InvalidBitmap, [] { mirrored(Bitmap()); }}),
    [](const auto& info) { return info.param.name; });

TEST(GeometryTest, CarriesMetadataOverAndLeavesTheSourceAlone) {
    const Metadata metadata{"exif bytes", "icc bytes", "xmp bytes"};
    const Bitmap source = patternBitmap(6, 7, PixelLayout::Rgb).withMetadata(metadata);
    const auto all = [](const Metadata& m) { return m.exif + '|' + m.icc + '|' + m.xmp; };
    for (const Bitmap& result :
         {resized(source, 3, 5, Resampling::HighQuality),
          resized(source, 13, 9, Resampling::Bilinear), rotated(source, 9000, true, Qt::white),
          rotated(source, 1234, true, Qt::white), flipped(source), mirrored(source)}) {
        EXPECT_EQ(all(result.metadata()), all(metadata));
    }
    EXPECT_TRUE(samePixels(source, patternBitmap(6, 7, PixelLayout::Rgb)));
}

// Noise: no structure for a wrong offset or channel to hide in.
Bitmap randomBitmap(int width, int height, PixelLayout layout, unsigned seed) {
    std::mt19937 random(seed);
    PixelBuffer buffer(width, height, layout);
    for (std::size_t i = 0; i < buffer.byteCount(); ++i) {
        buffer.data()[i] = std::uint8_t(random());
    }
    return Bitmap(std::move(buffer));
}

// Bytes in a run with guard bytes either side, which must survive a kernel's writes.
class GuardedBytes {
public:
    explicit GuardedBytes(std::size_t count) : bytes_(count + 2 * kGuard, kGuardValue) {}
    std::uint8_t* data() { return bytes_.data() + kGuard; }
    const std::vector<std::uint8_t>& all() const { return bytes_; }

private:
    static constexpr std::size_t kGuard = 64;
    static constexpr std::uint8_t kGuardValue = 0xA5;
    std::vector<std::uint8_t> bytes_;
};

class TurnKernelTest : public ::testing::TestWithParam<PixelLayout> {};

// Lengths and sizes around the vector widths and the 16 x 16 tiles, so that every tail is taken.
TEST_P(TurnKernelTest, MirrorAgreesWithThePortableLoop) {
    const int channels = channelCount(GetParam());
    for (const int pixels : {1, 15, 16, 20, 21, 22, 63, 64, 65, 1000}) {
        const Bitmap row = randomBitmap(pixels, 1, GetParam(), unsigned(pixels));
        GuardedBytes expected(row.byteCount());
        GuardedBytes actual(row.byteCount());
        mirrorPixelsPortable(row.pixels(), expected.data(), std::size_t(pixels), channels);
        mirrorPixels(row.pixels(), actual.data(), std::size_t(pixels), channels);
        EXPECT_EQ(actual.all(), expected.all()) << pixels << " pixels";
        // The portable loop against the plain definition.
        const std::uint8_t* last = row.pixels() + (pixels - 1) * channels;
        EXPECT_TRUE(std::equal(last, last + channels, expected.data())) << pixels << " pixels";
    }
}

TEST_P(TurnKernelTest, QuarterTurnsAgreeWithThePortableLoopInBands) {
    const int channels = channelCount(GetParam());
    for (const QSize size : {QSize(1, 1), QSize(16, 16), QSize(17, 15), QSize(33, 47),
                             QSize(70, 35), QSize(530, 20)}) {
        const Bitmap picture =
            randomBitmap(size.width(), size.height(), GetParam(), unsigned(size.width()));
        for (const bool clockwise : {true, false}) {
            GuardedBytes expected(picture.byteCount());
            GuardedBytes actual(picture.byteCount());
            const int rows = size.width();
            turnQuarterPortable(picture.pixels(), size.width(), size.height(), channels, clockwise,
                                expected.data(), 0, rows);
            // Bands that start and end off the tile grid.
            turnQuarter(picture.pixels(), size.width(), size.height(), channels, clockwise,
                        actual.data(), 0, rows / 3);
            turnQuarter(picture.pixels(), size.width(), size.height(), channels, clockwise,
                        actual.data(), rows / 3, rows);
            EXPECT_EQ(actual.all(), expected.all())
                << size.width() << "x" << size.height() << (clockwise ? " clockwise" : "");
        }
    }
}

INSTANTIATE_TEST_SUITE_P(Layouts, TurnKernelTest,
                         ::testing::Values(PixelLayout::Grey, PixelLayout::Rgb, PixelLayout::Rgba),
                         ::testing::PrintToStringParamName());

// Pictures over the size that is made in bands on several threads.
TEST(GeometryTest, LargePicturesTurnAndFlipBackExactly) {
    const Bitmap picture = randomBitmap(1501, 1001, PixelLayout::Rgb, 7);
    EXPECT_TRUE(samePixels(rotated(rotated(picture, 9000, true, Qt::white), 27000, true, Qt::white),
                           picture));
    EXPECT_TRUE(samePixels(
        rotated(rotated(picture, 18000, true, Qt::white), 18000, true, Qt::white), picture));
    EXPECT_TRUE(samePixels(flipped(flipped(picture)), picture));
    EXPECT_TRUE(samePixels(mirrored(mirrored(picture)), picture));
    const Bitmap half = rotated(picture, 18000, true, Qt::white);
    EXPECT_EQ(colourAt(half, 0, 0), colourAt(picture, 1500, 1000));
    EXPECT_EQ(colourAt(half, 1500, 400), colourAt(picture, 0, 600));
}

// The average of each box, rounded half up, from plain sums.
Bitmap boxAverages(const Bitmap& source, int factorX, int factorY) {
    const int channels = source.channels();
    PixelBuffer buffer(source.width() / factorX, source.height() / factorY, source.layout());
    const int n = factorX * factorY;
    for (int y = 0; y < buffer.height(); ++y) {
        for (int x = 0; x < buffer.width(); ++x) {
            for (int c = 0; c < channels; ++c) {
                int sum = 0;
                for (int j = 0; j < factorY; ++j) {
                    for (int i = 0; i < factorX; ++i) {
                        sum += source.row(y * factorY + j)[(x * factorX + i) * channels + c];
                    }
                }
                buffer.row(y)[x * channels + c] = std::uint8_t((2 * sum + n) / (2 * n));
            }
        }
    }
    return Bitmap(std::move(buffer));
}

struct Box {
    int factorX;
    int factorY;
};

TEST(GeometryTest, WholeFactorReductionsAreExactBoxAverages) {
    for (const PixelLayout layout : {PixelLayout::Grey, PixelLayout::Rgb}) {
        for (const Box box : {Box{2, 2}, Box{3, 3}, Box{5, 5}, Box{4, 1}, Box{1, 3}, Box{11, 11}}) {
            // Odd sizes, and a row long enough for the column sums to come in several strips.
            for (const int across : {3, 1501}) {
                const Bitmap picture = randomBitmap(box.factorX * across, box.factorY * 5, layout,
                                                    unsigned(box.factorX * 31 + across));
                const Bitmap result = resized(picture, across, 5, Resampling::HighQuality);
                EXPECT_TRUE(samePixels(result, boxAverages(picture, box.factorX, box.factorY)))
                    << ::testing::PrintToString(layout) << " " << box.factorX << "x" << box.factorY
                    << ", " << across << " across";
            }
        }
    }
}

double catmullRom(double distance) {
    const double d = std::abs(distance);
    return d < 1   ? 1.5 * d * d * d - 2.5 * d * d + 1
           : d < 2 ? -0.5 * d * d * d + 2.5 * d * d - 4 * d + 2
                   : 0;
}

// Separable Catmull-Rom cubics straight from their definition, edge pixels repeated. For doubling
// every weight is a multiple of 1/128, so these sums are exact in double.
Bitmap cubicDoubled(const Bitmap& source) {
    const int w = source.width();
    const int h = source.height();
    const int channels = source.channels();
    PixelBuffer buffer(2 * w, 2 * h, source.layout());
    for (int y = 0; y < 2 * h; ++y) {
        const double v = (y + 0.5) / 2 - 0.5;
        for (int x = 0; x < 2 * w; ++x) {
            const double u = (x + 0.5) / 2 - 0.5;
            for (int c = 0; c < channels; ++c) {
                double sum = 0;
                for (int j = int(std::floor(v)) - 1; j <= int(std::floor(v)) + 2; ++j) {
                    for (int i = int(std::floor(u)) - 1; i <= int(std::floor(u)) + 2; ++i) {
                        const std::uint8_t* p = source.row(std::clamp(j, 0, h - 1));
                        sum += catmullRom(u - i) * catmullRom(v - j) *
                               p[std::clamp(i, 0, w - 1) * channels + c];
                    }
                }
                buffer.row(y)[x * channels + c] =
                    std::uint8_t(std::clamp(std::floor(sum + 0.5), 0.0, 255.0));
            }
        }
    }
    return Bitmap(std::move(buffer));
}

TEST(GeometryTest, DoublingIsTheExactCatmullRomCubic) {
    for (const PixelLayout layout : {PixelLayout::Grey, PixelLayout::Rgb}) {
        for (const QSize size : {QSize(1, 1), QSize(2, 3), QSize(7, 5), QSize(37, 4)}) {
            const Bitmap picture =
                randomBitmap(size.width(), size.height(), layout, unsigned(size.width()));
            const Bitmap expected = cubicDoubled(picture);
            EXPECT_TRUE(samePixels(
                resized(picture, 2 * size.width(), 2 * size.height(), Resampling::HighQuality),
                expected))
                << ::testing::PrintToString(layout) << " " << size.width() << "x" << size.height();
            // The portable loop, in two bands.
            PixelBuffer portable(2 * size.width(), 2 * size.height(), layout);
            const int rows = 2 * size.height();
            cubicDoublePortable(picture.pixels(), size.width(), size.height(), picture.channels(),
                                portable.data(), 0, rows / 2);
            cubicDoublePortable(picture.pixels(), size.width(), size.height(), picture.channels(),
                                portable.data(), rows / 2, rows);
            EXPECT_TRUE(samePixels(Bitmap(std::move(portable)), expected));
        }
    }
}

TEST(GeometryTest, AreaWeightsAreEachInputPixelsShareOfTheOutputPixel) {
    // Output pixel 0 covers input [0, 2.5), output 1 covers [2.5, 5).
    const AxisWeights axis = areaWeights(5, 2);
    ASSERT_EQ(axis.taps, 3);
    EXPECT_EQ(axis.first, (std::vector<int>{0, 2}));
    EXPECT_THAT(axis.weights,
                ::testing::Pointwise(::testing::FloatEq(),
                                     std::vector<float>{0.4f, 0.4f, 0.2f, 0.2f, 0.4f, 0.4f}));
}

// Any other size goes through single-precision sums; they must agree with the exact paths to
// within a level where both apply.
TEST(GeometryTest, TheGeneralResamplerAgreesWithTheExactPaths) {
    const Bitmap picture = randomBitmap(45, 27, PixelLayout::Rgb, 11);
    const auto general = [&](const AxisWeights& x, const AxisWeights& y) {
        PixelBuffer buffer(int(x.first.size()), int(y.first.size()), PixelLayout::Rgb);
        resampleSeparable(picture.pixels(), picture.width(), 3, x, y, buffer.data(), 0,
                          buffer.height());
        return Bitmap(std::move(buffer));
    };
    const auto withinALevel = [](const Bitmap& a, const Bitmap& b) {
        int differing = 0;
        for (std::size_t i = 0; i < a.byteCount(); ++i) {
            EXPECT_LE(std::abs(a.pixels()[i] - b.pixels()[i]), 1) << "byte " << i;
            differing += a.pixels()[i] != b.pixels()[i];
        }
        return differing;
    };
    const Bitmap third = general(areaWeights(45, 15), areaWeights(27, 9));
    EXPECT_LT(withinALevel(third, boxAverages(picture, 3, 3)), int(third.byteCount()) / 20);
    const Bitmap doubled = general(cubicWeights(45, 90), cubicWeights(27, 54));
    EXPECT_LT(withinALevel(doubled, cubicDoubled(picture)), int(doubled.byteCount()) / 20);
}

// With every input pixel on an output pixel centre, the bilinear turn by a quarter is the exact
// one, but for the colour of fully transparent pixels, which mixing weighted by alpha drops.
TEST_P(TurnKernelTest, BilinearTurnByAQuarterIsTheExactTurn) {
    const int channels = channelCount(GetParam());
    PixelBuffer pixels(23, 14, GetParam());
    std::mt19937 random(3);
    for (std::size_t i = 0; i < pixels.byteCount(); ++i) {
        const bool alpha = channels == 4 && i % 4 == 3;
        pixels.data()[i] = std::uint8_t(random() | (alpha ? 1u : 0u));
    }
    const Bitmap picture(std::move(pixels));
    const std::uint8_t fill[4] = {1, 2, 3, 255};
    GuardedBytes expected(picture.byteCount());
    GuardedBytes actual(picture.byteCount());
    turnQuarterPortable(picture.pixels(), 23, 14, channels, true, expected.data(), 0, 23);
    rotateBilinear(picture.pixels(), 23, 14, channels, fill, 0.0, 1.0, actual.data(), 14, 23, 0,
                   23);
    EXPECT_EQ(actual.all(), expected.all());
}

// The RGB turn runs a vector path inside the picture; grey and opaque RGBA pixels are mixed one
// channel at a time, and must come out the same.
TEST(GeometryTest, FreeTurnsMixEveryLayoutAlike) {
    // Thin pictures too, where hardly any pixel has all its neighbours.
    for (const QSize size : {QSize(40, 31), QSize(40, 1), QSize(1, 31), QSize(2, 2)}) {
        const Bitmap grey = randomBitmap(size.width(), size.height(), PixelLayout::Grey, 5);
        PixelBuffer rgbPixels(size.width(), size.height(), PixelLayout::Rgb);
        PixelBuffer rgbaPixels(size.width(), size.height(), PixelLayout::Rgba);
        for (std::size_t i = 0; i < grey.byteCount(); ++i) {
            std::fill_n(rgbPixels.data() + 3 * i, 3, grey.pixels()[i]);
            std::fill_n(rgbaPixels.data() + 4 * i, 3, grey.pixels()[i]);
            rgbaPixels.data()[4 * i + 3] = 255;
        }
        const Bitmap rgb(std::move(rgbPixels));
        const Bitmap rgba(std::move(rgbaPixels));
        const QColor fill(90, 90, 90);
        for (const int angle : {1234, 3000, 31000}) {
            const Bitmap greyTurned = rotated(grey, angle, true, fill);
            const Bitmap rgbTurned = rotated(rgb, angle, true, fill);
            const Bitmap rgbaTurned = rotated(rgba, angle, true, fill);
            for (int y = 0; y < greyTurned.height(); ++y) {
                for (int x = 0; x < greyTurned.width(); ++x) {
                    const std::string expected = colourAt(greyTurned, x, y);
                    ASSERT_EQ(colourAt(rgbTurned, x, y), expected)
                        << size.width() << "x" << size.height() << " by " << angle << " at " << x
                        << "," << y;
                    ASSERT_EQ(colourAt(rgbaTurned, x, y), expected)
                        << size.width() << "x" << size.height() << " by " << angle << " at " << x
                        << "," << y;
                }
            }
        }
    }
}

}  // namespace
}  // namespace quorvel::imaging
