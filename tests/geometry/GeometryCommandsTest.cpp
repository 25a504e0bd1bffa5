// SPDX-License-Identifier: GPL-3.0-or-later
#include "ImageControl.h"
#include "Main.h"
#include "ModalDialogs.h"
#include "QImageConversion.h"
#include "RotateDialog.h"
#include "TestImages.h"
#include "ThumbTextSlider.h"

#include <QApplication>
#include <QColorDialog>
#include <QDialogButtonBox>
#include <QDoubleSpinBox>
#include <QMessageBox>
#include <QPushButton>
#include <QSpinBox>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>

#include <gtest/gtest.h>

#include <tuple>

namespace quorvel::geometry {
namespace {

using imaging::PixelLayout;
using Button = QPushButton* (app::Main::*)() const;

void pressOk(QWidget* dialog) {
    dialog->findChild<QDialogButtonBox*>()->button(QDialogButtonBox::Ok)->click();
}

// The main window with a picture opened from a file and corrected by a drag of the slider to 12.
// Every message box is answered with OK and recorded, so that none blocks a test and an
// unexpected one shows in the expectations.
class GeometryFixture : public ::testing::Test {
protected:
    void SetUp() override {
        window_.Form_Load("");
        QObject::connect(&answerer_, &QTimer::timeout, [this] {
            if (auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget())) {
                messages_.append(box->windowTitle() + QStringLiteral(": ") + box->text());
                box->button(QMessageBox::Ok)->click();
            }
        });
        answerer_.start(10);
    }

    void loadAndCorrect(const imaging::Bitmap& picture) {
        const QString path = dir_.filePath("picture.png");
        ASSERT_TRUE(imaging::toQImage(picture).save(path));
        window_.LoadFromCommandLine(path);
        loaded_ = working();
        window_.Slider1()->setSliderPosition(12);
        corrected_ = working();
        ASSERT_FALSE(samePixels(corrected_, loaded_));
    }

    std::string messages() const { return messages_.join(u'\n').toStdString(); }
    imaging::Bitmap working() const { return window_.LEAD1()->Bitmap(); }
    QSize workingSize() const { return {working().width(), working().height()}; }

    // What every geometry command leaves: the working picture as the base, the slider at neutral.
    void expectRebased() const {
        EXPECT_EQ(window_.Slider1()->value(), 20);
        EXPECT_EQ(window_.ExposureActive(), 0.0f);
        EXPECT_TRUE(samePixels(window_.LEAD3()->Bitmap(), working()));
    }

    // What a failed or cancelled command leaves: everything as it was after the correction.
    void expectUntouched() const {
        EXPECT_TRUE(working().sharesPixelsWith(corrected_));
        EXPECT_TRUE(window_.LEAD3()->Bitmap().sharesPixelsWith(loaded_));
        EXPECT_EQ(window_.Slider1()->value(), 12);
        EXPECT_EQ(window_.ExposureActive(), 1.0f);
    }

