#include "Main.h"

#include "ImageControl.h"
#include "MainLayout.h"
#include "MainTestHelpers.h"
#include "ModalDialogs.h"
#include "QtPrinters.h"

#include <QApplication>
#include <QLabel>
#include <QSlider>
#include <QStyle>
#include <QStyleOptionSlider>
#include <QTest>
#include <QToolButton>
#include <QWheelEvent>

#include <gtest/gtest.h>

namespace quorvel::app {
namespace {

struct QuietStart {
    const char* name;
    QString arguments;
    short wordCount;
};

void PrintTo(const QuietStart& c, std::ostream* out) {
    *out << c.name;
}

class QuietStartUp : public ::testing::TestWithParam<QuietStart> {};

TEST_P(QuietStartUp, WaitsEmptyWithThePictureCommandsDisabled) {
    Main window;
    EXPECT_TRUE(window.windowTitle().isEmpty()) << "construction ran the start-up";
    UnexpectedModals modals;
    window.Form_Load(GetParam().arguments);

    EXPECT_TRUE(modals.titles.isEmpty()) << modals.titles.join(", ").toStdString();
    EXPECT_EQ(window.ArgumentWordCount(), GetParam().wordCount);
    EXPECT_EQ(window.windowTitle(), "Quorvel Version 3.0");
    EXPECT_EQ(window.Label3()->text(), "Quorvel V 3.0");
    for (QWidget* command : imageCommands(window)) {
        EXPECT_FALSE(command->isEnabled()) << command->objectName().toStdString();
    }
    for (QWidget* control : std::initializer_list<QWidget*>{window.LoadLead(), window.Help(),
                                                            window.Slider1(), window.ContrastX()}) {
        EXPECT_TRUE(control->isEnabled()) << control->objectName().toStdString();
    }
    EXPECT_EQ(window.Slider1()->value(), 20);
    for (auto* panel : {window.LEAD1(), window.LEAD2(), window.LEAD3()}) {
        EXPECT_TRUE(panel->Bitmap().isNull());
    }
}

INSTANTIATE_TEST_SUITE_P(Arguments, QuietStartUp,
                         ::testing::Values(QuietStart{"None", "", 0},
                                           QuietStart{"SpacesOnly", "   ", 0},
                                           QuietStart{"LoneQuote", "\"", 1}),
                         [](const auto& info) { return std::string(info.param.name); });

TEST(MainWindowTest, DesignedControlsSitAtTheirDesignPlaces) {
    Main window;
    EXPECT_EQ(window.size(), QSize(802, 514));
    EXPECT_EQ(window.minimumSize(), QSize(802, 514));
    // Twips divided by 15, each value rounded.
    EXPECT_EQ(window.LEAD2()->geometry(), QRect(16, 96, 337, 253));
    EXPECT_EQ(window.LEAD1()->geometry(), QRect(448, 96, 337, 253));
    EXPECT_EQ(window.Slider1()->geometry(), QRect(392, 104, 34, 225));
    EXPECT_EQ(window.ContrastX()->geometry(), QRect(392, 336, 25, 25));
    EXPECT_EQ(window.Label3()->geometry(), QRect(248, 32, 297, 41));
    EXPECT_EQ(window.Label1()->pos(), QPoint(160, 64));
    EXPECT_EQ(window.Label2()->pos(), QPoint(576, 64));
    EXPECT_FALSE(window.LEAD3()->isVisibleTo(&window));
    EXPECT_FALSE(window.LEAD4()->isVisibleTo(&window));
    // Quick resize reads from double to one fifth.
    const QWidget* resize[] = {window.Resize6(), window.Resize2(), window.Resize3(),
                               window.Resize4(), window.Resize5()};
    for (std::size_t i = 1; i < std::size(resize); ++i) {
        EXPECT_LT(resize[i - 1]->x(), resize[i]->x());
    }
}

// Where a click lands on the slider's groove across its width (the tick marks take a side).
int grooveCentreX(QSlider* slider) {
    QStyleOptionSlider option;
    option.initFrom(slider);
    option.orientation = slider->orientation();
    option.tickPosition = slider->tickPosition();
    return slider->style()
        ->subControlRect(QStyle::CC_Slider, &option, QStyle::SC_SliderGroove, slider)
        .center()
        .x();
}

TEST(MainWindowTest, ExposureSliderHasZeroAtTheTopAndMovesTheWayKeysAndWheelPoint) {
    Main window;
    window.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&window));
    QSlider* slider = window.Slider1();
    // A click on the groove moves the thumb a page towards the pointer.
    QTest::mouseClick(slider, Qt::LeftButton, {}, QPoint(grooveCentreX(slider), 28));
    EXPECT_LT(slider->value(), 20) << "the top end is not 0";

    slider->setValue(20);
    QTest::keyClick(slider, Qt::Key_Up);
    EXPECT_EQ(slider->value(), 19);
    QTest::keyClick(slider, Qt::Key_PageDown);
    EXPECT_EQ(slider->value(), 24);

    slider->setValue(20);
    const QPointF centre = QRectF(slider->rect()).center();
    QWheelEvent wheelUp(centre, slider->mapToGlobal(centre), {}, QPoint(0, 120), Qt::NoButton,
                        Qt::NoModifier, Qt::NoScrollPhase, false);
    QApplication::sendEvent(slider, &wheelUp);
    EXPECT_LT(slider->value(), 20);
}

TEST(MainWindowTest, EveryControlHasAnAccessibleName) {
    Main window;
    for (const MainLayout::Placement& placement : MainLayout::placements()) {
        const QWidget* control = window.findChild<QWidget*>(placement.name);
        ASSERT_NE(control, nullptr) << placement.name;
        EXPECT_FALSE(control->accessibleName().isEmpty()) << placement.name;
    }
    EXPECT_EQ(window.updown()->accessibleName(), "Flip up side down");
    EXPECT_EQ(window.leftright()->accessibleName(), "Flip Left to right");
}

TEST(MainWindowTest, TabCyclesThroughTheEnabledControlsFromLoadImage) {
    Main window;
    window.Form_Load("");
    window.show();
    QApplication::setActiveWindow(&window);
    ASSERT_TRUE(
        testing::waitUntil([&] { return QApplication::focusWidget() == window.LoadLead(); }));

    const QWidget* expected[] = {window.Help(),      window.LEAD2(), window.Slider1(),
                                 window.ContrastX(), window.LEAD1(), window.LoadLead()};
    for (const QWidget* next : expected) {
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
        ASSERT_EQ(QApplication::focusWidget(), next)
            << "focus on " << QApplication::focusWidget()->objectName().toStdString();
    }
}

TEST(MainWindowTest, ResetMousePointerClearsEveryBusyCursor) {
    Main window;
    for (int i = 0; i < 3; ++i) {
        QApplication::setOverrideCursor(Qt::WaitCursor);
    }
    window.ResetMousePointer();
    EXPECT_EQ(QApplication::overrideCursor(), nullptr);
}

}  // namespace
}  // namespace quorvel::app
