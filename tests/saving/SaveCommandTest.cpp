#include "ImageControl.h"
#include "ImageDialog.h"
#include "Main.h"
#include "ModalDialogs.h"
#include "ReadBack.h"
#include "SaveDialog.h"

#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QDialogButtonBox>
#include <QFile>
#include <QLineEdit>
#include <QMessageBox>
#include <QPushButton>
#include <QSpinBox>
#include <QTemporaryDir>
#include <QTest>

#include <gtest/gtest.h>

namespace quorvel::saving {
namespace {

using imaging::SaveDialog;

// What the test saw in the save dialog before answering it.
struct SeenDialog {
    QString title;
    QString fileName;
    QString format;
    bool qFactorEnabled = false;
    bool multiPageEnabled = false;
};

// Fills in the coming save dialog as a user would and presses OK, or Escape when `fileName` is
// empty. A message box that follows is answered into `message`.
void answerSaveDialog(const QString& fileName, const QString& format, SeenDialog* seen = nullptr,
                      testing::SeenMessage* message = nullptr) {
    testing::whenModalAppears([=](QWidget* modal) {
        auto* dialog = qobject_cast<SaveDialog*>(modal);
        ASSERT_NE(dialog, nullptr);
        auto* name = dialog->findChild<QLineEdit*>("fileName");
        auto* formats = dialog->findChild<QComboBox*>("format");
        if (seen != nullptr) {
            *seen = {dialog->windowTitle(), name->text(), formats->currentText(),
                     dialog->findChild<QSpinBox*>("qFactor")->isEnabled(),
                     dialog->findChild<QCheckBox*>("multiPage")->isEnabled()};
        }
        if (fileName.isEmpty()) {
            QTest::keyClick(dialog, Qt::Key_Escape);
            return;
        }
        if (message != nullptr) {
            testing::acceptNextMessageBox(*message);
        }
        if (!format.isEmpty()) {
            formats->setCurrentIndex(formats->findText(format));
        }
        name->selectAll();
        QTest::keyClicks(name, fileName);
        QTest::mouseClick(dialog->findChild<QDialogButtonBox*>()->button(QDialogButtonBox::Ok),
                          Qt::LeftButton);
    });
}

class SaveCommandTest : public ::testing::Test {
protected:
    void SetUp() override {
        ASSERT_TRUE(folder.isValid());
        picture = QImage(6, 4, QImage::Format_RGB888);
        for (int i = 0; i < 24; ++i) {
            picture.setPixelColor(i % 6, i / 6, QColor(i * 10, 200 - i * 5, (i * 37) % 256));
        }
        window.Form_Load("");
    }

    void open(const QString& name) {
        const QString path = folder.filePath(name);
        ASSERT_TRUE(picture.save(path, "BMP"));
        window.LoadFromCommandLine(path);
        ASSERT_FALSE(window.LEAD1()->Bitmap().isNull());
    }

    QTemporaryDir folder;
    QImage picture;
    app::Main window;
};

TEST_F(SaveCommandTest, SavesAsPngToAPathWithoutExtension) {
    open("beach.bmp");
    SeenDialog seen;
    answerSaveDialog(folder.filePath("corrected"), "PNG (*.png)", &seen);
    window.Save()->click();

    EXPECT_EQ(seen.title, "Save File");
    EXPECT_EQ(seen.fileName, folder.filePath("beach_M.bmp"));
    EXPECT_EQ(seen.format, "BMP (*.bmp)") << "preselected from the opened file";
    EXPECT_FALSE(seen.qFactorEnabled);
    EXPECT_EQ(testing::decodeWithImageMagick(folder.filePath("corrected.png")).rgba,
              testing::rgbaOf(window.LEAD1()->Bitmap()));
    EXPECT_EQ(window.LastExtension(), "png");
    EXPECT_TRUE(window.LEAD4()->Bitmap().sharesPixelsWith(window.LEAD1()->Bitmap()));
    EXPECT_EQ(QApplication::overrideCursor(), nullptr);
}

// "jpeg" preselects nothing: JPEG comes first and the proposed name gets its extension.
TEST_F(SaveCommandTest, CancelEndsSilently) {
    open("beach.jpeg");
    SeenDialog seen;
    answerSaveDialog({}, {}, &seen);
    window.Save()->click();

    EXPECT_EQ(seen.fileName, folder.filePath("beach_M.jpg"));
    EXPECT_EQ(seen.format, "JPEG (*.jpg)");
    EXPECT_TRUE(seen.qFactorEnabled);
    EXPECT_FALSE(seen.multiPageEnabled);
    EXPECT_EQ(window.LastExtension(), "jpeg");
    EXPECT_TRUE(window.LEAD4()->Bitmap().isNull());
    EXPECT_EQ(QDir(folder.path()).entryList(QDir::Files), QStringList{"beach.jpeg"});
}

TEST_F(SaveCommandTest, AReturnedErrorIsShownAndStillSetsLastExtension) {
    open("beach.bmp");
    testing::SeenMessage message;
    answerSaveDialog("/proc/beach", "TIFF (*.tif)", nullptr, &message);
    window.Save()->click();

    EXPECT_EQ(message.title, "SaveFile Error");
    EXPECT_EQ(message.text, "Error '20005, Error writing file' was generated.");
    EXPECT_EQ(window.LastExtension(), "tif");
    EXPECT_EQ(QApplication::overrideCursor(), nullptr);
}

// The list is sent on the first run only: what is in the dialog afterwards stays. A list of
// formats the dialog does not know cannot be shown, which is a raised error.
TEST_F(SaveCommandTest, ARaisedErrorIsShownAndLeavesLastExtension) {
    open("beach.bmp");
    answerSaveDialog({}, {});
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

TEST_F(SaveCommandTest, AsksBeforeReplacingAFile) {
    open("beach.bmp");
    const QString existing = folder.filePath("beach.png");
    QFile file(existing);
    ASSERT_TRUE(file.open(QIODevice::WriteOnly));
    file.write("keep me");
    file.close();

    QString question;
    testing::whenModalAppears([&](QWidget* modal) {
        auto* dialog = qobject_cast<SaveDialog*>(modal);
        ASSERT_NE(dialog, nullptr);
        auto* formats = dialog->findChild<QComboBox*>("format");
        formats->setCurrentIndex(formats->findText("PNG (*.png)"));
        auto* name = dialog->findChild<QLineEdit*>("fileName");
        name->selectAll();
        QTest::keyClicks(name, folder.filePath("beach"));
        testing::whenModalAppears([&, dialog](QWidget* box) {
            question = qobject_cast<QMessageBox*>(box)->text();
            qobject_cast<QMessageBox*>(box)->button(QMessageBox::No)->click();
            testing::whenModalAppears([dialog](QWidget*) { dialog->reject(); });
        });
        dialog->findChild<QDialogButtonBox*>()->button(QDialogButtonBox::Ok)->click();
    });
    window.Save()->click();

    EXPECT_EQ(question, existing + " already exists.\nDo you want to replace it?");
    EXPECT_EQ(testing::fileBytes(existing), "keep me");
}

}  // namespace
}  // namespace quorvel::saving
