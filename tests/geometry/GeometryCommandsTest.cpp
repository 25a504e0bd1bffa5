// SPDX-License-Identifier: GPL-3.0-or-later
#include "ImageControl.h"
#include "Main.h"
#include "ModalDialogs.h"
#include "QImageConversion.h"
#include "RotateDialog.h"
#include "TestImages.h"
#include "ThumbTextSlider.h"
#include "UnexpectedMessages.h"

#include <QCheckBox>
#include <QColorDialog>
#include <QComboBox>
#include <QDialogButtonBox>
#include <QDoubleSpinBox>
#include <QPushButton>
#include <QSpinBox>
#include <QTemporaryDir>
#include <QTest>

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <numbers>
#include <set>
#include <tuple>

namespace quorvel::geometry {
namespace {

using imaging::PixelLayout;
using Button = QPushButton* (app::Main::*)() const;

void pressOk(QWidget* dialog) {
    dialog->findChild<QDialogButtonBox*>()->button(QDialogButtonBox::Ok)->click();
}

// The main window with a picture opened from a file and corrected by a drag of the slider to 12.
// Every message box is recorded and closed, so that none blocks a test and an unexpected one
// shows in the expectations.
class GeometryFixture : public ::testing::Test {
protected:
    void SetUp() override { window_.Form_Load(""); }

    void loadAndCorrect(const imaging::Bitmap& picture) {
        const QString path = dir_.filePath("picture.png");
        ASSERT_TRUE(imaging::toQImage(picture).save(path));
        window_.LoadFromCommandLine(path);
        loaded_ = working();
        window_.Slider1()->setSliderPosition(12);
        corrected_ = working();
        ASSERT_FALSE(samePixels(corrected_, loaded_));
    }

