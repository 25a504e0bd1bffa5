// SPDX-License-Identifier: GPL-3.0-or-later
#include "CaseNames.h"
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
#include <QPushButton>
#include <QSpinBox>
#include <QTemporaryDir>
#include <QTest>

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <functional>
#include <numbers>
#include <optional>
#include <set>
#include <tuple>

namespace quorvel::geometry {
namespace {

using quorvel::testing::PrintTo;

using imaging::PixelLayout;
using Button = QPushButton* (app::Main::*)() const;

using testing::pressOk;
using testing::typeOver;

// Ticks or clears the check box `name` with a click, as a user would.
void setChecked(QWidget* dialog, const char* name, bool checked) {
    auto* box = dialog->findChild<QCheckBox*>(QString::fromLatin1(name));
    if (box->isChecked() != checked) {
        QTest::mouseClick(box, Qt::LeftButton);
    }
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
    ::testing::PrintToStringParamName());

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

// The largest difference from the planes over the pixels of `result` whose place in the source
// `sourceOf` gives (none: not compared), and how many pixels were compared.
std::pair<int, int> departureFromPlanes(
    const imaging::Bitmap& result,
    const std::function<std::optional<QPointF>(int, int)>& sourceOf) {
    int largest = 0;
    int compared = 0;
    for (int y = 0; y < result.height(); ++y) {
        for (int x = 0; x < result.width(); ++x) {
            const std::optional<QPointF> source = sourceOf(x, y);
            if (!source) {
                continue;
            }
            ++compared;
            const double sx = source->x();
            const double sy = source->y();
            const QColor c = testing::pixelAt(result, x, y);
            for (const auto& [value, expected] :
                 {std::pair{c.red(), 3 * sx}, {c.green(), 4 * sy}, {c.blue(), sx + 2 * sy}}) {
                largest = std::max(largest, int(std::lround(std::abs(value - expected))));
            }
        }
    }
    return {largest, compared};
}

struct QuickResizeCase {
    const char* name;
    Button button;
    // The 61 x 47 picture's size divided by the factor, halves rounded away from zero: half is
    // 31 x 24, where truncating gives 30 x 23 and rounding halves to even 30 x 24.
    QSize size;
};

class QuickResize : public GeometryFixture,
                    public ::testing::WithParamInterface<QuickResizeCase> {};

TEST_P(QuickResize, ScalesAnOddSizedPictureByItsFactor) {
    loadAndCorrect(planes(61, 47));
    window_.Slider1()->setSliderPosition(20);
    (window_.*GetParam().button)()->click();
    const QSize size = GetParam().size;
    ASSERT_EQ(workingSize(), size);
    // Away from the edges, the centre of each new pixel in the source.
    const auto [largest, compared] =
        departureFromPlanes(working(), [size](int x, int y) -> std::optional<QPointF> {
            if (std::min({x, y, size.width() - 1 - x, size.height() - 1 - y}) < 2) {
                return std::nullopt;
            }
            return QPointF((x + 0.5) * 61 / size.width() - 0.5,
                           (y + 0.5) * 47 / size.height() - 0.5);
        });
    EXPECT_GT(compared, 0);
    EXPECT_LE(largest, 2);
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
    ::testing::PrintToStringParamName());

// Values typed into the resize dialog of a 40 x 30 picture, in the order a user would.
struct TypedResize {
    const char* name;
    bool keepAspectRatio;
    const char* width;
    const char* height;
    const char* widthPercent;
    QSize size;
};

class ResizeDialogTyped : public GeometryFixture,
                          public ::testing::WithParamInterface<TypedResize> {};

TEST_P(ResizeDialogTyped, GivesTheSizeTyped) {
    const TypedResize& c = GetParam();
    loadAndCorrect(planes(40, 30));
    testing::whenModalAppears([&c](QWidget* dialog) {
        setChecked(dialog, "keepAspectRatio", c.keepAspectRatio);
        for (const auto& [field, text] : {std::pair{"widthPixels", c.width},
                                          {"heightPixels", c.height},
                                          {"widthPercent", c.widthPercent}}) {
            if (*text != '\0') {
                typeOver(dialog->findChild<QWidget*>(QString::fromLatin1(field)), text);
            }
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
                      TypedResize{"PercentLocked", true, "", "", "150", {60, 45}},
                      TypedResize{"PercentUnlocked", false, "", "", "50", {20, 30}}),
    ::testing::PrintToStringParamName());

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
            if (resampling->itemText(i).remove(u' ').startsWith(choice)) {
                resampling->setCurrentIndex(i);
            }
        }
        typeOver(dialog->findChild<QWidget*>(QStringLiteral("widthPixels")), "32");
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
                         ::testing::Values("HighQuality", "Bilinear", "Nearest"),
                         [](const auto& info) { return std::string(info.param); });

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

class RotateDialogTyped : public GeometryFixture,
                          public ::testing::WithParamInterface<TypedRotate> {};

TEST_P(RotateDialogTyped, TurnsByTheAngleTyped) {
    const TypedRotate& c = GetParam();
    loadAndCorrect(planes(40, 30));
    window_.Slider1()->setSliderPosition(20);
    testing::whenModalAppears([&c](QWidget* dialog) {
        typeOver(dialog->findChild<QWidget*>(QStringLiteral("angle")), c.angle);
        setChecked(dialog, "growCanvas", c.growCanvas);
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
    // Turned clockwise about the centre: compared where the source lies a pixel inside the picture.
    const double radians = c.degrees * std::numbers::pi / 180.0;
    const auto [largest, compared] =
        departureFromPlanes(working(), [&c, radians](int x, int y) -> std::optional<QPointF> {
            const double dx = x - (c.size.width() - 1) / 2.0;
            const double dy = y - (c.size.height() - 1) / 2.0;
            const QPointF source(19.5 + std::cos(radians) * dx + std::sin(radians) * dy,
                                 14.5 - std::sin(radians) * dx + std::cos(radians) * dy);
            if (source.x() < 1 || source.x() > 38 || source.y() < 1 || source.y() > 28) {
                return std::nullopt;
            }
            return source;
        });
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
        TypedRotate{"ThreeHundredThirtyInPlace", "330", -30, false, false, {40, 30}},
        TypedRotate{"MinusTwoHundredTenAndAHalfEnlarged", "-210.5", 149.5, true, false, {50, 47}}),
    ::testing::PrintToStringParamName());

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
