// SPDX-License-Identifier: GPL-3.0-or-later
#include "CaseNames.h"
#include "FittedView.h"
#include "ImageControl.h"
#include "TestImages.h"

#include <gtest/gtest.h>

#include <string>

namespace quorvel::imaging {
namespace {

using quorvel::testing::PrintTo;

using testing::randomBitmap;
using testing::solidBitmap;

// The area average of the source pixels [x0, x1) x [y0, y1) as premultiplied ARGB, computed
// pixel by pixel in doubles.
QRgb referenceAverage(const Bitmap& bitmap, int x0, int x1, int y0, int y1) {
    double sums[4] = {};
    for (int y = y0; y < y1; ++y) {
        for (int x = x0; x < x1; ++x) {
            const QColor c = testing::pixelAt(bitmap, x, y);
            const double opacity = c.alpha() / 255.0;
            sums[0] += c.red() * opacity;
            sums[1] += c.green() * opacity;
            sums[2] += c.blue() * opacity;
            sums[3] += c.alpha();
        }
    }
    const double n = double(x1 - x0) * (y1 - y0);
    return qRgba(int(std::lround(sums[0] / n)), int(std::lround(sums[1] / n)),
                 int(std::lround(sums[2] / n)), int(std::lround(sums[3] / n)));
}

struct ReductionCase {
    const char* name;
    PixelLayout layout;
    QSize source;
    QSize view;      // reached by boxes alone: each side of source / view boxes at least 2 wide
    int lowest = 0;  // of the random bytes
};

class BoxAverage : public ::testing::TestWithParam<ReductionCase> {};

TEST_P(BoxAverage, MatchesAReferenceAverageOfEachBox) {
    const ReductionCase& c = GetParam();
    const Bitmap picture = randomBitmap(c.source.width(), c.source.height(), c.layout, 7, c.lowest);
    const QImage view = scaledView(picture, c.view);
    ASSERT_EQ(view.size(), c.view);
    const int sw = c.source.width();
    const int sh = c.source.height();
    for (int y = 0; y < c.view.height(); ++y) {
        for (int x = 0; x < c.view.width(); ++x) {
            // Box edges spread evenly over the source.
            const QRgb expected =
                referenceAverage(picture, x * sw / c.view.width(), (x + 1) * sw / c.view.width(),
                                 y * sh / c.view.height(), (y + 1) * sh / c.view.height());
            const QRgb actual = view.pixel(x, y);
            for (const int shift : {0, 8, 16, 24}) {
                EXPECT_NEAR(int(actual >> shift & 0xFF), int(expected >> shift & 0xFF), 1)
                    << x << "," << y;
            }
        }
    }
}

INSTANTIATE_TEST_SUITE_P(
    Pictures, BoxAverage,
    ::testing::Values(ReductionCase{"RgbUnevenBoxes", PixelLayout::Rgb, {23, 17}, {5, 4}},
                      // Wider than one strip of column sums, with boxes across strip edges.
                      ReductionCase{"RgbWideRows", PixelLayout::Rgb, {389, 8}, {97, 2}},
                      ReductionCase{"GreyWideRows", PixelLayout::Grey, {1001, 6}, {333, 2}},
                      ReductionCase{"RgbaByFour", PixelLayout::Rgba, {36, 20}, {9, 5}},
                      // Bright boxes taller than 16-bit column sums can hold.
                      ReductionCase{"RgbTallBoxes", PixelLayout::Rgb, {600, 600}, {2, 2}, 230}),
    ::testing::PrintToStringParamName());

struct SizeCase {
    const char* name;
    QSize source;
    QSize view;
};

class ViewSize : public ::testing::TestWithParam<SizeCase> {};

TEST_P(ViewSize, IsExactlyTheRequestAndAUniformPictureStaysUniform) {
    const SizeCase& c = GetParam();
    for (const PixelLayout layout : {PixelLayout::Grey, PixelLayout::Rgb, PixelLayout::Rgba}) {
        const Bitmap picture =
            solidBitmap(c.source.width(), c.source.height(), layout, 201, 93, 17, 255);
        const QImage view = scaledView(picture, c.view);
        ASSERT_EQ(view.size(), c.view);
        EXPECT_EQ(view.format(), layout == PixelLayout::Rgba ? QImage::Format_ARGB32_Premultiplied
                                                             : QImage::Format_RGB32);
        const QRgb expected = layout == PixelLayout::Grey ? qRgb(201, 201, 201) : qRgb(201, 93, 17);
        for (int y = 0; y < view.height(); ++y) {
            for (int x = 0; x < view.width(); ++x) {
                ASSERT_EQ(view.pixel(x, y), expected) << x << "," << y;
            }
        }
    }
}

INSTANTIATE_TEST_SUITE_P(Sizes, ViewSize,
                         ::testing::Values(SizeCase{"BoxesOnly", {300, 200}, {30, 20}},
                                           SizeCase{"BoxesThenSmooth", {301, 203}, {40, 27}},
                                           SizeCase{"SmoothOnly", {50, 40}, {30, 24}},
                                           SizeCase{"Enlarged", {10, 8}, {35, 28}},
                                           SizeCase{"OnePixel", {97, 31}, {1, 1}},
                                           SizeCase{"OneRowOfBoxes", {1000, 3}, {200, 1}}),
                         ::testing::PrintToStringParamName());

TEST(FittedView, HoldersOfTheSamePixelsShareOneViewPerSize) {
    const Bitmap picture = randomBitmap(90, 60, PixelLayout::Rgb, 3);
    const QImage first = scaledView(picture, {30, 20});
    EXPECT_EQ(scaledView(picture, {30, 20}).cacheKey(), first.cacheKey());
    EXPECT_EQ(
        scaledView(picture.withMetadata({QByteArray("exif"), {}, {}, {}}), {30, 20}).cacheKey(),
        first.cacheKey());

    // Equal pixels in other storage are another picture as far as the view is concerned.
    const Bitmap twin = randomBitmap(90, 60, PixelLayout::Rgb, 3);
    EXPECT_NE(scaledView(twin, {30, 20}).cacheKey(), first.cacheKey());

    // Another size replaces the kept view; the old size is then built anew, equal to before.
    EXPECT_EQ(scaledView(picture, {45, 30}).size(), QSize(45, 30));
    const QImage again = scaledView(picture, {30, 20});
    EXPECT_NE(again.cacheKey(), first.cacheKey());
    EXPECT_EQ(again, first);
}

TEST(FittedView, TwoPanelsShowingOnePictureBuildOneView) {
    const Bitmap picture = randomBitmap(400, 300, PixelLayout::Rgb, 5);
    ImageControl original;
    ImageControl modified;
    for (ImageControl* panel : {&original, &modified}) {
        panel->resize(120, 90);
        panel->SetBitmap(picture);
    }
    const QImage shown = original.DisplayedView();
    ASSERT_FALSE(shown.isNull());
    EXPECT_EQ(modified.DisplayedView().cacheKey(), shown.cacheKey());
}

}  // namespace
}  // namespace quorvel::imaging