    std::string messages() const { return messages_.seen.join(u'\n').toStdString(); }
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
    testing::UnexpectedMessages messages_;
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

// Each channel a plane of its own slope: any averaging or cubic resampling gives back the plane,
// sampled at the centres of the new pixels, so the expected content needs no resampler.
imaging::Bitmap planes(int width, int height) {
    imaging::PixelBuffer buffer(width, height, PixelLayout::Rgb);
    for (int y = 0; y < height; ++y) {
        for (int x = 0; x < width; ++x) {
            std::uint8_t* pixel = buffer.row(y) + x * 3;
            pixel[0] = std::uint8_t(3 * x);
            pixel[1] = std::uint8_t(4 * y);
            pixel[2] = std::uint8_t(x + 2 * y);
        }
    }
    return imaging::Bitmap(std::move(buffer));
}

// The largest difference from the planes over the pixels at least `margin` from the edges.
int largestDeparture(const imaging::Bitmap& result, QSize source, int margin) {
    const double scaleX = double(source.width()) / result.width();
    const double scaleY = double(source.height()) / result.height();
    int largest = 0;
    for (int y = margin; y < result.height() - margin; ++y) {
        for (int x = margin; x < result.width() - margin; ++x) {
            const double sx = (x + 0.5) * scaleX - 0.5;
            const double sy = (y + 0.5) * scaleY - 0.5;
            const QColor c = testing::pixelAt(result, x, y);
            for (const auto& [value, expected] :
                 {std::pair{c.red(), 3 * sx}, {c.green(), 4 * sy}, {c.blue(), sx + 2 * sy}}) {
                largest = std::max(largest, int(std::lround(std::abs(value - expected))));
            }
        }
    }
    return largest;
}

struct QuickResizeCase {
    const char* name;
    Button button;
    // The 61 x 47 picture's size divided by the factor, halves rounded away from zero: half is
    // 31 x 24, where truncating gives 30 x 23 and rounding halves to even 30 x 24.
    QSize size;
};

void PrintTo(const QuickResizeCase& c, std::ostream* out) {
    *out << c.name;
}

class QuickResize : public GeometryFixture,
                    public ::testing::WithParamInterface<QuickResizeCase> {};

TEST_P(QuickResize, ScalesAnOddSizedPictureByItsFactor) {
    loadAndCorrect(planes(61, 47));
    window_.Slider1()->setSliderPosition(20);
    (window_.*GetParam().button)()->click();
    EXPECT_EQ(workingSize(), GetParam().size);
    EXPECT_LE(largestDeparture(working(), {61, 47}, 2), 2);
    expectRebased();
    EXPECT_EQ(messages(), "");
}

INSTANTIATE_TEST_SUITE_P(
    Buttons, QuickResize,
    ::testing::Values(QuickResizeCase{"Double", &app::Main::Resize6, {122, 94}},
                      QuickResizeCase{"Half", &app::Main::Resize2, {31, 24}},
                      QuickResizeCase{"Third", &app::Main::Resize3, {20, 16}},
                      QuickResizeCase{"Quarter", &app::Main::Resize4, {15, 12}},
                      QuickResizeCase{"Fifth", &app::Main::Resize5, {12, 9}}),
    [](const auto& info) { return std::string(info.param.name); });

void typeInto(QAbstractSpinBox* box, const QString& text) {
    box->setFocus();
    box->selectAll();
    QTest::keyClicks(box, text);
}

// Values typed into the resize dialog of a 40 x 30 picture, in the order a user would.
struct TypedResize {
    const char* name;
    bool keepAspectRatio;
    const char* width;
    const char* height;
    const char* widthPercent;
    QSize size;
};

void PrintTo(const TypedResize& c, std::ostream* out) {
    *out << c.name;
}

class ResizeDialogTyped : public GeometryFixture,
                          public ::testing::WithParamInterface<TypedResize> {};

TEST_P(ResizeDialogTyped, GivesTheSizeTyped) {
    const TypedResize& c = GetParam();
    loadAndCorrect(planes(40, 30));
    testing::whenModalAppears([&c](QWidget* dialog) {
        auto* lock = dialog->findChild<QCheckBox*>(QStringLiteral("keepAspectRatio"));
        if (lock->isChecked() != c.keepAspectRatio) {
            QTest::mouseClick(lock, Qt::LeftButton);
        }
        if (*c.width != '\0') {
            typeInto(dialog->findChild<QSpinBox*>(QStringLiteral("widthPixels")), c.width);
        }
        if (*c.height != '\0') {
            typeInto(dialog->findChild<QSpinBox*>(QStringLiteral("heightPixels")), c.height);
        }
        if (*c.widthPercent != '\0') {
            typeInto(dialog->findChild<QDoubleSpinBox*>(QStringLiteral("widthPercent")),
                     c.widthPercent);
        }
        pressOk(dialog);
    });
    window_.Resize()->click();
    EXPECT_EQ(workingSize(), c.size);
    expectRebased();
    EXPECT_EQ(messages(), "");
}

INSTANTIATE_TEST_SUITE_P(
    Values, ResizeDialogTyped,
    ::testing::Values(TypedResize{"PixelsLocked", true, "20", "", "", {20, 15}},
                      TypedResize{"PixelsUnlocked", false, "30", "20", "", {30, 20}},
                      TypedResize{"TallerUnlocked", false, "", "45", "", {40, 45}},
                      TypedResize{"PercentLocked", true, "", "", "150", {60, 45}},
                      TypedResize{"PercentUnlocked", false, "", "", "50", {20, 30}}),
    [](const auto& info) { return std::string(info.param.name); });

// A sharp edge enlarged shows which resampling ran: nearest neighbour makes no new values,
// bilinear blends within the two, the cubic of high quality overshoots them.
class ResizeDialogResampling : public GeometryFixture,
                               public ::testing::WithParamInterface<const char*> {};

TEST_P(ResizeDialogResampling, IsTheOneChosen) {
    const QString choice = QString::fromLatin1(GetParam());
    imaging::PixelBuffer buffer(8, 4, PixelLayout::Grey);
    for (int y = 0; y < 4; ++y) {
        std::fill_n(buffer.row(y), 8, std::uint8_t(50));
        std::fill_n(buffer.row(y) + 4, 4, std::uint8_t(200));
    }
    loadAndCorrect(imaging::Bitmap(std::move(buffer)));
    window_.Slider1()->setSliderPosition(20);
    window_.Restore()->click();
    testing::whenModalAppears([&choice](QWidget* dialog) {
        auto* resampling = dialog->findChild<QComboBox*>(QStringLiteral("resampling"));
        for (int i = 0; i < resampling->count(); ++i) {
            if (resampling->itemText(i).startsWith(choice)) {
                resampling->setCurrentIndex(i);
            }
        }
        typeInto(dialog->findChild<QSpinBox*>(QStringLiteral("widthPixels")), "32");
        pressOk(dialog);
    });
    window_.Resize()->click();
    ASSERT_EQ(workingSize(), QSize(32, 16));
    std::set<int> values;
    for (int x = 0; x < 32; ++x) {
        values.insert(testing::pixelAt(working(), x, 8).red());
    }
    const bool between = values.size() > 2 && *values.begin() >= 50 && *values.rbegin() <= 200;
    const bool beyond = *values.begin() < 50 || *values.rbegin() > 200;
    if (choice == "Nearest") {
        EXPECT_EQ(values, (std::set<int>{50, 200}));
    } else if (choice == "Bilinear") {
        EXPECT_TRUE(between);
    } else {
        EXPECT_TRUE(beyond);
    }
}

INSTANTIATE_TEST_SUITE_P(Choices, ResizeDialogResampling,
                         ::testing::Values("High quality", "Bilinear", "Nearest"),
                         [](const auto& info) {
                             std::string name = info.param;
                             name.erase(std::remove(name.begin(), name.end(), ' '), name.end());
                             return name;
                         });

// An angle typed into the rotate dialog of the 40 x 30 planes, with the canvas enlarged or not and
// the uncovered area white or red.
struct TypedRotate {
    const char* name;
    const char* angle;
    double degrees;
    bool growCanvas;
    bool redFill;
    QSize size;
};

void PrintTo(const TypedRotate& c, std::ostream* out) {
    *out << c.name;
}

// The largest difference from the planes turned clockwise about the picture's centre, over the
// pixels whose source lies at least one pixel inside the picture, and how many were compared.
std::pair<int, int> largestTurnedDeparture(const imaging::Bitmap& result, double degrees) {
    const double radians = degrees * std::numbers::pi / 180.0;
    const double c = std::cos(radians);
    const double s = std::sin(radians);
    int largest = 0;
    int compared = 0;
    for (int y = 0; y < result.height(); ++y) {
        for (int x = 0; x < result.width(); ++x) {
            const double dx = x - (result.width() - 1) / 2.0;
            const double dy = y - (result.height() - 1) / 2.0;
            const double sx = 19.5 + c * dx + s * dy;
            const double sy = 14.5 - s * dx + c * dy;
            if (sx < 1 || sx > 38 || sy < 1 || sy > 28) {
                continue;
            }
            ++compared;
            const QColor p = testing::pixelAt(result, x, y);
            for (const auto& [value, expected] :
                 {std::pair{p.red(), 3 * sx}, {p.green(), 4 * sy}, {p.blue(), sx + 2 * sy}}) {
                largest = std::max(largest, int(std::lround(std::abs(value - expected))));
            }
        }
    }
    return {largest, compared};
}

class RotateDialogTyped : public GeometryFixture,
                          public ::testing::WithParamInterface<TypedRotate> {};

TEST_P(RotateDialogTyped, TurnsByTheAngleTyped) {
    const TypedRotate& c = GetParam();
    loadAndCorrect(planes(40, 30));
    window_.Slider1()->setSliderPosition(20);
    testing::whenModalAppears([&c](QWidget* dialog) {
        typeInto(dialog->findChild<QDoubleSpinBox*>(QStringLiteral("angle")), c.angle);
        auto* grow = dialog->findChild<QCheckBox*>(QStringLiteral("growCanvas"));
        if (grow->isChecked() != c.growCanvas) {
            QTest::mouseClick(grow, Qt::LeftButton);
        }
        if (c.redFill) {
            testing::whenModalAppears([](QWidget* picker) {
                qobject_cast<QColorDialog*>(picker)->setCurrentColor(Qt::red);
                pressOk(picker);
            });
            dialog->findChild<QPushButton*>(QStringLiteral("fillColor"))->click();
        }
        pressOk(dialog);
    });
    window_.Rotate()->click();
    ASSERT_EQ(workingSize(), c.size);
    const auto [largest, compared] = largestTurnedDeparture(working(), c.degrees);
    EXPECT_GT(compared, 600);
    EXPECT_LE(largest, 2);
    EXPECT_EQ(testing::pixelAt(working(), 0, 0), c.redFill ? QColor(Qt::red) : QColor(Qt::white));
    EXPECT_EQ(testing::pixelAt(working(), c.size.width() - 1, c.size.height() - 1),
              c.redFill ? QColor(Qt::red) : QColor(Qt::white));
    expectRebased();

    // The next opening inherits neither the angle nor the fill, and confirmed as it opens it
    // only makes the corrected picture the new base.
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

// 40 x 30 turned by 30 degrees needs 40 cos 30 + 30 sin 30 = 49.6 by 40 sin 30 + 30 cos 30 = 46.0.
INSTANTIATE_TEST_SUITE_P(
    Values, RotateDialogTyped,
    ::testing::Values(
        TypedRotate{"ThirtyEnlarged", "30", 30, true, false, {50, 46}},
        TypedRotate{"ThirtyInPlaceRed", "30", 30, false, true, {40, 30}},
        TypedRotate{"MinusThirtyEnlargedRed", "-30", -30, true, true, {50, 46}},
        TypedRotate{"MinusThirtyInPlace", "-30", -30, false, false, {40, 30}},
        TypedRotate{"ThreeHundredThirtyInPlace", "330", -30, false, false, {40, 30}},
        TypedRotate{"MinusTwoHundredTenAndAHalfEnlarged", "-210.5", 149.5, true, false, {50, 47}}),
    [](const auto& info) { return std::string(info.param.name); });

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
