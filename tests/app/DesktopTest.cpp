#include "Main.h"

#include "CommandLine.h"
#include "ImageControl.h"
#include "MainTestHelpers.h"
#include "ModalDialogs.h"
#include "QImageConversion.h"
#include "ThumbTextSlider.h"

#include <QAbstractButton>
#include <QDropEvent>
#include <QFile>
#include <QFileDialog>
#include <QGroupBox>
#include <QMimeData>
#include <QPushButton>
#include <QTemporaryDir>
#include <QTest>
#include <QToolButton>
#include <QUrl>

#include <gtest/gtest.h>

namespace quorvel::app {
namespace {

QImage solidPicture(QColor colour) {
    QImage picture(4, 3, QImage::Format_RGB32);
    picture.fill(colour);
    return picture;
}

QImage shownPicture(const Main& window) {
    return imaging::toQImage(window.LEAD1()->Bitmap()).convertToFormat(QImage::Format_RGB32);
}

QMimeData* urlsOf(const QStringList& paths) {
    auto* data = new QMimeData;
    QList<QUrl> urls;
    for (const QString& path : paths) {
        urls.append(path.startsWith(u"http") ? QUrl(path) : QUrl::fromLocalFile(path));
    }
    data->setUrls(urls);
    return data;
}

// Drags `paths` over the window and drops them on the middle of the left panel, as a file manager
// does; returns whether the window took the drag.
bool dragAndDrop(Main& window, const QStringList& paths) {
    const std::unique_ptr<QMimeData> data(urlsOf(paths));
    const QPointF where = window.LEAD2()->geometry().center();
    QDragEnterEvent enter(where.toPoint(), Qt::CopyAction, data.get(), Qt::LeftButton,
                          Qt::NoModifier);
    QApplication::sendEvent(&window, &enter);
    if (!enter.isAccepted()) {
        return false;
    }
    QDropEvent drop(where, Qt::CopyAction, data.get(), Qt::LeftButton, Qt::NoModifier);
    QApplication::sendEvent(&window, &drop);
    return drop.isAccepted();
}

class DesktopTest : public ::testing::Test {
protected:
    void SetUp() override { window_.Form_Load(""); }

    QString write(const QString& name, QColor colour) {
        const QString path = dir_.filePath(name);
        EXPECT_TRUE(solidPicture(colour).save(path, "PNG"));
        return path;
    }

    void showActive() {
        window_.show();
        QApplication::setActiveWindow(&window_);
        ASSERT_TRUE(QTest::qWaitForWindowActive(&window_));
    }

