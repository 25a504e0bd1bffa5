// SPDX-License-Identifier: GPL-3.0-or-later
#include "Main.h"

#include "ImageControl.h"
#include "MainTestHelpers.h"
#include "ModalDialogs.h"

#include <QAbstractButton>
#include <QImage>
#include <QPushButton>
#include <QScreen>
#include <QTemporaryDir>
#include <QTest>

#include <gtest/gtest.h>

namespace quorvel::app {
namespace {

// CTest runs this program on a screen of 1600 x 1000 pixels at scale factor 2: 800 x 500 at that
// scale, less than the design size of 802 x 514 and its frame.
TEST(SmallScreen, TheWindowFitsWithEveryCommandVisibleAndWorking) {
    Main window;
    window.Form_Load("");
    window.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&window));
    ASSERT_EQ(window.devicePixelRatio(), 2.0) << "scale factor 2 is not in force";
    const QRect screen = window.screen()->availableGeometry();
    ASSERT_EQ(screen.size(), QSize(800, 500)) << "the 1600 x 1000 screen is not in force";

    EXPECT_TRUE(screen.contains(window.frameGeometry()))
        << window.frameGeometry().width() << " x " << window.frameGeometry().height();
    EXPECT_LE(window.minimumWidth(), screen.width());
    EXPECT_LE(window.minimumHeight(), screen.height());
    EXPECT_LT(window.LEAD1()->height(), 253);

    const QRect client = window.rect();
    for (QAbstractButton* button : window.findChildren<QAbstractButton*>()) {
        const QRect place(button->mapTo(&window, QPoint()), button->size());
        EXPECT_TRUE(button->isVisible()) << button->objectName().toStdString();
        EXPECT_TRUE(client.contains(place)) << button->objectName().toStdString();
        // The caption or picture still fits.
        const int content = button->text().isEmpty()
                                ? button->iconSize().width()
                                : button->fontMetrics().horizontalAdvance(button->text());
        EXPECT_LT(content, button->width()) << button->objectName().toStdString();
    }

    QTemporaryDir dir;
    QImage picture(6, 4, QImage::Format_RGB888);
    picture.fill(Qt::darkGreen);
    ASSERT_TRUE(picture.save(dir.filePath("picture.png")));
    window.LoadFromCommandLine(dir.filePath("picture.png"));
    EXPECT_EQ(disabledButtons(window), QStringList());
    QTest::mouseClick(window.Rotate90(), Qt::LeftButton);
    EXPECT_EQ(window.LEAD1()->Bitmap().width(), 4);
}

}  // namespace
}  // namespace quorvel::app
