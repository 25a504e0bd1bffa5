// SPDX-License-Identifier: GPL-3.0-or-later
#include "ExpectedCorrection.h"
#include "FittedView.h"
#include "Form1.h"
#include "Geometry.h"
#include "ImageControl.h"
#include "Main.h"
#include "MainTestHelpers.h"
#include "ModalDialogs.h"
#include "PixelOps.h"
#include "QImageConversion.h"
#include "SaveDialog.h"
#include "TestImages.h"
#include "ThumbTextSlider.h"
#include "ToneCurve.h"

#include <QComboBox>
#include <QLineEdit>
#include <QPushButton>
#include <QTemporaryDir>
#include <QTest>

#include <gtest/gtest.h>

#include <functional>

namespace quorvel::app {
namespace {

using imaging::Bitmap;

// Each way the working picture is read right after a slider move, with what it must then be,
// given the eager correction.
struct Reader {
    const char* name;
    std::function<Bitmap(Main&, const QString& folder)> read;
    std::function<Bitmap(const Bitmap& corrected)> expected;
    friend void PrintTo(const Reader& r, std::ostream* out) { *out << r.name; }
};

Bitmap asIs(const Bitmap& corrected) {
    return corrected;
}

Bitmap saveThroughTheDialog(Main& window, const QString& folder) {
    testing::whenModalAppears([folder](QWidget* modal) {
        auto* formats = modal->findChild<QComboBox*>("format");
        formats->setCurrentIndex(formats->findText("PNG (*.png)"));
        testing::typeOver(modal->findChild<QLineEdit*>("fileName"), folder + "/saved.png");
        testing::pressOk(modal);
    });
    window.Save()->click();
    // Read back by Qt's own PNG reader, not the one that wrote it.
    return imaging::fromQImage(
        QImage(folder + "/saved.png").convertToFormat(QImage::Format_RGB888));
}

Bitmap previewedPicture(Main& window, const QString&) {
    Bitmap shown;
    testing::whenModalAppears([&shown](QWidget* modal) {
        shown = dynamic_cast<preview::Form1&>(*modal).LEAD1()->Bitmap();
        modal->close();
    });
    QTest::mouseClick(window.LEAD1(), Qt::LeftButton);
    return shown;
}

const Reader kReaders[] = {
    {"Bitmap", [](Main& w, const QString&) { return w.LEAD1()->Bitmap(); }, asIs},
    {"Rotate90",
     [](Main& w, const QString&) {
         w.Rotate90()->click();
         return w.LEAD1()->Bitmap();
     },
     [](const Bitmap& c) { return imaging::rotated(c, 9000, false, Qt::white); }},
    {"Third",
     [](Main& w, const QString&) {
         w.Resize3()->click();
         return w.LEAD1()->Bitmap();
     },
     [](const Bitmap& c) {
         return imaging::resized(c, c.width() / 3, c.height() / 3,
                                 imaging::Resampling::HighQuality);
     }},
    {"NewBaseAfterFlip",
     [](Main& w, const QString&) {
         w.updown()->click();
         return w.LEAD3()->Bitmap();
     },
     [](const Bitmap& c) { return imaging::flipped(c); }},
    {"Save", saveThroughTheDialog, asIs},
    {"Preview", previewedPicture, asIs},
};

class LazyWorkingPictureSettling : public ::testing::Test {
protected:
    void SetUp() override {
        window_.Form_Load("");
        window_.resize(1000, 700);
        window_.show();
        ASSERT_TRUE(QTest::qWaitForWindowExposed(&window_));
        // Large enough that the background remap is still at work when read.
        const Bitmap picture = testing::patternBitmap(1600, 1200, imaging::PixelLayout::Rgb);
        ASSERT_TRUE(imaging::toQImage(picture).save(dir_.filePath("picture.png")));
        window_.LoadFromCommandLine(dir_.filePath("picture.png"));
        base_ = window_.LEAD1()->Bitmap();
        ASSERT_FALSE(base_.isNull());
    }

    Bitmap eagerCorrection(float exposure) const {
        return testing::expectedCorrection(base_, window_.LevelHistogram(), exposure,
                                           tone::kExposureMode);
    }

    QTemporaryDir dir_;
    Main window_;
    UnexpectedMessages messages_;
    Bitmap base_;
};

class LazyWorkingPicture : public LazyWorkingPictureSettling,
                           public ::testing::WithParamInterface<Reader> {};

TEST_P(LazyWorkingPicture, ReadRightAfterAMoveIsTheEagerCorrection) {
    for (const int position : {14, 9}) {
        window_.Slider1()->setSliderPosition(position);
    }
    const Bitmap corrected = eagerCorrection(1.1f);
    const Bitmap read = GetParam().read(window_, dir_.path());
    EXPECT_TRUE(imaging::samePixels(read, GetParam().expected(corrected)));
    EXPECT_TRUE(messages_.titles.isEmpty());
}

INSTANTIATE_TEST_SUITE_P(Readers, LazyWorkingPicture, ::testing::ValuesIn(kReaders),
                         [](const auto& info) { return std::string(info.param.name); });

TEST_F(LazyWorkingPictureSettling, PanelEndsOnTheViewOfTheEagerCorrection) {
    for (const int position : {14, 9}) {
        window_.Slider1()->setSliderPosition(position);
    }
    ASSERT_TRUE(testing::waitUntil([&] { return window_.LEAD1()->IsSettled(); }));
    const QImage shown = window_.LEAD1()->DisplayedView();
    EXPECT_EQ(shown, imaging::scaledView(eagerCorrection(1.1f), shown.size()));
}

}  // namespace
}  // namespace quorvel::app