    QTemporaryDir dir_;
    Main window_;
};

// A file manager's "Open With" passes the path as one argument, unquoted.
TEST_F(DesktopTest, FileManagerPathWithSpacesAndAccentsOpensThatFile) {
    write("Strand.png", Qt::black);
    const QString path = write(QString::fromUtf8("Strand bei Nørre Ålum – ß.png"), Qt::magenta);
    Main window;
    UnexpectedMessages messages;
    window.Form_Load(argumentText({"quorvel", path}));

    EXPECT_EQ(shownPicture(window), solidPicture(Qt::magenta));
    EXPECT_EQ(window.windowTitle(), path);
    EXPECT_TRUE(messages.titles.isEmpty()) << messages.titles.join(", ").toStdString();
}

TEST_F(DesktopTest, DroppedPictureOpensLikeACommandLinePath) {
    const QString path = write(QString::fromUtf8("Blick über den See.png"), Qt::darkCyan);
    EXPECT_TRUE(window_.acceptDrops());
    UnexpectedMessages messages;
    ASSERT_TRUE(dragAndDrop(window_, {path}));

    ASSERT_TRUE(testing::waitUntil([&] { return !window_.LEAD1()->Bitmap().isNull(); }));
    EXPECT_EQ(shownPicture(window_), solidPicture(Qt::darkCyan));
    EXPECT_EQ(window_.windowTitle(), path);
    EXPECT_TRUE(disabledButtons(window_).isEmpty());
    EXPECT_TRUE(messages.titles.isEmpty()) << messages.titles.join(", ").toStdString();
}

TEST_F(DesktopTest, DroppedNonPictureReportsTheCommandLineMessage) {
    const QString path = dir_.filePath("notes.png");
    QFile file(path);
    ASSERT_TRUE(file.open(QIODevice::WriteOnly) && file.write("no picture here\n") > 0);
    file.close();
    testing::SeenMessage seen;
    testing::acceptNextMessageBox(seen);
    ASSERT_TRUE(dragAndDrop(window_, {path}));

    ASSERT_TRUE(testing::waitUntil([&] { return !seen.title.isEmpty(); }));
    EXPECT_EQ(seen.title, "Load Error");
    EXPECT_TRUE(seen.text.startsWith("VB Error: '")) << seen.text.toStdString();
    EXPECT_TRUE(window_.LEAD1()->Bitmap().isNull());
    EXPECT_EQ(disabledButtons(window_), kPictureCommands);
}

TEST_F(DesktopTest, OfSeveralDroppedFilesTheFirstOpens) {
    const QString first = write("first.png", Qt::red);
    const QString second = write("second.png", Qt::blue);
    ASSERT_TRUE(dragAndDrop(window_, {first, second}));

    ASSERT_TRUE(testing::waitUntil([&] { return !window_.LEAD1()->Bitmap().isNull(); }));
    EXPECT_EQ(shownPicture(window_), solidPicture(Qt::red));
    EXPECT_EQ(window_.windowTitle(), first);
    // Nothing else is queued behind the first load.
    QApplication::processEvents();
    EXPECT_EQ(shownPicture(window_), solidPicture(Qt::red));
}

TEST_F(DesktopTest, WebLinksAreNotTaken) {
    EXPECT_FALSE(dragAndDrop(window_, {"https://quorvel.example.org/beach.jpg"}));
    EXPECT_FALSE(dragAndDrop(window_, {}));
}

TEST_F(DesktopTest, CtrlOOpensTheLoadDialog) {
    showActive();
    QString seen;
    testing::whenModalAppears([&seen](QWidget* modal) {
        seen = modal->metaObject()->className();
        QTest::keyClick(modal, Qt::Key_Escape);
    });
    QTest::keyClick(&window_, Qt::Key_O, Qt::ControlModifier);
    ASSERT_TRUE(testing::waitUntil([&] { return !seen.isEmpty(); }));
    EXPECT_EQ(seen, "QFileDialog");
}

TEST_F(DesktopTest, CtrlSSavesOnlyWithAPicture) {
    showActive();
    UnexpectedMessages messages;
    QTest::keyClick(&window_, Qt::Key_S, Qt::ControlModifier);
    QApplication::processEvents();
    EXPECT_EQ(QApplication::activeModalWidget(), nullptr);
    EXPECT_TRUE(messages.titles.isEmpty()) << messages.titles.join(", ").toStdString();

    window_.LoadFromCommandLine(write("picture.png", Qt::yellow));
    QString seen;
    testing::whenModalAppears([&seen](QWidget* modal) {
        seen = modal->windowTitle();
        QTest::keyClick(modal, Qt::Key_Escape);
    });
    QTest::keyClick(&window_, Qt::Key_S, Qt::ControlModifier);
    ASSERT_TRUE(testing::waitUntil([&] { return !seen.isEmpty(); }));
    EXPECT_EQ(seen, "Save File");
}

TEST_F(DesktopTest, TabReachesEveryButton) {
    window_.LoadFromCommandLine(write("picture.png", Qt::green));
    showActive();
    QSet<QWidget*> reached;
    for (int i = 0; i < 40 && QApplication::focusWidget() != nullptr; ++i) {
        reached.insert(QApplication::focusWidget());
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
    }
    QStringList missed;
    for (QAbstractButton* button : window_.findChildren<QAbstractButton*>()) {
        if (!reached.contains(button)) {
            missed.append(button->objectName());
        }
    }
    EXPECT_TRUE(missed.isEmpty()) << missed.join(", ").toStdString();
}

// How a control sits relative to the panels: its left edge from the left panel's left edge or
// middle, from the gap between the panels or from the right panel's right edge, and its top from
// the panels' top or bottom edge.
enum class Across { FromLeft, FromLeftMiddle, FromGap, FromRight };
enum class Down { FromTop, FromBottom };

struct Anchor {
    const char* name;
    Across across;
    Down down;
};

void PrintTo(const Anchor& anchor, std::ostream* out) {
    *out << anchor.name;
}

QPoint offsetFromPanels(const QWidget& control, const Main& window, const Anchor& anchor) {
    const QRect left = window.LEAD2()->geometry();
    const QRect right = window.LEAD1()->geometry();
    const int reference = [&] {
        switch (anchor.across) {
            case Across::FromLeft:
                return left.left();
            case Across::FromLeftMiddle:
                return left.center().x();
            case Across::FromGap:
                return (left.right() + right.left()) / 2;
            case Across::FromRight:
                return right.right();
        }
        return 0;
    }();
    const int x = control.x() - reference;
    const int y = control.y() - (anchor.down == Down::FromTop ? left.top() : left.bottom());
    return QPoint(x, y);
}

class ResizedWindow : public ::testing::TestWithParam<Anchor> {};

TEST_P(ResizedWindow, ControlKeepsItsPlaceRelativeToThePanels) {
    Main window;
    window.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&window));
    auto* control = window.findChild<QWidget*>(GetParam().name);
    ASSERT_NE(control, nullptr);
    const QPoint designOffset = offsetFromPanels(*control, window, GetParam());
    const QSize designSize = control->size();