    QTemporaryDir dir_;
    app::Main window_;
    QTimer answerer_;
    QStringList messages_;
    imaging::Bitmap loaded_;
    imaging::Bitmap corrected_;
};

// A turn or flip of a 5 x 3 picture, the button that undoes it, the size in between and where the
// new top-left pixel comes from.
struct TurnCase {
    const char* name;
    Button button;
    Button inverse;
    QSize size;
    QPoint topLeftFrom;
};

void PrintTo(const TurnCase& turn, std::ostream* out) {
    *out << turn.name;
}

class QuickTurn : public GeometryFixture, public ::testing::WithParamInterface<TurnCase> {};

TEST_P(QuickTurn, KeepsTheCorrectionAndIsUndoneByItsInverse) {
    const TurnCase& turn = GetParam();
    loadAndCorrect(testing::patternBitmap(5, 3, PixelLayout::Rgb));

    (window_.*turn.button)()->click();
    EXPECT_EQ(workingSize(), turn.size);
    EXPECT_EQ(testing::pixelAt(working(), 0, 0),
              testing::pixelAt(corrected_, turn.topLeftFrom.x(), turn.topLeftFrom.y()));
    expectRebased();

    (window_.*turn.inverse)()->click();
    EXPECT_TRUE(samePixels(working(), corrected_));
    expectRebased();
    EXPECT_TRUE(samePixels(window_.LEAD2()->Bitmap(), loaded_));
    window_.Restore()->click();
    EXPECT_TRUE(samePixels(working(), loaded_));
    EXPECT_EQ(messages(), "");
}

INSTANTIATE_TEST_SUITE_P(
    Buttons, QuickTurn,
    ::testing::Values(
        TurnCase{
            "Rotate90ThenRotate270", &app::Main::Rotate90, &app::Main::Rotate270, {3, 5}, {0, 2}},
        TurnCase{"Rotate180Twice", &app::Main::Rotate180, &app::Main::Rotate180, {5, 3}, {4, 2}},
        TurnCase{"UpdownTwice", &app::Main::updown, &app::Main::updown, {5, 3}, {0, 2}},
        TurnCase{"LeftrightTwice", &app::Main::leftright, &app::Main::leftright, {5, 3}, {4, 0}}),
    [](const auto& info) { return std::string(info.param.name); });

// Halves of the unrounded request round away from zero: 500.5 x 300.5 shows as 501 x 301 where a
// rounded or truncated request would give 500 x 300.
TEST_F(GeometryFixture, QuickResizesGiveTheRequestedSizeAndRebase) {
    const std::tuple<Button, QSize, QSize> resizes[] = {
        {&app::Main::Resize2, {1001, 601}, {501, 301}},
        {&app::Main::Resize6, {1600, 1200}, {3200, 2400}}};
    for (const auto& [button, picture, expected] : resizes) {
        loadAndCorrect(testing::patternBitmap(picture.width(), picture.height(), PixelLayout::Rgb));
        (window_.*button)()->click();
        EXPECT_EQ(workingSize(), expected);
        expectRebased();
    }
    EXPECT_EQ(messages(), "");
}

TEST_F(GeometryFixture, AFifthOfThreePixelsIsRefusedAndNothingMoves) {
    loadAndCorrect(testing::patternBitmap(3, 10, PixelLayout::Rgb));
    window_.Resize5()->click();
    EXPECT_EQ(messages(), "Quorvel: Quorvel.ImageControl 20011\rInvalid width/height");
    expectUntouched();
}

TEST_F(GeometryFixture, CancelledDialogsChangeNothingAndShowNothing) {
    loadAndCorrect(testing::patternBitmap(6, 4, PixelLayout::Rgb));
    const std::pair<const char*, Button> dialogs[] = {{"ResizeDialog", &app::Main::Resize},
                                                      {"RotateDialog", &app::Main::Rotate}};
    for (const auto& [name, button] : dialogs) {
        QString shown;
        testing::whenModalAppears([&](QWidget* dialog) {
            shown = dialog->objectName();
            QTest::keyClick(dialog, Qt::Key_Escape);
        });
        (window_.*button)()->click();
        EXPECT_EQ(shown.toStdString(), name);
        expectUntouched();
    }
    EXPECT_EQ(messages(), "");
}

// The first turn leaves 45 degrees and red behind; the next opening must not inherit them.
TEST_F(GeometryFixture, TheRotateDialogOpensAtZeroAndWhiteAndRebasesAtZero) {
    loadAndCorrect(testing::solidBitmap(40, 20, PixelLayout::Rgb, 0, 0, 200));
    testing::whenModalAppears([](QWidget* dialog) {
        dialog->findChild<QDoubleSpinBox*>(QStringLiteral("angle"))->setValue(45);
        testing::whenModalAppears([](QWidget* picker) {
            qobject_cast<QColorDialog*>(picker)->setCurrentColor(Qt::red);
            pressOk(picker);
        });
        dialog->findChild<QPushButton*>(QStringLiteral("fillColor"))->click();
        pressOk(dialog);
    });
    window_.Rotate()->click();
    ASSERT_EQ(testing::pixelAt(working(), 0, 0), QColor(Qt::red));

    window_.Slider1()->setSliderPosition(12);
    const imaging::Bitmap corrected = working();
    testing::whenModalAppears([](QWidget* dialog) {
        auto* rotate = qobject_cast<imaging::RotateDialog*>(dialog);
        EXPECT_EQ(rotate->RotateAngle(), 0);
        EXPECT_EQ(rotate->FillColor(), 0xFFFFFFu);
        pressOk(dialog);
    });
    window_.Rotate()->click();
    EXPECT_TRUE(samePixels(working(), corrected));
    expectRebased();
    EXPECT_EQ(messages(), "");
}

TEST_F(GeometryFixture, AWidthAbove32767EndsInTheOverflowMessage) {
    loadAndCorrect(testing::patternBitmap(40, 30, PixelLayout::Rgb));
    testing::whenModalAppears([](QWidget* dialog) {
        dialog->findChild<QSpinBox*>(QStringLiteral("widthPixels"))->setValue(40000);
        pressOk(dialog);
    });
    window_.Resize()->click();
    EXPECT_EQ(messages(), "Quorvel: Quorvel 6\rOverflow");
    expectUntouched();
}

}  // namespace
}  // namespace quorvel::geometry
