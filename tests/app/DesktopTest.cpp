// SPDX-License-Identifier: GPL-3.0-or-later
#include "Main.h"

#include "CaseNames.h"
#include "CommandLine.h"
#include "FileNames.h"
#include "FolderEntries.h"
#include "HelpCommand.h"
#include "ImageControl.h"
#include "MainLayout.h"
#include "MainTestHelpers.h"
#include "ModalDialogs.h"
#include "PreviewCommands.h"
#include "QImageConversion.h"
#include "QtPrinters.h"
#include "frmHelp.h"

#include <QDropEvent>
#include <QFile>
#include <QMimeData>
#include <QTemporaryDir>
#include <QTest>
#include <QUrl>

#include <gtest/gtest.h>

#include <utility>

#include <fcntl.h>
#include <vector>

namespace quorvel::app {
namespace {

using quorvel::testing::PrintTo;

QImage solidPicture(QColor colour) {
    QImage picture(4, 3, QImage::Format_RGB32);
    picture.fill(colour);
    return picture;
}

// Drags `urls` onto the left panel as a file manager does; returns whether the window took them.
bool dragAndDrop(Main& window, const QList<QUrl>& urls) {
    QMimeData data;
    data.setUrls(urls);
    const QPointF where = window.LEAD2()->geometry().center();
    QDragEnterEvent enter(where.toPoint(), Qt::CopyAction, &data, Qt::LeftButton, Qt::NoModifier);
    QDropEvent drop(where, Qt::CopyAction, &data, Qt::LeftButton, Qt::NoModifier);
    QApplication::sendEvent(&window, &enter);
    QApplication::sendEvent(&window, &drop);
    return enter.isAccepted() && drop.isAccepted();
}

class DesktopTest : public ::testing::Test {
protected:
    void TearDown() override { testing::removeFolderFiles(QFile::encodeName(dir_.path())); }

    // An invalid colour writes text under a picture's name, given in the file system's bytes.
    QString write(const QByteArray& name, QColor colour) {
        const QString path = dir_.filePath(imaging::pathFromLocalBytes(name));
        QFile file;
        const int fd = ::open(imaging::localBytesFromPath(path).value().constData(),
                              O_CREAT | O_WRONLY | O_CLOEXEC, 0644);
        EXPECT_TRUE(file.open(fd, QIODevice::WriteOnly, QFileDevice::AutoCloseHandle));
        EXPECT_TRUE(colour.isValid() ? solidPicture(colour).save(&file, "PNG")
                                     : file.write("no picture here\n") > 0);
        return path;
    }

    // The title of the modal window that `key` opens, after closing it.
    QString modalOpenedByKey(Qt::Key key, Qt::KeyboardModifiers modifiers = Qt::ControlModifier) {
        QApplication::setActiveWindow(&window_);
        EXPECT_TRUE(QTest::qWaitForWindowActive(&window_));
        QString title;
        testing::whenModalAppears([&title](QWidget* modal) {
            title = modal->windowTitle();
            QTest::keyClick(modal, Qt::Key_Escape);
        });
        QTest::keyClick(&window_, key, modifiers);
        EXPECT_TRUE(testing::waitUntil([&] { return !title.isEmpty(); }));
        return title;
    }

