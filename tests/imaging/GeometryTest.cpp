#include "Geometry.h"

#include "ErrorCodes.h"
#include "ImagingError.h"
#include "TestImages.h"

#include <QPoint>
#include <QSize>

#include <gtest/gtest.h>

#include <algorithm>
#include <chrono>
#include <climits>
#include <cmath>
#include <functional>
#include <numbers>
#include <ostream>
#include <string>
#include <vector>

namespace quorvel::imaging {

namespace {

using quorvel::testing::patternBitmap;
using quorvel::testing::pixelAt;
using quorvel::testing::solidBitmap;

using Operation = std::function<Bitmap(const Bitmap&)>;

std::string layoutName(PixelLayout layout) {
    switch (layout) {
        case PixelLayout::Grey:
            return "Grey";
        case PixelLayout::Rgb:
            return "Rgb";
        case PixelLayout::Rgba:
            return "Rgba";
    }
    return {};
}

std::string resamplingName(Resampling resampling) {
    switch (resampling) {
        case Resampling::Nearest:
            return "Nearest";
        case Resampling::Bilinear:
            return "Bilinear";
        case Resampling::HighQuality:
            return "HighQuality";
    }
    return {};
}

}  // namespace

// Readable parameters in test names and failure messages.
static void PrintTo(PixelLayout layout, std::ostream* out) {
    *out << layoutName(layout);
}
static void PrintTo(Resampling resampling, std::ostream* out) {
    *out << resamplingName(resampling);
}

namespace {

// Colours as "#aarrggbb", so that a mismatch reads as colours.
std::string colourAt(const Bitmap& bitmap, int x, int y) {
    return pixelAt(bitmap, x, y).name(QColor::HexArgb).toStdString();
}

std::string hex(const QColor& colour) {
    return colour.name(QColor::HexArgb).toStdString();
}

void expectError(int number, const std::function<void()>& work) {
    try {
        work();
        ADD_FAILURE() << "expected ImagingError " << number;
    } catch (const ImagingError& error) {
        EXPECT_EQ(error.number(), number);
    }
}

class GeometryLosslessTest : public ::testing::TestWithParam<PixelLayout> {};

TEST_P(GeometryLosslessTest, OperationsUndoThemselves) {
    const Bitmap picture = patternBitmap(7, 4, GetParam());
    const QColor fill(9, 9, 9);
    const Bitmap quarter = rotated(picture, 9000, false, fill);
    EXPECT_FALSE(samePixels(quarter, picture));
    EXPECT_TRUE(samePixels(rotated(quarter, 27000, false, fill), picture));
    EXPECT_TRUE(
        samePixels(rotated(rotated(picture, 18000, true, fill), 18000, true, fill), picture));
    EXPECT_FALSE(samePixels(flipped(picture), picture));
    EXPECT_TRUE(samePixels(flipped(flipped(picture)), picture));
    EXPECT_FALSE(samePixels(mirrored(picture), picture));
    EXPECT_TRUE(samePixels(mirrored(mirrored(picture)), picture));
    EXPECT_TRUE(samePixels(rotated(picture, 0, true, fill), picture));
}

INSTANTIATE_TEST_SUITE_P(Layouts, GeometryLosslessTest,
                         ::testing::Values(PixelLayout::Grey, PixelLayout::Rgb, PixelLayout::Rgba),
                         [](const auto& info) { return layoutName(info.param); });

// Where source pixel (x, y) of a w x h picture lands, on screen with y pointing down.
struct ExactCase {
    std::string name;
    Operation operation;
    bool swapsSize;
    std::function<QPoint(int x, int y, int w, int h)> destination;
};

void PrintTo(const ExactCase& exactCase, std::ostream* out) {
    *out << exactCase.name;
}

class GeometryExactTest : public ::testing::TestWithParam<ExactCase> {};

TEST_P(GeometryExactTest, MovesEveryPixelWhereItBelongs) {
    const int w = 5;
    const int h = 3;
    const Bitmap picture = patternBitmap(w, h, PixelLayout::Rgba);
    const Bitmap result = GetParam().operation(picture);
    ASSERT_EQ(result.width(), GetParam().swapsSize ? h : w);
    ASSERT_EQ(result.height(), GetParam().swapsSize ? w : h);
    for (int y = 0; y < h; ++y) {
        for (int x = 0; x < w; ++x) {
            const QPoint to = GetParam().destination(x, y, w, h);
            EXPECT_EQ(colourAt(result, to.x(), to.y()), colourAt(picture, x, y)) << x << "," << y;
        }
    }
}

INSTANTIATE_TEST_SUITE_P(
    Operations, GeometryExactTest,
    ::testing::Values(
        ExactCase{"Clockwise90", [](const Bitmap& b) { return rotated(b, 9000, true, Qt::red); },
                  true, [](int x, int y, int, int h) { return QPoint(h - 1 - y, x); }},
        ExactCase{"Clockwise90KeepCanvas",
                  [](const Bitmap& b) { return rotated(b, 9000, false, Qt::red); }, true,
                  [](int x, int y, int, int h) { return QPoint(h - 1 - y, x); }},
        ExactCase{"Turn180", [](const Bitmap& b) { return rotated(b, 18000, false, Qt::red); },
                  false, [](int x, int y, int w, int h) { return QPoint(w - 1 - x, h - 1 - y); }},
        ExactCase{"Clockwise270", [](const Bitmap& b) { return rotated(b, 27000, true, Qt::red); },
                  true, [](int x, int y, int w, int) { return QPoint(y, w - 1 - x); }},
        ExactCase{"Flipped", [](const Bitmap& b) { return flipped(b); }, false,
                  [](int x, int y, int, int h) { return QPoint(x, h - 1 - y); }},
        ExactCase{"Mirrored", [](const Bitmap& b) { return mirrored(b); }, false,
                  [](int x, int y, int w, int) { return QPoint(w - 1 - x, y); }}),
    [](const auto& info) { return info.param.name; });

struct AngleCase {
    std::string name;
    int angle;
    int equivalent;
};

void PrintTo(const AngleCase& angleCase, std::ostream* out) {
    *out << angleCase.name;
}

class GeometryAngleTest : public ::testing::TestWithParam<AngleCase> {};

TEST_P(GeometryAngleTest, GivesTheSamePicture) {
    const Bitmap picture = patternBitmap(6, 4, PixelLayout::Rgb);
    EXPECT_TRUE(samePixels(rotated(picture, GetParam().angle, true, Qt::blue),
                           rotated(picture, GetParam().equivalent, true, Qt::blue)));
}

// INT_MAX = 59652 * 36000 + 11647; INT_MIN = -59653 * 36000 + 24352.
INSTANTIATE_TEST_SUITE_P(Angles, GeometryAngleTest,
                         ::testing::Values(AngleCase{"Minus90", -9000, 27000},
                                           AngleCase{"FullTurnPlus90", 36000 + 9000, 9000},
                                           AngleCase{"MinusFullTurn", -36000, 0},
                                           AngleCase{"Minus45", -4500, 31500},
                                           AngleCase{"IntMax", INT_MAX, 11647},
                                           AngleCase{"IntMin", INT_MIN, 24352}),
                         [](const auto& info) { return info.param.name; });

TEST(GeometryTest, InterpolatedRotationTurnsClockwise) {
    // A marked block at the top left of a 40 x 20 picture, turned by 30 degrees.
    PixelBuffer buffer(40, 20, PixelLayout::Rgb);
    for (int y = 0; y < 20; ++y) {
        for (int x = 0; x < 40; ++x) {
            const bool marked = x < 7 && y < 7;
            std::uint8_t* p = buffer.row(y) + x * 3;
            p[0] = marked ? 250 : 20;
            p[1] = p[2] = 20;
        }
    }
    const Bitmap result = rotated(Bitmap(std::move(buffer)), 3000, true, Qt::black);
    ASSERT_EQ(result.width(), 45);   // ceil(40 cos 30 + 20 sin 30)
    ASSERT_EQ(result.height(), 38);  // ceil(40 sin 30 + 20 cos 30)

    // The block's centre (3, 3) relative to the picture centre, turned on screen (y down).
    const double angle = std::numbers::pi / 6;
    const auto landing = [&](double sign) {
        const double dx = 3 - 19.5;
        const double dy = 3 - 9.5;
        const double s = sign * std::sin(angle);
        return QPoint(int(std::lround(22 + dx * std::cos(angle) - dy * s)),
                      int(std::lround(18.5 + dx * s + dy * std::cos(angle))));
    };
    const QPoint clockwise = landing(1.0);
    const QPoint anticlockwise = landing(-1.0);
    EXPECT_GT(pixelAt(result, clockwise.x(), clockwise.y()).red(), 200);
    EXPECT_LT(pixelAt(result, anticlockwise.x(), anticlockwise.y()).red(), 60);
}

class GeometryNearQuarterTest : public ::testing::TestWithParam<std::pair<int, int>> {};

TEST_P(GeometryNearQuarterTest, MatchesTheQuarterTurnNextToIt) {
    // On smooth ramps a turn by a hundredth of a degree next to a quarter turn differs from that
    // exact turn by rounding only; a half-pixel shift or the wrong direction shows at once.
    PixelBuffer buffer(16, 16, PixelLayout::Rgba);
    for (int y = 0; y < 16; ++y) {
        for (int x = 0; x < 16; ++x) {
            std::uint8_t* p = buffer.row(y) + x * 4;
            p[0] = std::uint8_t(8 * x + 7 * y);
            p[1] = std::uint8_t(7 * x + 8 * y);
            p[2] = std::uint8_t(120 + 4 * x - 4 * y);
            p[3] = 255;
        }
    }
    const Bitmap picture(std::move(buffer));
    const auto [angle, quarter] = GetParam();
    const Bitmap nearly = rotated(picture, angle, false, Qt::black);
    const Bitmap exact = rotated(picture, quarter, false, Qt::black);
    ASSERT_EQ(nearly.width(), 16);
    ASSERT_EQ(exact.width(), 16);
    for (int y = 1; y < 15; ++y) {
        for (int x = 1; x < 15; ++x) {
            const QColor a = pixelAt(nearly, x, y);
            const QColor b = pixelAt(exact, x, y);
            EXPECT_NEAR(a.red(), b.red(), 1) << x << "," << y;
            EXPECT_NEAR(a.green(), b.green(), 1) << x << "," << y;
            EXPECT_NEAR(a.blue(), b.blue(), 1) << x << "," << y;
        }
    }
}

INSTANTIATE_TEST_SUITE_P(Angles, GeometryNearQuarterTest,
                         ::testing::Values(std::pair{1, 0}, std::pair{9001, 9000},
                                           std::pair{17999, 18000}, std::pair{26999, 27000}),
                         [](const auto& info) { return "At" + std::to_string(info.param.first); });

struct FillCase {
    PixelLayout layout;
    QColor expectedFill;
};

void PrintTo(const FillCase& fillCase, std::ostream* out) {
    *out << layoutName(fillCase.layout);
}

class GeometryFillTest : public ::testing::TestWithParam<FillCase> {};

TEST_P(GeometryFillTest, GrowingCanvasFillsTheCorners) {
    const int w = 30;
    const int h = 20;
    const Bitmap picture = solidBitmap(w, h, GetParam().layout, 200, 100, 50);
    const Bitmap result = rotated(picture, 4500, true, QColor(255, 0, 0));
    const double expectedSide = (w + h) / std::numbers::sqrt2;
    EXPECT_NEAR(result.width(), expectedSide, 1.0);
    EXPECT_NEAR(result.height(), expectedSide, 1.0);
    const int right = result.width() - 1;
    const int bottom = result.height() - 1;
    for (const QPoint corner :
         {QPoint(0, 0), QPoint(right, 0), QPoint(0, bottom), QPoint(right, bottom)}) {
        EXPECT_EQ(colourAt(result, corner.x(), corner.y()), hex(GetParam().expectedFill));
    }
    EXPECT_EQ(colourAt(result, right / 2, bottom / 2), colourAt(picture, 0, 0));
}

TEST_P(GeometryFillTest, KeptCanvasKeepsSizeAndCentre) {
    const Bitmap picture = solidBitmap(30, 20, GetParam().layout, 200, 100, 50);
    const Bitmap result = rotated(picture, 4500, false, QColor(255, 0, 0));
    ASSERT_EQ(result.width(), 30);
    ASSERT_EQ(result.height(), 20);
    EXPECT_EQ(colourAt(result, 0, 0), hex(GetParam().expectedFill));
    EXPECT_EQ(colourAt(result, 29, 19), hex(GetParam().expectedFill));
    EXPECT_EQ(colourAt(result, 15, 10), colourAt(picture, 0, 0));
}

TEST_P(GeometryFillTest, FillingWithThePictureColourKeepsItUniform) {
    // Interpolated edges blend picture and fill; when both are one colour nothing may change.
    const Bitmap picture = solidBitmap(31, 17, GetParam().layout, 200, 100, 50);
    const QColor colour = pixelAt(picture, 0, 0);
    for (const bool grow : {true, false}) {
        const Bitmap result = rotated(picture, 1234, grow, QColor(colour.rgb()));
        for (int y = 0; y < result.height(); ++y) {
            for (int x = 0; x < result.width(); ++x) {
                ASSERT_EQ(colourAt(result, x, y), hex(colour)) << x << "," << y;
            }
        }
    }
}

// Grey pictures get the fill's Rec. 601 luma: 0.299 x 255 = 76.
INSTANTIATE_TEST_SUITE_P(Layouts, GeometryFillTest,
                         ::testing::Values(FillCase{PixelLayout::Grey, QColor(76, 76, 76)},
                                           FillCase{PixelLayout::Rgb, QColor(255, 0, 0)},
                                           FillCase{PixelLayout::Rgba, QColor(255, 0, 0, 255)}),
                         [](const auto& info) { return layoutName(info.param.layout); });

class GeometryResamplingTest : public ::testing::TestWithParam<Resampling> {};

// Reductions, enlargements, one axis each way, and the smallest picture.
const QSize kRequests[] = {QSize(1, 1),  QSize(10, 7),   QSize(36, 22), QSize(38, 24),
                           QSize(37, 5), QSize(100, 61), QSize(111, 9)};

TEST_P(GeometryResamplingTest, GivesTheExactSize) {
    const Bitmap picture = patternBitmap(37, 23, PixelLayout::Rgba);
    for (const QSize size : kRequests) {
        const Bitmap result = resized(picture, size.width(), size.height(), GetParam());
        EXPECT_EQ(result.width(), size.width());
        EXPECT_EQ(result.height(), size.height());
        EXPECT_EQ(result.layout(), PixelLayout::Rgba);
    }
}

TEST_P(GeometryResamplingTest, KeepsAUniformPictureUniform) {
    for (const Bitmap& picture : {solidBitmap(37, 23, PixelLayout::Grey, 77, 0, 0),
                                  solidBitmap(37, 23, PixelLayout::Rgb, 200, 120, 40),
                                  solidBitmap(37, 23, PixelLayout::Rgba, 200, 120, 40, 128),
                                  solidBitmap(1, 2, PixelLayout::Rgb, 10, 250, 90)}) {
        for (const QSize size : kRequests) {
            const Bitmap result = resized(picture, size.width(), size.height(), GetParam());
            ASSERT_EQ(result.layout(), picture.layout());
            for (int y = 0; y < result.height(); ++y) {
                for (int x = 0; x < result.width(); ++x) {
                    ASSERT_EQ(colourAt(result, x, y), colourAt(picture, 0, 0))
                        << layoutName(picture.layout()) << " " << picture.width() << "x"
                        << picture.height() << " to " << size.width() << "x" << size.height()
                        << " at " << x << "," << y;
                }
            }
        }
    }
}

TEST_P(GeometryResamplingTest, KeepsFeaturesInPlace) {
    // A bright column 3 pixels wide at x = 9..11: tripled it is centred on 31, thirded on 3.
    PixelBuffer buffer(30, 4, PixelLayout::Grey);
    for (int y = 0; y < 4; ++y) {
        for (int x = 0; x < 30; ++x) {
            buffer.row(y)[x] = x >= 9 && x <= 11 ? 240 : 10;
        }
    }
    const Bitmap picture(std::move(buffer));
    const auto centroid = [](const Bitmap& b) {
        double weighted = 0;
        double total = 0;
        for (int x = 0; x < b.width(); ++x) {
            const double excess = b.row(1)[x] - 10.0;
            weighted += excess * x;
            total += excess;
        }
        return weighted / total;
    };
    EXPECT_NEAR(centroid(resized(picture, 90, 12, GetParam())), 31.0, 0.1);
    EXPECT_NEAR(centroid(resized(picture, 10, 2, GetParam())), 3.0, 0.1);
}

// Opaque white beside transparent black: mixing colour without weighting it by alpha would give
// grey where the two meet.
Bitmap halfTransparent() {
    PixelBuffer buffer(20, 10, PixelLayout::Rgba);
    for (int y = 0; y < 10; ++y) {
        for (int x = 0; x < 20; ++x) {
            std::fill_n(buffer.row(y) + x * 4, 4, std::uint8_t(x < 9 ? 255 : 0));
        }
    }
    return Bitmap(std::move(buffer));
}

// Returns how many partly transparent pixels there were to look at.
int expectNoDarkFringes(const Bitmap& result) {
    int partlyTransparent = 0;
    for (int y = 0; y < result.height(); ++y) {
        for (int x = 0; x < result.width(); ++x) {
            const QColor pixel = pixelAt(result, x, y);
            if (pixel.alpha() > 0) {
                EXPECT_GE(std::min({pixel.red(), pixel.green(), pixel.blue()}), 250)
                    << "at " << x << "," << y;
            }
            partlyTransparent += pixel.alpha() > 0 && pixel.alpha() < 255;
        }
    }
    return partlyTransparent;
}

TEST_P(GeometryResamplingTest, TransparentAreasCauseNoDarkFringes) {
    for (const QSize size : {QSize(7, 4), QSize(47, 23)}) {
        SCOPED_TRACE(std::to_string(size.width()) + "x" + std::to_string(size.height()));
        const int blended = expectNoDarkFringes(
            resized(halfTransparent(), size.width(), size.height(), GetParam()));
        if (GetParam() != Resampling::Nearest) {
            EXPECT_GT(blended, 0) << "no blended edge to look at";
        }
    }
}

TEST_P(GeometryResamplingTest, EnlargementFollowsItsKernel) {
    // One bright pixel on a flat ground, enlarged four times: each output pixel is the ground plus
    // the kernel's weight at the distance between its centre and the bright pixel's centre.
    const Bitmap picture = [] {
        PixelBuffer buffer(13, 13, PixelLayout::Grey);
        std::fill_n(buffer.data(), buffer.byteCount(), std::uint8_t(60));
        buffer.row(6)[6] = 210;
        return Bitmap(std::move(buffer));
    }();
    const auto kernel = [](double d) {
        d = std::abs(d);
        switch (GetParam()) {
            case Resampling::Nearest:
                return d < 0.5 ? 1.0 : 0.0;
            case Resampling::Bilinear:
                return std::max(0.0, 1.0 - d);
            case Resampling::HighQuality:
                break;
        }
        const double x = std::numbers::pi * d;
        return d == 0 ? 1.0 : d >= 3 ? 0.0 : 3 * std::sin(x) * std::sin(x / 3) / (x * x);
    };
    const Bitmap result = resized(picture, 52, 52, GetParam());
    for (int y = 12; y < 40; ++y) {
        for (int x = 12; x < 40; ++x) {
            const double dx = (x + 0.5) / 4 - 0.5 - 6;
            const double dy = (y + 0.5) / 4 - 0.5 - 6;
            EXPECT_NEAR(result.row(y)[x], 60 + 150 * kernel(dx) * kernel(dy), 3.0) << x << "," << y;
        }
    }
}

INSTANTIATE_TEST_SUITE_P(Kinds, GeometryResamplingTest,
                         ::testing::Values(Resampling::Nearest, Resampling::Bilinear,
                                           Resampling::HighQuality),
                         [](const auto& info) { return resamplingName(info.param); });

TEST(GeometryTest, RotationCausesNoDarkFringes) {
    EXPECT_GT(expectNoDarkFringes(rotated(halfTransparent(), 1234, true, Qt::white)), 0);
}

TEST(GeometryTest, RefusesSizesBelowOnePixel) {
    const Bitmap picture = patternBitmap(4, 4, PixelLayout::Rgb);
    expectError(errc::InvalidSize, [&] { resized(picture, 0, 10, Resampling::Bilinear); });
    expectError(errc::InvalidSize, [&] { resized(picture, 10, -1, Resampling::Nearest); });
}

TEST(GeometryTest, RefusesResultsOverTheBudgetBeforeWorking) {
    const Bitmap picture = patternBitmap(4, 4, PixelLayout::Rgb);
    const auto start = std::chrono::steady_clock::now();
    expectError(errc::NoMemory, [&] { resized(picture, 100000, 100000, Resampling::HighQuality); });
    EXPECT_LT(std::chrono::steady_clock::now() - start, std::chrono::seconds(1));

    // A long thin strip turned by 45 degrees needs a canvas of about 21000 x 21000.
    const Bitmap strip = solidBitmap(1, 30000, PixelLayout::Grey, 9, 9, 9);
    expectError(errc::NoMemory, [&] { rotated(strip, 4500, true, Qt::white); });
    EXPECT_EQ(rotated(strip, 4500, false, Qt::white).height(), 30000);
}

const std::vector<std::pair<std::string, Operation>>& allOperations() {
    static const std::vector<std::pair<std::string, Operation>> operations{
        {"Resize", [](const Bitmap& b) { return resized(b, 3, 5, Resampling::HighQuality); }},
        {"Enlarge", [](const Bitmap& b) { return resized(b, 13, 9, Resampling::Bilinear); }},
        {"Unturned", [](const Bitmap& b) { return rotated(b, 0, true, Qt::white); }},
        {"QuarterTurn", [](const Bitmap& b) { return rotated(b, 9000, true, Qt::white); }},
        {"FreeTurn", [](const Bitmap& b) { return rotated(b, 1234, true, Qt::white); }},
        {"Flip", [](const Bitmap& b) { return flipped(b); }},
        {"Mirror", [](const Bitmap& b) { return mirrored(b); }},
    };
    return operations;
}

class GeometryOperationTest : public ::testing::TestWithParam<std::size_t> {};

TEST_P(GeometryOperationTest, CarriesMetadataOverAndLeavesTheSourceAlone) {
    const Metadata metadata{"exif bytes", "icc bytes", "xmp bytes"};
    const Bitmap source = patternBitmap(6, 7, PixelLayout::Rgb).withMetadata(metadata);
    const Bitmap untouched = patternBitmap(6, 7, PixelLayout::Rgb);
    const Bitmap result = allOperations()[GetParam()].second(source);
    EXPECT_EQ(result.metadata().exif, metadata.exif);
    EXPECT_EQ(result.metadata().icc, metadata.icc);
    EXPECT_EQ(result.metadata().xmp, metadata.xmp);
    EXPECT_TRUE(samePixels(source, untouched));
}

TEST_P(GeometryOperationTest, RefusesTheNullBitmap) {
    expectError(errc::InvalidBitmap, [&] { allOperations()[GetParam()].second(Bitmap()); });
}

INSTANTIATE_TEST_SUITE_P(All, GeometryOperationTest, ::testing::Range<std::size_t>(0, 7),
                         [](const auto& info) { return allOperations()[info.param].first; });

}  // namespace
}  // namespace quorvel::imaging
