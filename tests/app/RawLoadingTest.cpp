// SPDX-License-Identifier: GPL-3.0-or-later
#include "CfaDng.h"
#include "ImageControl.h"
#include "Main.h"
#include "MainTestHelpers.h"
#include "TestImages.h"

#include <QImage>
#include <QPainter>
#include <QTemporaryDir>

#include <gtest/gtest.h>

namespace quorvel::app {
namespace {

// A camera-layout DNG, its small preview first, opens in the window at the sensor's size and in
// colour, in both panels; the exposure then works on it as on any picture.
TEST(RawLoading, CameraLayoutDngOpensAtItsRawSizeInColour) {
    const QTemporaryDir folder;
    QImage scene(240, 160, QImage::Format_RGB888);
    scene.fill(QColor(60, 110, 200));
    QPainter(&scene).fillRect(0, 0, 120, 160, QColor(210, 80, 50));
    const QString path = folder.filePath("IMG_0001.DNG");
    ASSERT_TRUE(testing::writeCfaDng(path, scene, testing::DngLayout::PreviewFirst));

    UnexpectedMessages messages;
    Main window;
    window.Form_Load('"' + path + '"');
    ASSERT_TRUE(messages.titles.isEmpty()) << messages.titles.join(", ").toStdString();
    for (const imaging::ImageControl* panel : {window.LEAD1(), window.LEAD2()}) {
        const imaging::Bitmap& picture = panel->Bitmap();
        ASSERT_EQ(picture.width(), 240);
        ASSERT_EQ(picture.height(), 160);
        const QColor left = testing::pixelAt(picture, 60, 80);
        const QColor right = testing::pixelAt(picture, 180, 80);
        EXPECT_GT(left.red(), left.blue() + 80) << left.name().toStdString();
        EXPECT_GT(right.blue(), right.red() + 80) << right.name().toStdString();
    }
    EXPECT_TRUE(disabledButtons(window).isEmpty());
}

}  // namespace
}  // namespace quorvel::app
