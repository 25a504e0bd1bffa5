// SPDX-License-Identifier: GPL-3.0-or-later
#include "Main.h"

#include "ImageControl.h"

#include <QLabel>
#include <QTest>

#include <gtest/gtest.h>

namespace quorvel::app {
namespace {

// CTest runs this program with QT_SCALE_FACTOR=2: the layout is in device-independent pixels and
// the window's own pictures are drawn at twice the density.
TEST(HighDpiWindow, KeepsTheLayoutAndDrawsAtTheScreensDensity) {
    Main window;
    window.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&window));
    ASSERT_EQ(window.devicePixelRatio(), 2.0) << "QT_SCALE_FACTOR=2 is not in force";

    EXPECT_EQ(window.size(), QSize(802, 514));
    EXPECT_EQ(window.LEAD2()->geometry(), QRect(16, 96, 337, 253));
    EXPECT_EQ(window.LEAD1()->geometry(), QRect(448, 96, 337, 253));
    const auto* landscape = window.findChild<QLabel*>("LeftPicture");
    ASSERT_NE(landscape, nullptr);
    EXPECT_EQ(landscape->pixmap().devicePixelRatio(), 2.0);
    EXPECT_EQ(landscape->pixmap().size(), landscape->size() * 2);
}

}  // namespace
}  // namespace quorvel::app