    QTemporaryDir dir_;
    Main window_;
};

// What a file manager drops: the name's bytes, percent-encoded.
QUrl fileUrl(const QString& path) {
    return QUrl::fromEncoded("file://" + imaging::localBytesFromPath(path)->toPercentEncoding("/"));
}

// A file manager passes the first file either as one unquoted argument ("Open With") or as a drop.
struct Opening {
    const char* name;
    bool dropped;
    std::vector<std::pair<const char*, QColor>> files;
};

class OpenedFiles : public DesktopTest, public ::testing::WithParamInterface<Opening> {};

// A first file that is no picture gets the command line's load message and leaves the window empty.
TEST_P(OpenedFiles, TheFirstOpensOrTheLoadMessageShows) {
    QStringList paths;
    QList<QUrl> urls;
    for (const auto& [name, colour] : GetParam().files) {
        paths.append(write(name, colour));
        urls.append(fileUrl(paths.back()));
    }
    const QColor colour = GetParam().files.front().second;
    UnexpectedMessages messages;
    if (GetParam().dropped) {
        window_.Form_Load("");
        ASSERT_TRUE(dragAndDrop(window_, urls));
    } else {
        window_.Form_Load(argumentText({"quorvel", paths.front()}));
    }

    ASSERT_TRUE(testing::waitUntil(
        [&] { return !window_.LEAD1()->Bitmap().isNull() || !messages.titles.isEmpty(); }));
    // Nothing else is queued behind the first load.
    QApplication::processEvents();
    EXPECT_EQ(imaging::toQImage(window_.LEAD1()->Bitmap()).convertToFormat(QImage::Format_RGB32),
              colour.isValid() ? solidPicture(colour) : QImage());
    EXPECT_EQ(window_.windowTitle(), paths.front());
    EXPECT_EQ(disabledButtons(window_), colour.isValid() ? QStringList() : kPictureCommands);
    EXPECT_EQ(messages.titles, colour.isValid() ? QStringList() : QStringList{"Load Error"});
}

INSTANTIATE_TEST_SUITE_P(
    Ways, OpenedFiles,
    ::testing::Values(
        Opening{"ArgumentNotUtf8", false, {{"Strand \xe9t\xe9.png", Qt::darkYellow}}},
        Opening{"DroppedPicture", true, {{"Blick über den See.png", Qt::darkCyan}}},
        Opening{"DroppedNameNotUtf8", true, {{"\xff\xfe.png", Qt::darkGreen}}},
        Opening{"DroppedNonPicture", true, {{"notes.png", QColor()}}},
        Opening{"TwoDroppedPictures", true, {{"first.png", Qt::red}, {"second.png", Qt::blue}}}),
    ::testing::PrintToStringParamName());

TEST_F(DesktopTest, CtrlOOpensTheLoadDialogAndCtrlSTheSaveDialogOnlyWithAPicture) {
    window_.Form_Load("");
    window_.show();
    QApplication::setActiveWindow(&window_);
    ASSERT_TRUE(QTest::qWaitForWindowActive(&window_));
    UnexpectedMessages messages;
    QTest::keyClick(&window_, Qt::Key_S, Qt::ControlModifier);
    QApplication::processEvents();
    EXPECT_EQ(QApplication::activeModalWidget(), nullptr);
    EXPECT_EQ(messages.titles, QStringList());

    EXPECT_EQ(modalOpenedByKey(Qt::Key_O), "Open File");
    window_.LoadFromCommandLine(write("picture.png", Qt::yellow));
    EXPECT_EQ(modalOpenedByKey(Qt::Key_S), "Save File");
}

TEST_F(DesktopTest, F1OpensHelpF11ShowsTheModifiedPictureFullScreenAndCtrlQQuits) {
    window_.Form_Load("");
    window_.show();
    QApplication::setActiveWindow(&window_);
    ASSERT_TRUE(QTest::qWaitForWindowActive(&window_));
    UnexpectedMessages messages;

    // Like a click on the empty panel, F11 opens nothing before a picture is loaded.
    QTest::keyClick(&window_, Qt::Key_F11);
    QApplication::processEvents();
    EXPECT_EQ(QApplication::activeModalWidget(), nullptr);

    QTest::keyClick(&window_, Qt::Key_F1);
    ASSERT_NE(window_.HelpCommand()->Window(), nullptr);
    EXPECT_TRUE(window_.HelpCommand()->Window()->isVisible());
    window_.HelpCommand()->Window()->close();

    window_.LoadFromCommandLine(write("picture.png", Qt::green));
    EXPECT_EQ(modalOpenedByKey(Qt::Key_F11, Qt::NoModifier), " Beautified, Fit to Screen");
    EXPECT_FALSE(window_.PreviewCommands()->PreviewOriginal());

    QApplication::setActiveWindow(&window_);
    QTest::keyClick(&window_, Qt::Key_Q, Qt::ControlModifier);
    EXPECT_TRUE(testing::waitUntil([&] { return !window_.isVisible(); }));
    EXPECT_EQ(messages.titles, QStringList());
}

// Where some controls sit relative to the panels: the slider and the contrast box from the gap
// between the panels, the load button from the left panel and the help button from the right one.
QStringList offsetsFromThePanels(const Main& window) {
    const QRect left = window.LEAD2()->geometry();
    const QRect right = window.LEAD1()->geometry();
    const int gap = (left.right() + right.left()) / 2;
    const auto at = [&window](const char* name, QPoint reference) {
        const QPoint offset = window.findChild<QWidget*>(name)->pos() - reference;
        return QString("%1 %2,%3").arg(name).arg(offset.x()).arg(offset.y());
    };
    return {at("Slider1", {gap, left.top()}), at("ContrastX", {gap, left.bottom()}),
            at("LoadLead", left.bottomLeft()), at("Help", right.bottomRight())};
}

TEST(WindowSize, PanelsTakeTheExtraSpaceControlsFollowThemAndTheDesignIsTheMinimum) {
    Main window;
    window.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&window));
    EXPECT_EQ(window.size(), QSize(802, 514));
    EXPECT_EQ(window.LEAD2()->geometry(), QRect(16, 96, 337, 253));
    EXPECT_EQ(window.LEAD1()->geometry(), QRect(448, 96, 337, 253));
    const QStringList designOffsets = offsetsFromThePanels(window);
    const int designSliderHeight = window.findChild<QWidget*>("Slider1")->height();

