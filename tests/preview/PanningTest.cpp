#include "Form1.h"
#include "ImageControl.h"
#include "ModalDialogs.h"
#include "TestImages.h"

#include <QApplication>
#include <QMouseEvent>
#include <QScrollBar>
#include <QTest>

#include <gtest/gtest.h>

namespace quorvel::preview {
namespace {

using imaging::PixelLayout;

void send(QWidget* target, QEvent::Type type, QPoint at, Qt::MouseButtons held) {
    QMouseEvent event(type, QPointF(at), target->mapToGlobal(QPointF(at)), Qt::LeftButton, held,
                      Qt::NoModifier);
    QApplication::sendEvent(target, &event);
}

// The last pixel shown is the picture's pixel (x, y).
bool showsLast(const imaging::ImageControl& control, int x, int y) {
    const QImage view = control.DisplayedView();
    return view.pixelColor(view.width() - 1, view.height() - 1) ==
           testing::pixelAt(control.Bitmap(), x, y);
}

TEST(PanningTest, DragsAndScrollBarsReachEveryPartAndOnlyAClickSwitches) {
    QWidget owner;
    imaging::ImageControl corrected;
    imaging::ImageControl original;
    corrected.SetBitmap(testing::patternBitmap(1200, 900, PixelLayout::Rgb));
    original.SetBitmap(testing::patternBitmap(1000, 700, PixelLayout::Grey));
    Form1 form(corrected, original, false, &owner);
    form.setWindowState(Qt::WindowNoState);
    form.show();
    form.resize(400, 300);
    ASSERT_TRUE(testing::waitUntil([&] { return form.LEAD1()->size() == QSize(400, 300); }));
    imaging::ImageControl* lead = form.LEAD1();
    QTest::mouseClick(lead, Qt::RightButton);

    send(lead, QEvent::MouseButtonPress, {300, 200}, Qt::LeftButton);
    send(lead, QEvent::MouseMove, {250, 180}, Qt::LeftButton);
    send(lead, QEvent::MouseMove, {200, 150}, Qt::LeftButton);
    send(lead, QEvent::MouseButtonRelease, {200, 150}, Qt::NoButton);
    EXPECT_EQ(lead->ScrollPosition(), QPoint(100, 50));
    EXPECT_EQ(form.VerticalScrollBar()->value(), 50);
    EXPECT_EQ(form.windowTitle().toStdString(), " Beautified, Actual Size");

    QScrollBar* vertical = form.VerticalScrollBar();
    form.HorizontalScrollBar()->setValue(form.HorizontalScrollBar()->maximum());
    vertical->setValue(vertical->maximum());
    EXPECT_TRUE(showsLast(*lead, 1199, 899));
    EXPECT_LT(lead->contentsRect().right(), vertical->geometry().left());

    QTest::mouseClick(lead, Qt::LeftButton, {}, {50, 50});
    EXPECT_EQ(form.windowTitle().toStdString(), " Original, Actual Size");
    QTest::keyClick(lead, Qt::Key_Down);
    EXPECT_GT(lead->ScrollPosition().y(), 0);
    EXPECT_EQ(vertical->maximum(), lead->ScrollRange().height());
}

}  // namespace
}  // namespace quorvel::preview
