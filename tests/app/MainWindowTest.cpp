// SPDX-License-Identifier: GPL-3.0-or-later
#include "Main.h"

#include "ImageControl.h"
#include "MainTestHelpers.h"
#include "QtPrinters.h"
#include "ThumbTextSlider.h"

#include <QLabel>
#include <QSlider>
#include <QStyleOptionSlider>
#include <QTest>

#include <gtest/gtest.h>

namespace quorvel::app {
namespace {

TEST(MainWindowTest, StartsEmptyWithThePictureCommandsDisabled) {
    Main window;
    UnexpectedMessages messages;
    // A lone quote is one word that names no picture.
    window.Form_Load("\"");

    EXPECT_TRUE(messages.titles.isEmpty()) << messages.titles.join(", ").toStdString();
    EXPECT_EQ(window.windowTitle(), "Quorvel Version 3.0");
    EXPECT_EQ(disabledButtons(window), kPictureCommands);
    EXPECT_TRUE(window.LEAD1()->Bitmap().isNull());
    // Twips divided by 15, each value rounded.
    EXPECT_EQ(window.Slider1()->geometry(), QRect(392, 104, 34, 225));
}

TEST(MainWindowTest, ExposureSliderHasZeroAtTheTop) {
    Main window;
    window.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&window));
    QSlider* slider = window.Slider1();
    // A click on the groove near the top moves the thumb a page towards the pointer.
    QStyleOptionSlider option;
    option.initFrom(slider);
    option.orientation = slider->orientation();
    option.tickPosition = slider->tickPosition();
    const QRect groove = slider->style()->subControlRect(QStyle::CC_Slider, &option,
                                                         QStyle::SC_SliderGroove, slider);
    QTest::mouseClick(slider, Qt::LeftButton, {}, QPoint(groove.center().x(), groove.top() + 8));
    EXPECT_EQ(slider->value(), 15);
}

}  // namespace
}  // namespace quorvel::app