    // 798 more pixels across, half for each panel; 486 more down, all for the panels.
    window.resize(1600, 1000);
    ASSERT_TRUE(testing::waitUntil([&] { return window.LEAD1()->width() > 700; }));
    EXPECT_EQ(window.LEAD2()->geometry(), QRect(16, 96, 736, 739));
    EXPECT_EQ(window.LEAD1()->geometry(), QRect(847, 96, 736, 739));
    EXPECT_EQ(offsetsFromThePanels(window), designOffsets);
    EXPECT_EQ(window.findChild<QWidget*>("Slider1")->height(), designSliderHeight + 486);

    window.resize(500, 300);
    QApplication::processEvents();
    EXPECT_EQ(window.size(), QSize(802, 514));
}

// Overlapping pairs among the visible controls that share a parent, and controls reaching out of
// their parent, after laying `window` out for `clientSize`.
QStringList crowdedControls(Main& window, QSize clientSize) {
    MainLayout::apply(window, clientSize);
    QStringList faults;
    for (const MainLayout::Placement& placement : MainLayout::placements()) {
        const auto* control = window.findChild<QWidget*>(placement.name);
        if (control->isHidden()) {
            continue;
        }
        const QWidget* parent = control->parentWidget();
        const QSize room = parent == &window ? clientSize : parent->size();
        if (!QRect(QPoint(), room).contains(control->geometry())) {
            faults.append(QString("%1 outside").arg(placement.name));
        }
        for (const QWidget* other : parent->findChildren<QWidget*>(Qt::FindDirectChildrenOnly)) {
            if (other != control && !other->isHidden() && !other->objectName().isEmpty() &&
                control->objectName() < other->objectName() &&
                control->geometry().intersects(other->geometry())) {
                faults.append(QString("%1 on %2").arg(placement.name, other->objectName()));
            }
        }
    }
    return faults;
}

struct ClientSize {
    const char* name;
    QSize size;
};

class ClientSizes : public ::testing::TestWithParam<ClientSize> {};

TEST_P(ClientSizes, EveryControlHasItsOwnPlaceInsideTheWindow) {
    Main window;
    EXPECT_EQ(crowdedControls(window, GetParam().size), QStringList());
}

INSTANTIATE_TEST_SUITE_P(Sizes, ClientSizes,
                         ::testing::Values(ClientSize{"Design", {802, 514}},
                                           ClientSize{"Smallest", {640, 400}}),
                         ::testing::PrintToStringParamName());

}  // namespace
}  // namespace quorvel::app
