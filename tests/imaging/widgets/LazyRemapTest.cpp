// SPDX-License-Identifier: GPL-3.0-or-later
#include "FittedView.h"
#include "IccProfiles.h"
#include "ImageControl.h"
#include "PixelOps.h"
#include "QImageConversion.h"
#include "TestImages.h"

#include <QTest>

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <cstdlib>

namespace quorvel::imaging {
namespace {

using testing::patternBitmap;

RemapTable brightening() {
    RemapTable table{};
    for (std::size_t v = 0; v < table.size(); ++v) {
        table[v] = std::uint8_t(std::lround(255.0 * std::pow(double(v) / 255.0, 0.6)));
    }
    return table;
}

void sendTable(ImageControl& control, const RemapTable& table) {
    for (int v = 0; v < 256; ++v) {
        control.SetRemapEntry(v, table[std::size_t(v)]);
    }
}

struct LayoutCase {
    PixelLayout layout;
    int channel;
    friend void PrintTo(const LayoutCase& c, std::ostream* out) {
        PrintTo(c.layout, out);
        *out << "_channel" << c.channel;
    }
};

class LazyRemap : public ::testing::TestWithParam<LayoutCase> {
protected:
    void SetUp() override {
        control.resize(301, 211);
        control.SetBorderStyle(0);
        control.show();
        ASSERT_TRUE(QTest::qWaitForWindowExposed(&control));
        // Large enough for the background remap to be still at work when read at once.
        source = patternBitmap(1500, 1000, GetParam().layout);
        control.SetBitmap(source);
        sendTable(control, brightening());
    }

    Bitmap eager() const { return remapped(source, brightening(), GetParam().channel); }
    QSize viewSize() const { return fittedSize({source.width(), source.height()}, {301, 211}); }

