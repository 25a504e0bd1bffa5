// SPDX-License-Identifier: GPL-3.0-or-later
#include "ExternalFiles.h"
#include "FileNames.h"
#include "FolderEntries.h"
#include "ImageControl.h"
#include "ImageDialog.h"
#include "Main.h"
#include "ModalDialogs.h"
#include "SaveDialog.h"

#include <QApplication>
#include <QComboBox>
#include <QDir>
#include <QFile>
#include <QLineEdit>
#include <QMessageBox>
#include <QPushButton>
#include <QTemporaryDir>
#include <QTest>

#include <gtest/gtest.h>

#include <fcntl.h>

#include <vector>

namespace quorvel::saving {
namespace {

// Answers the coming save dialog as a user would, after noting its title, proposed name and
// format in `seen`: Escape when `fileName` is empty, otherwise `format` chosen, `fileName` typed
// over the proposed name and OK pressed. A message box that follows is answered into `message`.
void answerSaveDialog(QStringList& seen, const QString& fileName = {}, const QString& format = {},
                      testing::SeenMessage* message = nullptr) {
    testing::whenModalAppears([&seen, fileName, format, message](QWidget* modal) {
        auto* name = modal->findChild<QLineEdit*>("fileName");
        auto* formats = modal->findChild<QComboBox*>("format");
        ASSERT_TRUE(qobject_cast<imaging::SaveDialog*>(modal) && name && formats);
        seen = {modal->windowTitle(), name->text(), formats->currentText()};
        if (fileName.isEmpty()) {
            QTest::keyClick(modal, Qt::Key_Escape);
            return;
        }
        if (message != nullptr) {
            testing::acceptNextMessageBox(*message);
        }
        formats->setCurrentIndex(formats->findText(format));
        testing::typeOver(name, fileName);
        testing::pressOk(modal);
    });
}

class SaveCommandTest : public ::testing::Test {
protected:
    void SetUp() override {
        for (int i = 0; i < 24; ++i) {
            picture.setPixelColor(i % 6, i / 6, QColor(i * 10, 200 - i * 5, (i * 37) % 256));
        }
        window.Form_Load("");
    }

    void open(const QString& name) {
        ASSERT_TRUE(picture.save(folder.filePath(name), "BMP"));
        window.LoadFromCommandLine(folder.filePath(name));
        ASSERT_FALSE(window.LEAD1()->Bitmap().isNull());
    }

