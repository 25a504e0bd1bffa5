// SPDX-License-Identifier: GPL-3.0-or-later
#include "Main.h"

#include "ExpectedCorrection.h"
#include "Exposure.h"
#include "ImageControl.h"
#include "MainTestHelpers.h"
#include "PixelOps.h"
#include "QImageConversion.h"
#include "QtPrinters.h"
#include "TestImages.h"
#include "ThumbTextSlider.h"
#include "ToneCurve.h"

#include <QPushButton>
#include <QTemporaryDir>
#include <QTest>
#include <QToolButton>
#include <QWheelEvent>

#include <gtest/gtest.h>

namespace quorvel::app {
namespace {

using imaging::Bitmap;

// A grey picture holding each level of `levels` once per row, four rows.
QImage greyLevels(int first, int last) {
    QImage picture(last - first + 1, 4, QImage::Format_Grayscale8);
    for (int y = 0; y < picture.height(); ++y) {
        for (int x = 0; x < picture.width(); ++x) {
            picture.setPixelColor(x, y, QColor(first + x, first + x, first + x));
        }
    }
    return picture;
}

class ExposureTest : public ::testing::Test {
protected:
    void SetUp() override { window_.Form_Load(""); }

    void load(const QImage& picture) {
        const QString path = dir_.filePath("picture.png");
        ASSERT_TRUE(picture.save(path));
        window_.LoadFromCommandLine(path);
        ASSERT_FALSE(window_.LEAD1()->Bitmap().isNull());
    }

    // Drags the thumb to `position`, as the user does: a tracking slider notifies the move.
    void moveSliderTo(int position) { window_.Slider1()->setSliderPosition(position); }

    // The working picture as the tone curve for E says it must be: the base remapped.
    Bitmap expectedCorrection(const Bitmap& base, float exposure, double k) {
        return testing::expectedCorrection(base, window_.LevelHistogram(), exposure, k);
    }

    QTemporaryDir dir_;
    Main window_;
    UnexpectedMessages messages_;
};

TEST_F(ExposureTest, AMoveWithoutAPictureShowsEAndCorrectsNothing) {
    moveSliderTo(27);
    EXPECT_EQ(window_.Slider1()->ThumbText(), QStringLiteral("E = -0.7"));
    EXPECT_EQ(window_.ExposureValue(), -0.7f);
    // No picture: the slider became active, but nothing was corrected.
    EXPECT_EQ(window_.ExposureActive(), 1.0f);
    EXPECT_TRUE(window_.LEAD1()->Bitmap().isNull());
}

TEST_F(ExposureTest, TheWheelCorrectsLikeADrag) {
    load(greyLevels(0, 255).convertToFormat(QImage::Format_RGB888));
    const Bitmap base = window_.LEAD1()->Bitmap();
    const QPointF middle = QRectF(window_.Slider1()->rect()).center();
    QWheelEvent wheel(middle, window_.Slider1()->mapToGlobal(middle), {}, {0, 120}, Qt::NoButton,
                      Qt::NoModifier, Qt::NoScrollPhase, false);
    QApplication::sendEvent(window_.Slider1(), &wheel);
    const int position = window_.Slider1()->value();
    EXPECT_LT(position, 20);
    EXPECT_TRUE(samePixels(window_.LEAD1()->Bitmap(),
                           expectedCorrection(base, float((20 - position) / 10.0), 0.3)));
}

TEST_F(ExposureTest, AfterPressing90TheCurveStillUsesTheLoadedHistogram) {
    load(greyLevels(30, 200));
    const tone::LevelHistogram loaded = window_.LevelHistogram();
    moveSliderTo(12);
    window_.Rotate90()->click();
    const Bitmap turned = window_.LEAD1()->Bitmap();
    ASSERT_EQ(turned.width(), 4);

    moveSliderTo(14);
    EXPECT_EQ(window_.LevelHistogram(), loaded);
    EXPECT_TRUE(samePixels(window_.LEAD1()->Bitmap(), expectedCorrection(turned, 0.6f, 0.3)));
}

TEST_F(ExposureTest, AnAllBlackPictureStaysBlackWithoutAMessage) {
    QImage black(8, 6, QImage::Format_RGB32);
    black.fill(Qt::black);
    load(black);
    const Bitmap base = window_.LEAD1()->Bitmap();
    for (const int position : {0, 13, 40}) {
        moveSliderTo(position);
        EXPECT_TRUE(samePixels(window_.LEAD1()->Bitmap(), base)) << position;
        EXPECT_TRUE(window_.LEAD1()->RepaintEnabled());
    }
    QApplication::processEvents();
    EXPECT_TRUE(messages_.titles.isEmpty());
}

}  // namespace
}  // namespace quorvel::app
