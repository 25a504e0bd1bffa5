#include "Geometry.h"

#include "ErrorCodes.h"
#include "ImagingError.h"
#include "TestImages.h"

#include <QSize>

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <algorithm>
#include <climits>
#include <cmath>
#include <cstdint>
#include <functional>
#include <ostream>
#include <string>

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
        for (const int width : {60, 5}) {
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

}  // namespace
}  // namespace quorvel::imaging
