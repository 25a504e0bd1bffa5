// SPDX-License-Identifier: GPL-3.0-or-later
#include "HistogramOverlay.h"
#include "ViewHistogram.h"

#include <gtest/gtest.h>

namespace quorvel::imaging {
namespace {

// Eight pixels: two black, one white, one pure red, one pure green, one pure blue, two mid-grey.
QImage knownView(QImage::Format format) {
    QImage view(4, 2, QImage::Format_RGB32);
    const QRgb pixels[] = {qRgb(0, 0, 0),   qRgb(0, 0, 0),   qRgb(255, 255, 255),
                           qRgb(255, 0, 0), qRgb(0, 255, 0), qRgb(0, 0, 255),
                           qRgb(128, 128, 128), qRgb(128, 128, 128)};
    for (int i = 0; i < 8; ++i) {
        view.setPixel(i % 4, i / 4, pixels[i]);
    }
    return view.convertToFormat(format);
}

class ViewHistogramFormats : public ::testing::TestWithParam<QImage::Format> {};

TEST_P(ViewHistogramFormats, CountsLuminanceAndEachChannelAndTheClippedShares) {
    const ViewHistogram histogram = histogramOfView(knownView(GetParam()));
    EXPECT_EQ(histogram.pixels, 8u);
    // Rec. 601 luma rounded half up: red 76, green 150, blue 29.
    ViewHistogram::Counts luminance{};
    luminance[0] = luminance[128] = 2;
    luminance[255] = luminance[76] = luminance[150] = luminance[29] = 1;
    EXPECT_EQ(histogram.luminance, luminance);
    EXPECT_EQ(histogram.red[255], 2u);
    EXPECT_EQ(histogram.red[0], 4u);
    EXPECT_EQ(histogram.green[255], 2u);
    EXPECT_EQ(histogram.blue[128], 2u);
    EXPECT_EQ(HistogramOverlay::clippingText(histogram), "25.0 % black, 12.5 % white");
}

INSTANTIATE_TEST_SUITE_P(Formats, ViewHistogramFormats,
                         ::testing::Values(QImage::Format_RGB32,
                                           QImage::Format_ARGB32_Premultiplied,
                                           QImage::Format_RGB888));

TEST(ViewHistogram, AnEmptyViewHasNoPixelsAndNothingClipped) {
    const ViewHistogram histogram = histogramOfView(QImage());
    EXPECT_EQ(histogram.pixels, 0u);
    EXPECT_EQ(HistogramOverlay::clippingText(histogram), "0.0 % black, 0.0 % white");
}

TEST(ViewHistogram, SharesAreRoundedToOneDecimal) {
    QImage view(1000, 1, QImage::Format_RGB32);
    view.fill(qRgb(90, 90, 90));
    for (int x = 0; x < 21; ++x) {
        view.setPixel(x, 0, qRgb(0, 0, 0));
    }
    for (int x = 996; x < 1000; ++x) {
        view.setPixel(x, 0, qRgb(255, 255, 255));
    }
    EXPECT_EQ(HistogramOverlay::clippingText(histogramOfView(view)), "2.1 % black, 0.4 % white");
}

}  // namespace
}  // namespace quorvel::imaging