    window.resize(1600, 1000);
    ASSERT_TRUE(testing::waitUntil([&] { return window.LEAD1()->width() > 700; }));
    const QPoint offset = offsetFromPanels(*control, window, GetParam());
    // A middle may fall on either side of a half pixel.
    EXPECT_NEAR(offset.x(), designOffset.x(), 1);
    EXPECT_EQ(offset.y(), designOffset.y());
    if (GetParam().name != std::string("Slider1")) {
        EXPECT_EQ(control->size(), designSize);
    } else {
        EXPECT_EQ(control->height(), designSize.height() + 486) << "the slider spans the panels";
    }
}

INSTANTIATE_TEST_SUITE_P(
    Controls, ResizedWindow,
    ::testing::Values(Anchor{"Label1", Across::FromLeftMiddle, Down::FromTop},
                      Anchor{"GlimraPicture", Across::FromGap, Down::FromTop},
                      Anchor{"Slider1", Across::FromGap, Down::FromTop},
                      Anchor{"ContrastX", Across::FromGap, Down::FromBottom},
                      Anchor{"LoadLead", Across::FromLeft, Down::FromBottom},
                      Anchor{"Help", Across::FromRight, Down::FromBottom},
                      Anchor{"QuickRotateFrame", Across::FromLeft, Down::FromBottom},
                      Anchor{"FlipFrame", Across::FromGap, Down::FromBottom},
                      Anchor{"QuickResizeFrame", Across::FromGap, Down::FromBottom},
                      Anchor{"WebAddress", Across::FromGap, Down::FromBottom}),
    [](const auto& info) { return std::string(info.param.name); });

TEST(WindowSize, PanelsShareTheExtraSpaceAndTheWindowNeverShrinksBelowTheDesign) {
    Main window;
    window.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&window));
    EXPECT_EQ(window.size(), QSize(802, 514));
    EXPECT_EQ(window.LEAD2()->geometry(), QRect(16, 96, 337, 253));
    EXPECT_EQ(window.LEAD1()->geometry(), QRect(448, 96, 337, 253));

    // 798 more pixels across, half for each panel; 486 more down, all for the panels; the margins
    // stay.
    window.resize(1600, 1000);
    ASSERT_TRUE(testing::waitUntil([&] { return window.LEAD1()->width() > 700; }));
    EXPECT_EQ(window.LEAD2()->geometry(), QRect(16, 96, 736, 739));
    EXPECT_EQ(window.LEAD1()->geometry(), QRect(847, 96, 736, 739));
    EXPECT_EQ(window.Help()->geometry().right(), window.LEAD1()->geometry().right());

    // An odd extra width: one panel takes the odd pixel and the right margin still stays.
    window.resize(1001, 600);
    ASSERT_TRUE(testing::waitUntil([&] { return window.LEAD1()->width() < 700; }));
    EXPECT_EQ(window.width() - window.LEAD1()->geometry().right(), 802 - 784);
    EXPECT_LE(std::abs(window.LEAD1()->width() - window.LEAD2()->width()), 1);

    window.resize(500, 300);
    QApplication::processEvents();
    EXPECT_EQ(window.size(), QSize(802, 514));
    EXPECT_EQ(window.LEAD1()->geometry(), QRect(448, 96, 337, 253));
}

}  // namespace
}  // namespace quorvel::app
