// SPDX-License-Identifier: GPL-3.0-or-later
#include "CaseNames.h"
#include "Form1.h"
#include "ImageControl.h"
#include "Main.h"
#include "ModalDialogs.h"
#include "TestImages.h"
#include "ThumbTextSlider.h"

#include <QApplication>
#include <QMouseEvent>
#include <QScrollBar>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>

#include <gtest/gtest.h>

#include <functional>
#include <string>
#include <utility>
#include <vector>

namespace quorvel::preview {
namespace {

using quorvel::testing::PrintTo;

using imaging::ImageControl;

class PreviewTest : public ::testing::Test {
protected:
    // A picture in both panels, corrected on the right so that the two differ.
    void SetUp() override {
        window_.Form_Load("");
        QImage picture(24, 16, QImage::Format_RGB888);
        picture.fill(QColor(90, 60, 30));
        ASSERT_TRUE(picture.save(dir_.filePath("picture.png")));
        window_.LoadFromCommandLine(dir_.filePath("picture.png"));
        window_.Slider1()->setSliderPosition(6);
        ASSERT_FALSE(samePixels(window_.LEAD1()->Bitmap(), window_.LEAD2()->Bitmap()));
    }

    // Clicks `panel` and hands the preview to `inPreview`, which must close it.
    void clickPanel(ImageControl* panel, const std::function<void(Form1&)>& inPreview) {
        bool opened = false;
        testing::whenModalAppears([&](QWidget* modal) {
            opened = true;
            auto& form = dynamic_cast<Form1&>(*modal);
            inPreview(form);
            EXPECT_FALSE(form.isVisible());
            form.reject();
        });
        QTest::mouseClick(panel, Qt::LeftButton);
        EXPECT_TRUE(opened);
    }

    // The picture and size mode must be the ones the title names.
    void expectShows(const Form1& form, const std::string& title) {
        EXPECT_EQ(form.windowTitle().toStdString(), title);
        const bool original = title.starts_with(" Original");
        const ImageControl* source = original ? window_.LEAD2() : window_.LEAD1();
        EXPECT_TRUE(samePixels(form.LEAD1()->Bitmap(), source->Bitmap())) << title;
        EXPECT_EQ(form.LEAD1()->DisplayScaling(),
                  title.ends_with("Actual Size") ? ImageControl::kActualSize : ImageControl::kFit)
            << title;
    }

    QTemporaryDir dir_;
    app::Main window_;
};

struct Sequence {
    const char* name;
    // The title on opening, which also names the panel clicked.
    const char* opening;
    std::vector<std::pair<Qt::MouseButton, const char*>> clicks;
};

class PreviewSequenceTest : public PreviewTest, public ::testing::WithParamInterface<Sequence> {};

TEST_P(PreviewSequenceTest, LeftSwitchesRightResizesMiddleAndEscapeClose) {
    const Sequence& sequence = GetParam();
    const bool original = std::string(sequence.opening).starts_with(" Original");
    clickPanel(original ? window_.LEAD2() : window_.LEAD1(), [&](Form1& form) {
        expectShows(form, sequence.opening);
        for (const auto& [button, shown] : sequence.clicks) {
            QTest::mouseClick(form.LEAD1(), button);
            expectShows(form, shown);
        }
        QTest::mouseClick(form.LEAD1(), Qt::MiddleButton);
    });
    // The next opening, from the other panel, starts afresh: its picture, fit to the screen.
    clickPanel(original ? window_.LEAD1() : window_.LEAD2(), [&](Form1& form) {
        expectShows(form, original ? " Beautified, Fit to Screen" : " Original, Fit to Screen");
        QTest::keyClick(form.LEAD1(), Qt::Key_Escape);
    });
}

INSTANTIATE_TEST_SUITE_P(
    Clicks, PreviewSequenceTest,
    ::testing::Values(Sequence{"CorrectedLeftLeftRight",
                               " Beautified, Fit to Screen",
                               {{Qt::LeftButton, " Original, Fit to Screen"},
                                {Qt::LeftButton, " Beautified, Fit to Screen"},
                                {Qt::RightButton, " Beautified, Actual Size"}}},
                      Sequence{"OriginalRightLeft",
                               " Original, Fit to Screen",
                               {{Qt::RightButton, " Original, Actual Size"},
                                {Qt::LeftButton, " Beautified, Actual Size"}}}),
    ::testing::PrintToStringParamName());

// The check runs only if a preview's event loop does; the guard drops it when the test ends.
TEST(PreviewWithoutPicture, OpensNothing) {
    app::Main window;
    window.Form_Load("");
    bool opened = false;
    const QObject guard;
    QTimer::singleShot(0, &guard, [&] {
        if (QWidget* modal = QApplication::activeModalWidget()) {
            opened = true;
            modal->close();
        }
    });
    QTest::mouseClick(window.LEAD1(), Qt::LeftButton);
    EXPECT_FALSE(opened);
}

void send(QWidget* target, QEvent::Type type, QPoint at, Qt::MouseButtons held) {
    QMouseEvent event(type, QPointF(at), target->mapToGlobal(QPointF(at)), Qt::LeftButton, held,
                      Qt::NoModifier);
    QApplication::sendEvent(target, &event);
}

TEST(PanningTest, DragMovesThePictureAndTheScrollBarsReachItsLastPixel) {
    ImageControl corrected;
    ImageControl original;
    corrected.SetBitmap(testing::patternBitmap(1200, 900, imaging::PixelLayout::Rgb));
    Form1 form(corrected, original, false, nullptr);
    form.showNormal();
    form.resize(400, 300);
    ImageControl* lead = form.LEAD1();
    ASSERT_TRUE(testing::waitUntil([&] { return lead->geometry() == QRect(0, 0, 400, 300); }));
    QTest::mouseClick(lead, Qt::RightButton);

    send(lead, QEvent::MouseButtonPress, {300, 200}, Qt::LeftButton);
    send(lead, QEvent::MouseMove, {200, 150}, Qt::LeftButton);
    send(lead, QEvent::MouseButtonRelease, {200, 150}, Qt::NoButton);
    EXPECT_EQ(lead->ScrollPosition(), QPoint(100, 50));
    EXPECT_EQ(form.windowTitle().toStdString(), " Beautified, Actual Size");

    form.HorizontalScrollBar()->setValue(form.HorizontalScrollBar()->maximum());
    form.VerticalScrollBar()->setValue(form.VerticalScrollBar()->maximum());
    const QImage view = lead->DisplayedView();
    EXPECT_EQ(view.pixelColor(view.width() - 1, view.height() - 1),
              testing::pixelAt(corrected.Bitmap(), 1199, 899));
}

}  // namespace
}  // namespace quorvel::preview