    ImageControl control;
    Bitmap source;
};

// As the exposure slider does it: each move starts again from the base while the panel is frozen.
void remapAgainFrom(ImageControl& control, const Bitmap& base, int channel) {
    control.SetRepaintEnabled(false);
    control.SetBitmap(base);
    control.ApplyRemap(short(channel));
    control.SetRepaintEnabled(true);
}

TEST_P(LazyRemap, ANewRemapTakesOverTheMemoryOfThePictureItReplaces) {
    // No repaint comes between the moves: the view is made once, while the remap is pending.
    control.hide();
    control.ApplyRemap(short(GetParam().channel));
    control.DisplayedView();
    QTRY_VERIFY(control.IsSettled());
    const std::uint8_t* const replaced = control.Bitmap().pixels();
    remapAgainFrom(control, source, GetParam().channel);
    QTRY_VERIFY(control.IsSettled());
    EXPECT_EQ(control.Bitmap().pixels(), replaced);
    EXPECT_TRUE(samePixels(control.Bitmap(), eager()));
}

TEST_P(LazyRemap, PanelFollowsAtOnceThenShowsTheExactResultsView) {
    control.ApplyRemap(short(GetParam().channel));
    if (!control.IsSettled()) {
        const QImage quick = remappedView(scaledView(source, viewSize()), source.layout(),
                                          brightening(), GetParam().channel);
        EXPECT_EQ(control.DisplayedView(), quick);
    }
    QTRY_VERIFY(control.IsSettled());
    EXPECT_EQ(control.DisplayedView(), scaledView(eager(), viewSize()));
    EXPECT_TRUE(samePixels(control.Bitmap(), eager()));
}

TEST_P(LazyRemap, ANewPictureAbandonsTheRemap) {
    control.ApplyRemap(short(GetParam().channel));
    const Bitmap other = patternBitmap(30, 20, GetParam().layout);
    control.SetBitmap(other);
    QTRY_VERIFY(control.IsSettled());
    EXPECT_TRUE(control.Bitmap().sharesPixelsWith(other));
    EXPECT_EQ(control.DisplayedView(), scaledView(other, fittedSize({30, 20}, {301, 211})));
}

TEST_P(LazyRemap, FrozenPanelKeepsItsViewWhileTheRemapIsMade) {
    const QImage before = control.DisplayedView();
    control.SetRepaintEnabled(false);
    control.ApplyRemap(short(GetParam().channel));
    EXPECT_TRUE(samePixels(control.Bitmap(), eager()));
    QCoreApplication::processEvents();
    EXPECT_EQ(control.DisplayedView(), before);
    control.SetRepaintEnabled(true);
    QTRY_VERIFY(control.IsSettled());
    EXPECT_EQ(control.DisplayedView(), scaledView(eager(), viewSize()));
}

TEST_P(LazyRemap, ActualSizeShowsTheRemappedPixelsOneToOne) {
    control.SetDisplayScaling(ImageControl::kActualSize);
    control.ApplyRemap(short(GetParam().channel));
    const QImage shown = control.DisplayedView();
    ASSERT_EQ(shown.size(), QSize(301, 211));
    EXPECT_EQ(shown, toQImage(eager()).copy(0, 0, 301, 211).convertToFormat(shown.format()));
}

INSTANTIATE_TEST_SUITE_P(Layouts, LazyRemap,
                         ::testing::Values(LayoutCase{PixelLayout::Rgb, kAllChannels},
                                           LayoutCase{PixelLayout::Rgb, 2},
                                           LayoutCase{PixelLayout::Rgba, kAllChannels}));

// Four flat quarters of saturated colour, stored in Adobe RGB: far enough from sRGB that
// remapping before or after the display conversion gives visibly different colours.
Bitmap wideGamutQuarters() {
    constexpr int kWidth = 1600;
    constexpr int kHeight = 1200;
    const std::uint8_t colours[4][3] = {{200, 60, 40}, {40, 170, 60}, {50, 70, 200}, {230, 210, 30}};
    PixelBuffer buffer(kWidth, kHeight, PixelLayout::Rgb);
    for (int y = 0; y < kHeight; ++y) {
        std::uint8_t* row = buffer.row(y);
        for (int x = 0; x < kWidth; ++x) {
            const auto& colour = colours[(y < kHeight / 2 ? 0 : 2) + (x < kWidth / 2 ? 0 : 1)];
            std::copy(colour, colour + 3, row + x * 3);
        }
    }
    Metadata metadata;
    metadata.icc = testing::adobeRgbProfile();
    return Bitmap(std::move(buffer), metadata);
}

TEST(WideGamutRemap, PanelDuringTheMoveShowsTheColoursOfTheSettledPanel) {
    ImageControl control;
    control.resize(301, 211);
    control.SetBorderStyle(0);
    control.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&control));
    control.SetBitmap(wideGamutQuarters());
    sendTable(control, brightening());
    control.ApplyRemap(kAllChannels);
    ASSERT_FALSE(control.IsSettled());
    const QImage quick = control.DisplayedView();
    QTRY_VERIFY(control.IsSettled());
    const QImage settled = control.DisplayedView();
    ASSERT_EQ(quick.size(), settled.size());
    // Inside the quarters the views' resampling agrees; only the order of remap and
    // conversion could part them.
    const int w = settled.width();
    const int h = settled.height();
    for (const QPoint at : {QPoint(w / 4, h / 4), QPoint(3 * w / 4, h / 4), QPoint(w / 4, 3 * h / 4),
                            QPoint(3 * w / 4, 3 * h / 4)}) {
        const QColor q = quick.pixelColor(at);
        const QColor s = settled.pixelColor(at);
        for (const auto& [a, b] :
             {std::pair{q.red(), s.red()}, {q.green(), s.green()}, {q.blue(), s.blue()}}) {
            EXPECT_NEAR(a, b, 1) << at.x() << "," << at.y();
        }
    }
}

TEST(RemappedView, PassesTheSelectedChannelsOfAViewThroughTheTable) {
    QImage view(2, 1, QImage::Format_RGB32);
    view.setPixel(0, 0, qRgb(10, 20, 30));
    view.setPixel(1, 0, qRgb(200, 100, 0));
    RemapTable plusOne{};
    for (std::size_t v = 0; v < plusOne.size(); ++v) {
        plusOne[v] = std::uint8_t(std::min<std::size_t>(255, v + 1));
    }
    EXPECT_EQ(remappedView(view, PixelLayout::Rgb, plusOne, kAllChannels).pixel(1, 0),
              qRgb(201, 101, 1));
    EXPECT_EQ(remappedView(view, PixelLayout::Rgb, plusOne, 1).pixel(0, 0), qRgb(11, 20, 30));
    EXPECT_EQ(remappedView(view, PixelLayout::Rgb, plusOne, 3).pixel(1, 0), qRgb(200, 100, 1));
    // A grey picture's level is every colour of its view, whatever channel is asked for.
    const QImage grey = remappedView(view, PixelLayout::Grey, plusOne, 2);
    EXPECT_EQ(grey.pixel(0, 0), qRgb(11, 21, 31));
}

}  // namespace
}  // namespace quorvel::imaging
