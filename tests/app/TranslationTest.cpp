// SPDX-License-Identifier: GPL-3.0-or-later
#include "Main.h"

#include "ExternalFiles.h"
#include "ModalDialogs.h"
#include "QtPrinters.h"
#include "Translations.h"
#include "UsageText.h"

#include <QApplication>
#include <QDialogButtonBox>
#include <QFileDialog>
#include <QLabel>
#include <QLocale>
#include <QPushButton>
#include <QTemporaryDir>
#include <QTest>

#include <gtest/gtest.h>

namespace quorvel::app {
namespace {

// What a user reads in one language.
struct Texts {
    QString modified;
    QString loadImage;
    QString restoreTip;
    QString loadErrorTitle;
    QString missingFileMessage;
    QString unknownFormatMessage;
    QString qtCancel;
    QString usageStart;
};

// Today's English texts, which the C locale keeps exactly.
const Texts kEnglish{"Modified",
                     "Load Image",
                     "Restore back to the original",
                     "Load Error",
                     "VB Error: '20010' - File not found.",
                     "Don't know the file format!",
                     "Cancel",
                     "Usage: quorvel [PICTURE]"};

const Texts kGerman{"Bearbeitet",
                    "Bild laden",
                    "Zurück zum Original",
                    "Ladefehler",
                    "VB-Fehler: '20010' - Datei nicht gefunden.",
                    "Unbekanntes Dateiformat!",
                    "Abbrechen",
                    "Aufruf: quorvel [BILD]"};

// Installs the translations as the program does at start, then reads the window's captions and
// the two load messages: a missing file named on the command line, and a file that is no picture
// chosen in the open dialog.
void expectTheWindowSpeaks(const Texts& texts) {
    Translations::install(*QCoreApplication::instance());
    Main window;
    window.Form_Load("");
    EXPECT_EQ(window.Label2()->text(), texts.modified);
    EXPECT_EQ(window.LoadLead()->text(), texts.loadImage);
    EXPECT_EQ(window.Restore()->toolTip(), texts.restoreTip);

    QTemporaryDir dir;
    testing::SeenMessage missing;
    testing::acceptNextMessageBox(missing);
    window.LoadFromCommandLine(dir.filePath("missing.jpg"));
    EXPECT_EQ(missing.title, texts.loadErrorTitle);
    EXPECT_EQ(missing.text, texts.missingFileMessage);

    const QString notes = dir.filePath("notes.png");
    ASSERT_TRUE(testing::writeFileBytes(notes, "no picture here\n"));
    testing::SeenMessage unknown;
    testing::whenModalAppears([&](QWidget* modal) {
        testing::acceptNextMessageBox(unknown);
        testing::typeFileNameAndAccept(qobject_cast<QFileDialog*>(modal), notes);
    });
    window.LoadLead_Click();
    EXPECT_EQ(unknown.title, texts.loadErrorTitle);
    EXPECT_EQ(unknown.text, texts.unknownFormatMessage);

    // Qt's own buttons speak the same language.
    QDialogButtonBox buttons(QDialogButtonBox::Cancel);
    EXPECT_EQ(buttons.button(QDialogButtonBox::Cancel)->text(), texts.qtCancel);

    // So does the command line.
    EXPECT_TRUE(usageText().startsWith(texts.usageStart)) << usageText().toStdString();
}

// CTest runs this with LANG=de_DE.UTF-8.
TEST(InGerman, TheWindowsCaptionsAndLoadMessagesAreGerman) {
    ASSERT_EQ(QLocale().language(), QLocale::German) << "LANG=de_DE.UTF-8 is not in force";
    expectTheWindowSpeaks(kGerman);
}

// CTest runs this with LANG=C.
TEST(InTheCLocale, EveryTextIsTheEnglishOne) {
    ASSERT_EQ(QLocale().language(), QLocale::C) << "LANG=C is not in force";
    expectTheWindowSpeaks(kEnglish);
}

}  // namespace
}  // namespace quorvel::app
