#include "Form1.h"
#include "ImageControl.h"
#include "Main.h"
#include "ModalDialogs.h"
#include "PreviewCommands.h"
#include "ThumbTextSlider.h"

#include <QApplication>
#include <QTemporaryDir>
#include <QTest>

#include <gtest/gtest.h>

#include <functional>
#include <vector>

namespace quorvel::preview {
namespace {

using imaging::ImageControl;

// After a click: the title, whether the original is shown, and the size mode.
struct Shown {
    const char* title;
    bool original;
    int scaling;
};
const Shown kCorrectedFit{" Beautified, Fit to Screen", false, ImageControl::kFit};
const Shown kCorrectedActual{" Beautified, Actual Size", false, ImageControl::kActualSize};
const Shown kOriginalFit{" Original, Fit to Screen", true, ImageControl::kFit};
const Shown kOriginalActual{" Original, Actual Size", true, ImageControl::kActualSize};

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
        bool ran = false;
        testing::whenModalAppears([&](QWidget* modal) {
            ran = true;
            auto& form = dynamic_cast<Form1&>(*modal);
            inPreview(form);
            EXPECT_FALSE(form.isVisible());
            form.reject();
        });
        QTest::mouseClick(panel, Qt::LeftButton);
        EXPECT_TRUE(ran);
    }

    void expectShows(const Form1& form, const Shown& shown) {
        EXPECT_EQ(form.windowTitle().toStdString(), shown.title);
        const ImageControl* source = shown.original ? window_.LEAD2() : window_.LEAD1();
        EXPECT_TRUE(samePixels(form.LEAD1()->Bitmap(), source->Bitmap())) << shown.title;
        EXPECT_EQ(form.LEAD1()->DisplayScaling(), shown.scaling) << shown.title;
    }

    QTemporaryDir dir_;
    app::Main window_;
};

struct Sequence {
    const char* name;
    bool fromOriginal;
    Shown opening;
    std::vector<std::pair<Qt::MouseButton, Shown>> clicks;
};

void PrintTo(const Sequence& sequence, std::ostream* out) {
    *out << sequence.name;
}

class PreviewSequenceTest : public PreviewTest, public ::testing::WithParamInterface<Sequence> {};

// The title is spoilt before each click, so each check also shows that it was rewritten.
TEST_P(PreviewSequenceTest, ButtonsSwitchPictureAndSizeAndTheMiddleOneCloses) {
    const Sequence& sequence = GetParam();
    clickPanel(sequence.fromOriginal ? window_.LEAD2() : window_.LEAD1(), [&](Form1& form) {
        expectShows(form, sequence.opening);
        for (const auto& [button, shown] : sequence.clicks) {
            form.setWindowTitle(QStringLiteral("stale"));
            QTest::mouseClick(form.LEAD1(), button);
            expectShows(form, shown);
        }
        QTest::mouseClick(form.LEAD1(), Qt::MiddleButton);
    });
    EXPECT_EQ(window_.PreviewCommands()->PreviewOriginal(), sequence.fromOriginal);
}

INSTANTIATE_TEST_SUITE_P(Clicks, PreviewSequenceTest,
                         ::testing::Values(Sequence{"CorrectedLeftLeftRight",
                                                    false,
                                                    kCorrectedFit,
                                                    {{Qt::LeftButton, kOriginalFit},
                                                     {Qt::LeftButton, kCorrectedFit},
                                                     {Qt::RightButton, kCorrectedActual}}},
                                           Sequence{"OriginalRightLeftRight",
                                                    true,
                                                    kOriginalFit,
                                                    {{Qt::RightButton, kOriginalActual},
                                                     {Qt::LeftButton, kCorrectedActual},
                                                     {Qt::RightButton, kCorrectedFit}}},
                                           Sequence{"OtherButtonsChangeNothing",
                                                    false,
                                                    kCorrectedFit,
                                                    {{Qt::BackButton, kCorrectedFit},
                                                     {Qt::RightButton, kCorrectedActual}}}),
                         [](const auto& info) { return std::string(info.param.name); });

TEST_F(PreviewTest, EachOpeningIsModalMaximisedCoveredAndFresh) {
    clickPanel(window_.LEAD1(), [&](Form1& form) {
        EXPECT_EQ(form.windowModality(), Qt::ApplicationModal);
        EXPECT_TRUE(form.windowState().testFlag(Qt::WindowMaximized));
        EXPECT_EQ(form.parentWidget(), &window_);
        EXPECT_EQ(form.LEAD1()->toolTip().toStdString(),
                  "Click mouse left button to switch, right to actual size, middle to close");
        QTest::mouseClick(form.LEAD1(), Qt::LeftButton);
        QTest::mouseClick(form.LEAD1(), Qt::RightButton);
        form.showNormal();
        form.resize(320, 240);
        EXPECT_TRUE(
            testing::waitUntil([&] { return form.LEAD1()->geometry() == QRect(0, 0, 320, 240); }));
        QTest::keyClick(form.LEAD1(), Qt::Key_Escape);
    });
    clickPanel(window_.LEAD2(), [&](Form1& form) {
        expectShows(form, kOriginalFit);
        EXPECT_EQ(form.SwitchClicks() + form.SizeClicks(), 0);
        EXPECT_EQ(form.LEAD1()->geometry(), form.rect());
        QTest::keyClick(form.LEAD1(), Qt::Key_Escape);
    });
}

// Without a picture the click opens nothing (a modal preview would block this test) but still
// records the panel.
TEST(PreviewWithoutPicture, OpensNothingButRecordsThePanel) {
    app::Main window;
    window.Form_Load("");
    for (const auto& [panel, original] :
         {std::pair{window.LEAD2(), true}, std::pair{window.LEAD1(), false},
          std::pair{window.LEAD2(), true}}) {
        QTest::mouseClick(panel, Qt::LeftButton);
        EXPECT_EQ(window.PreviewCommands()->PreviewOriginal(), original);
    }
    EXPECT_TRUE(window.findChildren<Form1*>().isEmpty());
}

}  // namespace
}  // namespace quorvel::preview