    QTemporaryDir folder;
    QImage picture{6, 4, QImage::Format_RGB888};
    app::Main window;
};

TEST_F(SaveCommandTest, SavesAsPngToAPathWithoutExtension) {
    open("beach.bmp");
    QStringList seen;
    answerSaveDialog(seen, folder.filePath("corrected"), "PNG (*.png)");
    window.Save()->click();

    EXPECT_EQ(seen, QStringList({"Save File", folder.filePath("beach_M.bmp"), "BMP (*.bmp)"}));
    // Qt's own reader, not the one that wrote it.
    EXPECT_EQ(QImage(folder.filePath("corrected.png")).convertToFormat(QImage::Format_RGB888),
              picture);
    EXPECT_EQ(window.LastExtension(), "png");
}

// "jpeg" preselects nothing: JPEG comes first and the proposed name gets its extension.
TEST_F(SaveCommandTest, CancelEndsSilently) {
    open("beach.jpeg");
    QStringList seen;
    answerSaveDialog(seen);
    window.Save()->click();

    EXPECT_EQ(seen, QStringList({"Save File", folder.filePath("beach_M.jpg"), "JPEG (*.jpg)"}));
    EXPECT_EQ(window.LastExtension(), "jpeg");
    EXPECT_EQ(QDir(folder.path()).entryList(QDir::Files), QStringList{"beach.jpeg"});
}

TEST_F(SaveCommandTest, AReturnedErrorIsShownAndStillSetsLastExtension) {
    open("beach.bmp");
    QStringList seen;
    testing::SeenMessage message;
    answerSaveDialog(seen, "/proc/beach", "TIFF (*.tif)", &message);
    window.Save()->click();

    EXPECT_EQ(message.title, "SaveFile Error");
    EXPECT_EQ(message.text, "Error '20005, Error writing file' was generated.");
    EXPECT_EQ(window.LastExtension(), "tif");
    EXPECT_EQ(QApplication::overrideCursor(), nullptr);
}

// The list goes to the dialog on the first run only; one it cannot show is a raised error.
TEST_F(SaveCommandTest, ARaisedErrorIsShownAndLeavesLastExtension) {
    open("beach.bmp");
    QStringList seen;
    answerSaveDialog(seen);
    window.Save()->click();
    for (int i = 0; i < window.LEADDlg1()->SaveFormatCount(); ++i) {
        window.LEADDlg1()->SaveFormatEntry(i).FormatId = 9999;
    }
    testing::SeenMessage message;
    testing::acceptNextMessageBox(message);
    window.Save()->click();

    EXPECT_EQ(message.title, "SaveFile Error");
    EXPECT_EQ(message.text, "VB Error: '20013' - Invalid parmameter passed.");
    EXPECT_EQ(window.LastExtension(), "bmp");
}

TEST_F(SaveCommandTest, AsksBeforeReplacingAFileAndKeepsItOnNo) {
    open("beach.bmp");
    const QString existing = folder.filePath("beach.png");
    ASSERT_TRUE(testing::writeFileBytes(existing, "keep me"));

    QString question;
    testing::whenModalAppears([&](QWidget* dialog) {
        auto* formats = dialog->findChild<QComboBox*>("format");
        formats->setCurrentIndex(formats->findText("PNG (*.png)"));
        dialog->findChild<QLineEdit*>("fileName")->setText(folder.filePath("beach"));
        testing::whenModalAppears([&, dialog](QWidget* box) {
            question = qobject_cast<QMessageBox*>(box)->text();
            qobject_cast<QMessageBox*>(box)->button(QMessageBox::No)->click();
            testing::whenModalAppears(
                [dialog](QWidget*) { qobject_cast<QDialog*>(dialog)->reject(); });
        });
        testing::pressOk(dialog);
    });
    window.Save()->click();

    EXPECT_EQ(question, existing + " already exists.\nDo you want to replace it?");
    EXPECT_EQ(testing::fileBytes(existing), "keep me");
}

// A file manager may hand over a name that is no UTF-8: the proposed name keeps its bytes, the
// save writes exactly that name, and the second save finds the file to ask about.
TEST_F(SaveCommandTest, ANameThatIsNoUtf8IsSavedUnderItsOwnBytes) {
    const QString original = folder.filePath(imaging::pathFromLocalBytes("\xff\xe9t\xe9.bmp"));
    const QString saved = folder.filePath(imaging::pathFromLocalBytes("\xff\xe9t\xe9_M.bmp"));
    QFile file;
    ASSERT_TRUE(file.open(::open(imaging::localBytesFromPath(original)->constData(),
                                 O_CREAT | O_WRONLY | O_CLOEXEC, 0644),
                          QIODevice::WriteOnly, QFileDevice::AutoCloseHandle));
    ASSERT_TRUE(picture.save(&file, "BMP"));
    file.close();
    window.LoadFromCommandLine(original);
    ASSERT_FALSE(window.LEAD1()->Bitmap().isNull());

    QString proposed, question;
    for (const bool again : {false, true}) {
        testing::whenModalAppears([&, again](QWidget* dialog) {
            proposed = dialog->findChild<QLineEdit*>("fileName")->text();
            if (again) {
                testing::whenModalAppears([&](QWidget* box) {
                    question = qobject_cast<QMessageBox*>(box)->text();
                    qobject_cast<QMessageBox*>(box)->button(QMessageBox::Yes)->click();
                });
            }
            testing::pressOk(dialog);
        });
        window.Save()->click();
    }

    EXPECT_EQ(proposed, saved);
    EXPECT_EQ(question, saved + " already exists.\nDo you want to replace it?");
    const QByteArray local = QFile::encodeName(folder.path());
    EXPECT_EQ(testing::folderEntries(local),
              QList<QByteArray>({"\xff\xe9t\xe9.bmp", "\xff\xe9t\xe9_M.bmp"}));
    QFile written;
    ASSERT_TRUE(imaging::openForReading(written, saved));
    EXPECT_EQ(QImage::fromData(written.readAll()).convertToFormat(QImage::Format_RGB888), picture);
    testing::removeFolderFiles(local);
}

// A 16-bit picture with alpha: its 64 bits come back after a format that lacks them, and so does a
// depth the user chose instead.
TEST_F(SaveCommandTest, SixteenBitDepthsSurviveAFormatThatLacksThem) {
    QImage deep(6, 4, QImage::Format_RGBA64);
    deep.fill(QColor::fromRgba64(12345, 23456, 34567, 40000));
    ASSERT_TRUE(deep.save(folder.filePath("deep.png"), "PNG"));
    window.LoadFromCommandLine(folder.filePath("deep.png"));
    ASSERT_TRUE(window.LEAD1()->Bitmap().isSixteenBit());
    std::vector<int> seen;
    testing::whenModalAppears([&seen](QWidget* modal) {
        auto* formats = modal->findChild<QComboBox*>("format");
        auto* bits = modal->findChild<QComboBox*>("bitsPerPixel");
        ASSERT_TRUE(formats && bits);
        const auto choose = [&](const char* format) {
            formats->setCurrentIndex(formats->findText(format));
            seen.push_back(bits->currentData().toInt());
        };
        for (const char* format : {"PNG (*.png)", "JPEG (*.jpg)", "PNG (*.png)", "TIFF (*.tif)"}) {
            choose(format);
        }
        bits->setFocus();
        while (bits->currentData().toInt() != 24 && bits->currentIndex() + 1 < bits->count()) {
            QTest::keyClick(bits, Qt::Key_Down);
        }
        choose("JPEG (*.jpg)");
        choose("TIFF (*.tif)");
        QTest::keyClick(modal, Qt::Key_Escape);
    });
    window.Save()->click();
    EXPECT_EQ(seen, std::vector<int>({64, 24, 64, 64, 24, 24}));
}

}  // namespace
}  // namespace quorvel::saving
