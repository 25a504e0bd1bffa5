// SPDX-License-Identifier: GPL-3.0-or-later
#include "Main.h"

#include "CaseNames.h"
#include "ExternalFiles.h"
#include "ImageControl.h"
#include "ImageDialog.h"
#include "MainTestHelpers.h"
#include "ModalDialogs.h"
#include "QImageConversion.h"
#include "QtPrinters.h"
#include "ThumbTextSlider.h"

#include <QFileDialog>
#include <QPushButton>
#include <QSlider>
#include <QTemporaryDir>
#include <QTest>
#include <QWindow>

#include <gtest/gtest.h>

namespace quorvel::app {
namespace {

using quorvel::testing::PrintTo;

// A 5 x 3 picture in four greys, each used several times. Each pixel stands for 128000 pixels of
// the 1600 x 1200 reference picture.
QImage greyPicture() {
    QImage picture(5, 3, QImage::Format_RGB32);
    for (int i = 0; i < 15; ++i) {
        const int level = (i % 4) * 80;
        picture.setPixelColor(i % 5, i / 5, QColor(level, level, level));
    }
    return picture;
}

// Answers the coming open dialog with `path`, or cancels it when `path` is empty. A message box
// that follows is answered into `message`.
void answerOpenDialog(const QString& path, testing::SeenMessage* message = nullptr) {
    testing::whenModalAppears([path, message](QWidget* modal) {
        if (message != nullptr) {
            testing::acceptNextMessageBox(*message);
        }
        if (auto* dialog = qobject_cast<QFileDialog*>(modal); dialog && !path.isEmpty()) {
            testing::typeFileNameAndAccept(dialog, path);
        } else {
            QTest::keyClick(modal, Qt::Key_Escape);
        }
    });
}

class ImageLoadingTest : public ::testing::Test {
protected:
    void SetUp() override { window_.Form_Load(""); }

    QString write(const QString& name) {
        const QString path = dir_.filePath(name);
        EXPECT_TRUE(greyPicture().save(path, "PNG"));
        return path;
    }

    QTemporaryDir dir_;
    Main window_;
};

TEST_F(ImageLoadingTest, CommandLineLoadShowsThePictureAndTakesItsHistogram) {
    const QString path = write(QString::fromUtf8("Strand bei Nørre Ålum – ß.png"));
    Main window;
    window.Slider1()->setValue(33);
    window.SetExposureActive(1.0f);
    window.Form_Load('"' + path + '"');

    for (const imaging::ImageControl* panel : {window.LEAD1(), window.LEAD2(), window.LEAD3()}) {
        EXPECT_EQ(imaging::toQImage(panel->Bitmap()).convertToFormat(QImage::Format_RGB32),
                  greyPicture())
            << panel->objectName().toStdString();
    }
    EXPECT_EQ(window.windowTitle(), path);
    tone::LevelHistogram expected{};
    for (int i = 0; i < 15; ++i) {
        expected[std::size_t(greyPicture().pixelColor(i % 5, i / 5).red())] += 128000.0;
    }
    EXPECT_EQ(window.LevelHistogram(), expected);
    EXPECT_TRUE(disabledButtons(window).isEmpty());
    EXPECT_EQ(window.Slider1()->value(), 20);
    EXPECT_EQ(window.ExposureActive(), 0.0f);

    window.LoadFromCommandLine(path);
    EXPECT_EQ(window.LevelHistogram(), expected) << "the counts accumulated";
}

struct FailedLoad {
    const char* name;
    QString argumentText;
    QString message;
};

class CommandLineLoadFailure : public ::testing::TestWithParam<FailedLoad> {};

TEST_P(CommandLineLoadFailure, ReportsAndLeavesTheWindowEmpty) {
    testing::SeenMessage seen;
    testing::acceptNextMessageBox(seen);
    Main window;
    window.Form_Load(GetParam().argumentText);

    EXPECT_EQ(seen.title, "Load Error");
    EXPECT_EQ(seen.text, GetParam().message);
    EXPECT_TRUE(window.LEAD1()->Bitmap().isNull());
    EXPECT_EQ(disabledButtons(window), kPictureCommands);
}

INSTANTIATE_TEST_SUITE_P(
    Cases, CommandLineLoadFailure,
    ::testing::Values(
        FailedLoad{"MissingFile", "/no such folder/beach.jpg",
                   "VB Error: '20010' - File not found."},
        FailedLoad{"EmptyQuotedPath", "\"\"", "VB Error: '20008' - Invalid filename specified."},
        FailedLoad{"NoFileCanHaveThisName", QString::fromStdU16String(u"/tmp/\xd800.jpg"),
                   "VB Error: '20008' - Invalid filename specified."}),
    ::testing::PrintToStringParamName());

TEST_F(ImageLoadingTest, OpenDialogLoadsAPictureAndKeepsItWhenTheNextIsNoPicture) {
    const QString path = write("good.png");
    answerOpenDialog(path);
    window_.LoadLead()->click();
    EXPECT_EQ(imaging::toQImage(window_.LEAD1()->Bitmap()).convertToFormat(QImage::Format_RGB32),
              greyPicture());
    const imaging::Bitmap previous = window_.LEAD1()->Bitmap();

    const QString notes = dir_.filePath("notes.txt");
    ASSERT_TRUE(testing::writeFileBytes(notes, "not a picture\n"));
    testing::SeenMessage seen;
    QString titleWhenTold;
    QString extensionWhenTold;
    testing::whenModalAppears([&](QWidget* modal) {
        testing::whenModalAppears([&](QWidget* box) {
            titleWhenTold = window_.windowTitle();
            extensionWhenTold = window_.LastExtension();
            seen.text = qobject_cast<QMessageBox*>(box) ? static_cast<QMessageBox*>(box)->text()
                                                        : QString();
            seen.title = box->windowTitle();
            box->close();
        });
        testing::typeFileNameAndAccept(qobject_cast<QFileDialog*>(modal), notes);
    });
    window_.LoadLead()->click();

    EXPECT_EQ(seen.title, "Load Error");
    EXPECT_EQ(seen.text, "Don't know the file format!");
    EXPECT_EQ(titleWhenTold, notes);
    EXPECT_EQ(extensionWhenTold, "txt");
    EXPECT_TRUE(window_.LEAD1()->Bitmap().sharesPixelsWith(previous));
    EXPECT_TRUE(window_.LEAD2()->Bitmap().sharesPixelsWith(previous));
    EXPECT_TRUE(disabledButtons(window_).isEmpty());
}

// Qt takes "[*]" in a title for its unsaved-changes mark; a path holding it is shown as it is.
TEST_F(ImageLoadingTest, TitleShowsAPathWithTheModifiedPlaceholderLiterally) {
    const QString path = write("beach [*] [*][*].png");
    window_.LoadFromCommandLine(path);
    window_.createWinId();
    ASSERT_NE(window_.windowHandle(), nullptr);
    EXPECT_EQ(window_.windowHandle()->title(), path);
}

TEST_F(ImageLoadingTest, CancelledOpenDialogSaysNothingAndRestoresTheName) {
    window_.LEADDlg1()->SetFileName("/pictures/earlier_M.jpg");
    UnexpectedMessages messages;
    answerOpenDialog({});
    window_.LoadLead()->click();

    EXPECT_TRUE(messages.titles.isEmpty()) << messages.titles.join(", ").toStdString();
    EXPECT_EQ(window_.LEADDlg1()->FileName(), "/pictures/earlier_M.jpg");
    EXPECT_TRUE(window_.LEAD1()->Bitmap().isNull());
}

}  // namespace
}  // namespace quorvel::app
