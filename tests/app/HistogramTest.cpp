// SPDX-License-Identifier: GPL-3.0-or-later
#include "HistogramOverlay.h"
#include "ImageControl.h"
#include "Main.h"
#include "QImageConversion.h"
#include "ThumbTextSlider.h"
#include "ViewHistogram.h"

#include <QAction>
#include <QSettings>
#include <QTemporaryDir>
#include <QTest>

#include <gtest/gtest.h>

namespace quorvel::app {
namespace {

class HistogramTest : public ::testing::Test {
protected:
    void SetUp() override {
        QSettings(QStringLiteral("quorvel"), QStringLiteral("quorvel")).clear();
        open(window_);
    }

    void open(Main& window) {
        window.Form_Load("");
        window.show();
        ASSERT_TRUE(QTest::qWaitForWindowActive(&window));
        // A quarter black, an eighth white, the rest mid-grey, in large blocks that the
        // panels' fitted views keep apart.
        QImage picture(320, 160, QImage::Format_RGB888);
        picture.fill(QColor(100, 100, 100));
        for (int y = 0; y < 160; ++y) {
            for (int x = 0; x < 80; ++x) {
                picture.setPixelColor(x, y, Qt::black);
            }
            for (int x = 280; x < 320; ++x) {
                picture.setPixelColor(x, y, Qt::white);
            }
        }
        ASSERT_TRUE(picture.save(dir_.filePath("blocks.png")));
        window.LoadFromCommandLine(dir_.filePath("blocks.png"));
    }

    QTemporaryDir dir_;
    Main window_;
};

TEST_F(HistogramTest, HiddenByDefaultToggledByTheKeyAndRememberedForTheNextRun) {
    EXPECT_FALSE(window_.HistogramAction()->isChecked());
    EXPECT_FALSE(window_.ModifiedHistogram()->isVisible());
    QTest::keyClick(&window_, Qt::Key_H);
    EXPECT_TRUE(window_.ModifiedHistogram()->isVisible());
    EXPECT_TRUE(window_.OriginalHistogram()->isVisible());

    Main nextRun;
    open(nextRun);
    EXPECT_TRUE(nextRun.HistogramAction()->isChecked());
    EXPECT_TRUE(nextRun.ModifiedHistogram()->isVisible());
    nextRun.HistogramAction()->trigger();
    EXPECT_FALSE(nextRun.OriginalHistogram()->isVisible());
    EXPECT_FALSE(QSettings(QStringLiteral("quorvel"), QStringLiteral("quorvel"))
                     .value("histogram/shown")
                     .toBool());
}

TEST_F(HistogramTest, DescribesWhatEachPanelShowsAndTheModifiedOneFollowsTheSlider) {
    window_.HistogramAction()->trigger();
    imaging::HistogramOverlay& original = *window_.OriginalHistogram();
    imaging::HistogramOverlay& modified = *window_.ModifiedHistogram();
    const imaging::ViewHistogram& before = original.Histogram();
    // The fitted view blends only the pixels along the block edges.
    EXPECT_NEAR(before.blackPercent(), 25.0, 2.0);
    EXPECT_NEAR(before.whitePercent(), 12.5, 2.0);
    EXPECT_EQ(original.accessibleDescription(), imaging::HistogramOverlay::clippingText(before));
    EXPECT_EQ(before.pixels, std::uint64_t(window_.LEAD2()->DisplayedView().width()) *
                                 std::uint64_t(window_.LEAD2()->DisplayedView().height()));
    EXPECT_EQ(modified.Histogram().luminance, before.luminance);

    // The brightest correction stretches the occupied levels: grey moves up, black stays
    // (with the darkest few of the blended edge levels).
    window_.Slider1()->setSliderPosition(0);
    const imaging::ViewHistogram& after = modified.Histogram();
    EXPECT_LT(after.luminance[100] * 10, before.luminance[100]);
    EXPECT_NEAR(after.blackPercent(), before.blackPercent(), 1.0);
    EXPECT_EQ(after.luminance,
              imaging::histogramOfView(window_.LEAD1()->DisplayedView()).luminance);
    EXPECT_EQ(modified.accessibleDescription(), imaging::HistogramOverlay::clippingText(after));
    EXPECT_EQ(original.Histogram().luminance, before.luminance);
    // The clipping text is not cut short, even at its longest.
    EXPECT_GT(modified.width(), modified.fontMetrics().horizontalAdvance(
                                    QStringLiteral("100.0 % black, 100.0 % white")));
}

}  // namespace
}  // namespace quorvel::app
