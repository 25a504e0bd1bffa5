// SPDX-License-Identifier: GPL-3.0-or-later
#include "CaseNames.h"
#include "ErrorCodes.h"
#include "ImageControl.h"
#include "ModalDialogs.h"
#include "TestImages.h"

#include <QApplication>
#include <QSignalSpy>
#include <QTest>

#include <gtest/gtest.h>

namespace quorvel::imaging {
namespace {

using quorvel::testing::PrintTo;

using testing::errorOf;
using testing::patternBitmap;
using testing::solidBitmap;

// Counts the paint events a widget receives.
class PaintCounter : public QObject {
public:
    explicit PaintCounter(QWidget* widget) { widget->installEventFilter(this); }
    int count = 0;

protected:
    bool eventFilter(QObject*, QEvent* event) override {
        if (event->type() == QEvent::Paint) {
            ++count;
        }
        return false;
    }
};

class ShownControl : public ::testing::Test {
protected:
    void SetUp() override {
        control.resize(337, 253);
        control.SetBorderStyle(0);
        control.show();
        ASSERT_TRUE(QTest::qWaitForWindowExposed(&control));
    }
    ImageControl control;
};

TEST_F(ShownControl, FrozenRepaintShowsNothingNewUntilEnabledThenRepaintsOnce) {
    control.SetBitmap(solidBitmap(40, 30, PixelLayout::Rgb, 200, 0, 0));
    const QImage red = control.DisplayedView();
    QApplication::processEvents();
    PaintCounter paints(&control);

    control.SetRepaintEnabled(false);
    control.SetBitmap(solidBitmap(40, 30, PixelLayout::Rgb, 0, 0, 200));
    control.SetBitmap(solidBitmap(40, 30, PixelLayout::Rgb, 0, 200, 0));
    QApplication::processEvents();
    EXPECT_EQ(paints.count, 0);
    EXPECT_EQ(control.DisplayedView().pixelColor(5, 5), red.pixelColor(5, 5));

    control.SetRepaintEnabled(true);
    ASSERT_TRUE(testing::waitUntil([&] { return paints.count > 0; }));
    QApplication::processEvents();
    EXPECT_EQ(paints.count, 1);
    EXPECT_EQ(control.DisplayedView().pixelColor(5, 5), QColor(0, 200, 0));
}

TEST_F(ShownControl, FitKeepsTheAspectCentresAndIsBuiltOncePerChange) {
    control.SetBitmap(solidBitmap(400, 100, PixelLayout::Rgb, 10, 20, 30));
    const QImage view = control.DisplayedView();
    EXPECT_EQ(view.deviceIndependentSize().toSize(), QSize(337, 84));
    EXPECT_EQ(control.DisplayedView().cacheKey(), view.cacheKey());

    const QColor back(212, 208, 200);
    control.SetBackColor(13160660);
    const QImage withBack = control.grab().toImage();
    EXPECT_EQ(withBack.pixelColor(168, 5), back);                  // above the picture
    EXPECT_EQ(withBack.pixelColor(168, 126), QColor(10, 20, 30));  // its middle
    EXPECT_EQ(withBack.pixelColor(168, 248), back);                // below it
}

struct OneToOneCase {
    const char* name;
    PixelLayout layout;
    SampleDepth depth;
};

// Opaque, so that what is painted is the picture's own colour; 16-bit samples use both bytes
// and fall on every side of the 8-bit levels.
Bitmap opaquePattern(int width, int height, PixelLayout layout, SampleDepth depth) {
    PixelBuffer buffer(width, height, layout, depth);
    const int channels = channelCount(layout);
    for (int y = 0; y < height; ++y) {
        for (int x = 0; x < width; ++x) {
            for (int c = 0; c < channels; ++c) {
                const bool alpha = layout == PixelLayout::Rgba && c == 3;
                const int value = (x * 977 + y * 1231 + c * 20011) % 65536;
                const std::size_t at = std::size_t(x * channels + c);
                if (depth == SampleDepth::Sixteen) {
                    reinterpret_cast<std::uint16_t*>(buffer.row(y))[at] =
                        std::uint16_t(alpha ? 65535 : value);
                } else {
                    buffer.row(y)[at] = std::uint8_t(alpha ? 255 : value % 256);
                }
            }
        }
    }
    return Bitmap(std::move(buffer));
}

// The colour a pixel is painted in: 16-bit samples at their nearest 8-bit level.
QColor paintedColour(const Bitmap& picture, int x, int y) {
    const QColor colour = testing::pixelAt(picture, x, y);
    if (!picture.isSixteenBit()) {
        return colour;
    }
    const QRgba64 wide = colour.rgba64();
    const auto level = [](int value) { return (value + 128) / 257; };
    return QColor(level(wide.red()), level(wide.green()), level(wide.blue()));
}

class OneToOneView : public ShownControl, public ::testing::WithParamInterface<OneToOneCase> {};

TEST_P(OneToOneView, PaintsTheVisiblePixelsFromTheScrollPosition) {
    const OneToOneCase& c = GetParam();
    const Bitmap picture = opaquePattern(900, 700, c.layout, c.depth);
    control.SetBitmap(picture);
    control.SetDisplayScaling(ImageControl::kActualSize);
    const QPoint scroll(411, 298);
    control.SetScrollPosition(scroll);
    // Only what the panel shows is converted for it.
    EXPECT_EQ(control.DisplayedView().size(), QSize(337, 253));
    control.SetScrollPosition({5000, 5000});  // clamped to the last screenful
    EXPECT_EQ(control.ScrollPosition(), QPoint(900 - 337, 700 - 253));
    control.SetScrollPosition(scroll);

    const QImage painted = control.grab().toImage();
    int wrong = 0;
    for (int y = 0; y < 253; ++y) {
        for (int x = 0; x < 337; ++x) {
            const QColor expected = paintedColour(picture, scroll.x() + x, scroll.y() + y);
            if (painted.pixelColor(x, y) != expected && ++wrong <= 3) {
                ADD_FAILURE() << "at " << x << "," << y << ": "
                              << painted.pixelColor(x, y).name().toStdString() << " instead of "
                              << expected.name().toStdString();
            }
        }
    }
    EXPECT_EQ(wrong, 0);
}

INSTANTIATE_TEST_SUITE_P(
    Pictures, OneToOneView,
    ::testing::Values(OneToOneCase{"Grey8", PixelLayout::Grey, SampleDepth::Eight},
                      OneToOneCase{"Rgb8", PixelLayout::Rgb, SampleDepth::Eight},
                      OneToOneCase{"Rgba8", PixelLayout::Rgba, SampleDepth::Eight},
                      OneToOneCase{"Grey16", PixelLayout::Grey, SampleDepth::Sixteen},
                      OneToOneCase{"Rgb16", PixelLayout::Rgb, SampleDepth::Sixteen},
                      OneToOneCase{"Rgba16", PixelLayout::Rgba, SampleDepth::Sixteen}),
    ::testing::PrintToStringParamName());

TEST(ImageControl, OperationsWithoutAPictureAreInvalidBitmap) {
    ImageControl control;
    EXPECT_EQ(errorOf([&] { control.ComputeHistogram(0); }), errc::InvalidBitmap);
    EXPECT_EQ(errorOf([&] { control.ApplyRemap(0); }), errc::InvalidBitmap);
    EXPECT_EQ(errorOf([&] { control.ResizeImage(10, 10, 4); }), errc::InvalidBitmap);
    EXPECT_EQ(errorOf([&] { control.RotateImage(9000, true, 0xFFFFFF); }), errc::InvalidBitmap);
    EXPECT_EQ(errorOf([&] { control.FlipImage(); }), errc::InvalidBitmap);
    EXPECT_EQ(errorOf([&] { control.MirrorImage(); }), errc::InvalidBitmap);
}

TEST(ImageControl, RemapTableIsCheckedBeforeThePictureChanges) {
    ImageControl control;
    const Bitmap picture = patternBitmap(8, 8, PixelLayout::Rgb);
    control.SetBitmap(picture);
    EXPECT_EQ(control.RemapTableLength(), 256);
    EXPECT_EQ(errorOf([&] { control.SetRemapTableLength(128); }), errc::InvalidParameter);
    EXPECT_EQ(errorOf([&] { control.SetRemapEntry(256, 0); }), errc::InvalidParameter);

    control.SetRemapEntry(10, 300);
    EXPECT_EQ(errorOf([&] { control.ApplyRemap(0); }), errc::InvalidParameter);
    EXPECT_TRUE(control.Bitmap().sharesPixelsWith(picture));
}

struct ResizeCase {
    const char* name;
    float width;
    float height;
    int expectedWidth;  // 0: refused
    int expectedHeight;
    int expectedError;
};

class ResizeRequests : public ::testing::TestWithParam<ResizeCase> {};

TEST_P(ResizeRequests, RoundOrRefuseLeavingThePicture) {
    const ResizeCase& c = GetParam();
    ImageControl control;
    const Bitmap picture = patternBitmap(1001, 601, PixelLayout::Rgb);
    control.SetBitmap(picture);
    EXPECT_EQ(errorOf([&] { control.ResizeImage(c.width, c.height, 4); }), c.expectedError);
    if (c.expectedError == 0) {
        EXPECT_EQ(control.ImageWidth(), float(c.expectedWidth));
        EXPECT_EQ(control.ImageHeight(), float(c.expectedHeight));
    } else {
        EXPECT_TRUE(control.Bitmap().sharesPixelsWith(picture));
    }
}

INSTANTIATE_TEST_SUITE_P(
    Sizes, ResizeRequests,
    ::testing::Values(ResizeCase{"Half", 500.5f, 300.5f, 501, 301, 0},
                      ResizeCase{"OnePixel", 1.0f, 1.0f, 1, 1, 0},
                      ResizeCase{"BelowOnePixel", 0.6f, 120.2f, 0, 0, errc::InvalidSize},
                      ResizeCase{"NotANumber", std::nanf(""), 10.0f, 0, 0, errc::InvalidSize},
                      ResizeCase{"OverBudget", 40000.0f, 40000.0f, 0, 0, errc::NoMemory},
                      ResizeCase{"Enormous", 3e30f, 3e30f, 0, 0, errc::NoMemory}),
    ::testing::PrintToStringParamName());

TEST(ImageControl, MouseAndKeyboardEvents) {
    ImageControl control;
    control.resize(100, 80);
    control.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&control));
    QSignalSpy clicks(&control, &ImageControl::Click);
    QSignalSpy downs(&control, &ImageControl::MouseDown);

    QTest::mouseClick(&control, Qt::LeftButton, Qt::NoModifier, {10, 10});
    QTest::mouseClick(&control, Qt::RightButton, Qt::ShiftModifier, {20, 30});
    QTest::mouseClick(&control, Qt::MiddleButton, Qt::NoModifier, {10, 10});
    ASSERT_EQ(downs.count(), 3);
    // Button, shift state, x, y.
    EXPECT_EQ(downs[1], (QVariantList{ImageControl::kRightButton, 1, 20, 30}));
    EXPECT_EQ(downs[2][0].toInt(), ImageControl::kMiddleButton);
    EXPECT_EQ(clicks.count(), 1);  // only the left button clicks

    control.setFocus();
    QTest::keyClick(&control, Qt::Key_Space);
    EXPECT_EQ(clicks.count(), 2);
}

}  // namespace
}  // namespace quorvel::imaging
