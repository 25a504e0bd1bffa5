// SPDX-License-Identifier: GPL-3.0-or-later
#include "ExternalFiles.h"
#include "ImageDialog.h"
#include "ImagingError.h"
#include "ModalDialogs.h"
#include "TestImages.h"

#include <QComboBox>
#include <QDir>
#include <QFileDialog>
#include <QListView>
#include <QPushButton>
#include <QTemporaryDir>
#include <QTest>

#include <gtest/gtest.h>

#include <functional>

namespace quorvel::imaging {
namespace {

// Types `path` into the file dialog's name field and presses Enter, as a user would.
void chooseFile(const QString& path) {
    testing::whenModalAppears([=](QWidget* modal) {
        auto* dialog = qobject_cast<QFileDialog*>(modal);
        ASSERT_NE(dialog, nullptr);
        testing::typeFileNameAndAccept(dialog, path);
    });
}

class OpenDialog : public ::testing::Test {
protected:
    void SetUp() override {
        ASSERT_TRUE(folder.isValid());
        picture = folder.filePath(QStringLiteral("beach.png"));
        QImage image(6, 4, QImage::Format_RGB888);
        image.fill(QColor(30, 60, 90));
        ASSERT_TRUE(image.save(picture));
        dialog.SetDialogTitle(QStringLiteral("Open File"));
        dialog.SetFilter(QStringLiteral("Png (*.png)|*.png|All (*.*)|*.*"));
    }
    QTemporaryDir folder;
    QString picture;
    ImageDialog dialog;
};

// The folder a file dialog starts in, after cancelling it.
QString startingFolderOf(const std::function<void()>& show) {
    QString folder;
    testing::whenModalAppears([&folder](QWidget* modal) {
        if (auto* dialog = qobject_cast<QFileDialog*>(modal)) {
            folder = dialog->directory().absolutePath();
        }
        modal->close();
    });
    show();
    return folder;
}

TEST_F(OpenDialog, ItAndTheSaveDialogsBrowseStartInTheFolderLastChosenEvenInTheNextRun) {
    chooseFile(picture);
    dialog.ShowOpenDialog(nullptr);

    ImageDialog saving;
    QString browsed;
    testing::whenModalAppears([&browsed](QWidget* saveDialog) {
        browsed = startingFolderOf(
            [saveDialog] { saveDialog->findChild<QPushButton*>("browse")->click(); });
        saveDialog->close();
    });
    EXPECT_THROW(saving.ShowSaveDialog(nullptr), ImagingError);
    EXPECT_EQ(browsed, QDir(folder.path()).absolutePath());

    // A new dialog, as in the next run, reads the folder from the settings file.
    ImageDialog next;
    const QString seen = startingFolderOf([&] {
        EXPECT_THROW(next.ShowOpenDialog(nullptr), ImagingError);
    });
    EXPECT_EQ(seen, QDir(folder.path()).absolutePath());
    const QString settingsFile = qEnvironmentVariable("XDG_CONFIG_HOME") + "/quorvel/quorvel.conf";
    EXPECT_TRUE(testing::fileBytes(settingsFile).contains(folder.path().toUtf8()))
        << settingsFile.toStdString();
}

TEST_F(OpenDialog, AConfirmedSaveMakesItsFolderTheOneTheOpenDialogStartsIn) {
    QTemporaryDir saved;
    ImageDialog saving;
    saving.SetFileName(saved.filePath("beach_M.jpg"));
    testing::whenModalAppears(testing::pressOk);
    ASSERT_EQ(saving.ShowSaveDialog(nullptr), 0);

    const QString seen = startingFolderOf([&] {
        EXPECT_THROW(dialog.ShowOpenDialog(nullptr), ImagingError);
    });
    EXPECT_EQ(seen, QDir(saved.path()).absolutePath());
}

TEST_F(OpenDialog, AFolderThatIsGoneIsNotWhereTheDialogStarts) {
    {
        QTemporaryDir gone;
        const QString inside = gone.filePath("beach.png");
        ASSERT_TRUE(QFile::copy(picture, inside));
        chooseFile(inside);
        dialog.ShowOpenDialog(nullptr);
    }
    const QString seen = startingFolderOf([&] {
        dialog.SetFileName({});
        EXPECT_THROW(dialog.ShowOpenDialog(nullptr), ImagingError);
    });
    EXPECT_EQ(seen, QDir::currentPath());
}

// "All (*.*)" means every file, also one whose name has no dot.
TEST_F(OpenDialog, AllFilesListsANameWithoutADot) {
    const QString undotted = folder.filePath(QStringLiteral("beach"));
    ASSERT_TRUE(QFile::copy(picture, undotted));
    dialog.SetFileName(picture);
    bool listed = false;
    testing::whenModalAppears([&](QWidget* modal) {
        auto* fileDialog = qobject_cast<QFileDialog*>(modal);
        auto* types = modal->findChild<QComboBox*>(QStringLiteral("fileTypeCombo"));
        auto* files = modal->findChild<QListView*>(QStringLiteral("listView"));
        if (fileDialog == nullptr || types == nullptr || files == nullptr) {
            modal->close();
            return;
        }
        types->setFocus();
        QTest::keyClick(types, Qt::Key_End);
        listed = testing::waitUntil([&] {
            const QAbstractItemModel* model = files->model();
            for (int row = 0; row < model->rowCount(files->rootIndex()); ++row) {
                if (model->index(row, 0, files->rootIndex()).data() == QStringLiteral("beach")) {
                    return true;
                }
            }
            return false;
        });
        testing::typeFileNameAndAccept(fileDialog, undotted);
    });
    EXPECT_EQ(dialog.ShowOpenDialog(nullptr), 0);
    EXPECT_TRUE(listed);
    EXPECT_EQ(testing::pixelAt(dialog.DialogBitmap(), 5, 3), QColor(30, 60, 90));
}

}  // namespace
}  // namespace quorvel::imaging
