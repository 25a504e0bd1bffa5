// SPDX-License-Identifier: GPL-3.0-or-later
#include "Main.h"

#include "HelpCommand.h"
#include "ImageDialog.h"
#include "ModalDialogs.h"
#include "QtPrinters.h"
#include "frmHelp.h"

#include <QAbstractButton>
#include <QComboBox>
#include <QFileDialog>
#include <QGroupBox>
#include <QLabel>
#include <QPushButton>
#include <QTest>

#include <gtest/gtest.h>

#include <cmath>

namespace quorvel::app {
namespace {

// What a control shows: a button's or label's text, a frame's title.
QString shownText(const QWidget* control) {
    if (const auto* button = qobject_cast<const QAbstractButton*>(control)) {
        return button->text();
    }
    if (const auto* label = qobject_cast<const QLabel*>(control)) {
        return label->text();
    }
    if (const auto* frame = qobject_cast<const QGroupBox*>(control)) {
        return frame->title();
    }
    return {};
}

struct ShownTexts {
    const char* control;
    const char* text;
    const char* toolTip;
};

class MainWindowTexts : public ::testing::TestWithParam<ShownTexts> {};

TEST_P(MainWindowTexts, AsTheUserReadsThem) {
    Main window;
    window.Form_Load("");
    const auto* control = window.findChild<QWidget*>(GetParam().control);
    ASSERT_NE(control, nullptr);
    EXPECT_EQ(shownText(control), GetParam().text);
    EXPECT_EQ(control->toolTip(), GetParam().toolTip);
}

INSTANTIATE_TEST_SUITE_P(
    Controls, MainWindowTexts,
    ::testing::Values(
        ShownTexts{"Label1", "Original", ""}, ShownTexts{"Label2", "Modified", ""},
        ShownTexts{"Label3", "Quorvel V 3.0", ""}, ShownTexts{"LEAD2", "", "Click to enlarge"},
        ShownTexts{"LEAD1", "", "Click to enlarge"},
        ShownTexts{"Slider1", "", "Exposure adjustment sliding bar"},
        ShownTexts{"ContrastX", "D", "Dynamic range adjustment mode"},
        ShownTexts{"GlimraPicture", "", "Glimra-Contrast"},
        ShownTexts{"LoadLead", "Load Image", ""}, ShownTexts{"Save", "Save", ""},
        ShownTexts{"Restore", "Restore", "Restore back to the original"},
        ShownTexts{"Resize", "Resize", "Change size of the picture"},
        ShownTexts{"Rotate", "Rotate", "Rotate at any angle"},
        ShownTexts{"QuickRotateFrame", "Quick Rotate (degrees):", ""},
        ShownTexts{"Rotate90", "90", "Rotate 90 degrees clockwise"},
        ShownTexts{"Rotate180", "180", "Rotate 180 degrees clockwise"},
        ShownTexts{"Rotate270", "270", "Rotate 270 degrees clockwise"},
        ShownTexts{"FlipFrame", "Flip:", ""}, ShownTexts{"updown", "", "Flip up side down"},
        ShownTexts{"leftright", "", "Flip Left to right"},
        ShownTexts{"QuickResizeFrame", "Quick Resize:", ""},
        ShownTexts{"Resize6", "2", "Double the size"},
        ShownTexts{"Resize2", "1/2", "Half the size"},
        ShownTexts{"Resize3", "1/3", "One third the size"},
        ShownTexts{"Resize4", "1/4", "Quarter the size"},
        ShownTexts{"Resize5", "1/5", "One fifth the size"}, ShownTexts{"Help", "Help", ""}),
    [](const auto& info) { return std::string(info.param.control); });

// The description's file types: every pair as it stands, except that "All formats" may list
// more patterns than these, in its text and in its patterns alike.
struct FileTypes {
    QStringList pairs;
    QString allFormats;
};

const QString kAllFormats = QStringLiteral(
    "*.img;*.gif;*.jpg;*.jpeg;*.png;*.psd;*.raw;*.jff;*.jtf;*.pct;*.pcx;*.eps;*.tga;*.tif;*.bmp;"
    "*.fxs;*.fpx;*.awd;*.ico;*.cur");
const FileTypes kLoadImageTypes{{"Jpeg (*.jpg;*jpeg)|*.jpg;*jpeg", "Bitmap (*.bmp)|*.bmp",
                                 "Gif (*.gif)|*.gif", "Png (*.png)|*.png", "", "All (*.*)|*.*"},
                                kAllFormats};
const FileTypes kCommandLineTypes{{"Jpeg (*.jpg;*jpeg)|*.jpg;*jpeg", "Bitmap (*.bmp)|*.bmp",
                                   "Gif (*.gif)|*.gif", "", "All (*.*)|*.*"},
                                  QString(kAllFormats).remove(QStringLiteral("*.psd;"))};

// Where `filter` departs from `types`; empty when it keeps them all.
QStringList departures(const QString& filter, const FileTypes& types) {
    const QStringList parts = filter.split(u'|');
    QStringList found;
    for (qsizetype i = 0; i + 1 < parts.size(); i += 2) {
        found << parts[i] + u'|' + parts[i + 1];
    }
    if (found.size() != types.pairs.size()) {
        return {QStringLiteral("%1 pairs").arg(found.size())};
    }
    QStringList wrong;
    for (qsizetype i = 0; i < found.size(); ++i) {
        if (!types.pairs[i].isEmpty()) {
            if (found[i] != types.pairs[i]) {
                wrong << found[i];
            }
            continue;
        }
        const QStringList pair = found[i].split(u'|');
        const QString listed = pair[0].section(u'(', 1).chopped(1);
        for (const QString& pattern : types.allFormats.split(u';')) {
            if (!pair[0].startsWith(QStringLiteral("All formats (")) ||
                !listed.split(u';').contains(pattern) || !pair[1].split(u';').contains(pattern)) {
                wrong << pattern;
            }
        }
    }
    return wrong;
}

TEST(OpenDialogTexts, LoadImageShowsItsTitleAndFileTypes) {
    Main window;
    window.Form_Load("");
    QString title;
    QStringList types;
    testing::whenModalAppears([&](QWidget* modal) {
        title = modal->windowTitle();
        if (const auto* list = modal->findChild<QComboBox*>(QStringLiteral("fileTypeCombo"))) {
            for (int i = 0; i < list->count(); ++i) {
                types << list->itemText(i);
            }
        }
        QTest::keyClick(modal, Qt::Key_Escape);
    });
    window.LoadLead()->click();

    EXPECT_EQ(title, "Open File");
    ASSERT_EQ(types.size(), 6);
    types.removeAt(4);
    EXPECT_EQ(types, (QStringList{"Jpeg (*.jpg *jpeg)", "Bitmap (*.bmp)", "Gif (*.gif)",
                                  "Png (*.png)", "All (*.*)"}));
    EXPECT_EQ(departures(window.LEADDlg1()->Filter(), kLoadImageTypes), QStringList());
    EXPECT_EQ(window.LEADDlg1()->DialogFlags(), 66785);
}

TEST(OpenDialogTexts, CommandLineLeavesItsOwnListInTheDialog) {
    Main window;
    testing::SeenMessage seen;
    testing::acceptNextMessageBox(seen);
    window.Form_Load("/no such folder/beach.jpg");

    EXPECT_EQ(seen.title, "Load Error");
    EXPECT_EQ(window.LEADDlg1()->DialogTitle(), "Open File");
    EXPECT_EQ(departures(window.LEADDlg1()->Filter(), kCommandLineTypes), QStringList());
    EXPECT_EQ(window.LEADDlg1()->DialogFlags(), 353);
}

// Positions in twips, 15 to a pixel.
struct PlacedText {
    const char* control;
    const char* text;
    int left;
    int top;
    int width;
    int height;
};

int pixels(int twips) {
    return int(std::lround(twips / 15.0));
}

class HelpWindowTexts : public ::testing::TestWithParam<PlacedText> {};

TEST_P(HelpWindowTexts, AtTheirPlaces) {
    Main window;
    window.Form_Load("");
    window.Help()->click();
    const help::frmHelp* help = window.HelpCommand()->Window();
    ASSERT_NE(help, nullptr);
    EXPECT_EQ(help->windowTitle(), "Help/About Quorvel");
    const PlacedText& c = GetParam();
    const auto* control = help->findChild<QWidget*>(c.control);
    ASSERT_NE(control, nullptr);
    EXPECT_EQ(shownText(control), c.text);
    EXPECT_EQ(control->geometry(),
              QRect(pixels(c.left), pixels(c.top), pixels(c.width), pixels(c.height)));
}

INSTANTIATE_TEST_SUITE_P(
    Controls, HelpWindowTexts,
    ::testing::Values(
        PlacedText{"lblTitle", "Quorvel Version 3.0.0", 1080, 360, 3525, 480},
        PlacedText{"lblDescription", "Glimra-Exposure Slider bar", 1080, 1560, 2445, 330},
        PlacedText{"Label4",
                   "You can move the slider up and down to find the best result you desired.", 480,
                   2280, 3405, 690},
        PlacedText{"Label3",
                   "Press the D button down will switch to dynamic range adjustment mode, un-click "
                   "it will go back to exposure adjustment mode",
                   1320, 3840, 3165, 1170},
        PlacedText{"Label8", "Dynamic range button", 5760, 4440, 2085, 690},
        PlacedText{"Label6", "Note:", 480, 4920, 1965, 330},
        PlacedText{"Label7", "1. Click the Restore button to reset to the original exposure level.",
                   480, 5400, 7125, 450},
        PlacedText{"Label2",
                   "2. Click on either one of the image windows will bring up a full screen "
                   "preview window. Then click on the full screen window to switch between "
                   "original and modified pictures.",
                   480, 5760, 7095, 855},
        PlacedText{"Label5",
                   "2. QFactor in the Save File window is to control how much compression you want "
                   "when the modified photo is being saved. QFactor is from 2 to 10. 2 is for "
                   "minimum compression (best quality) and 10 is for maximum compression.",
                   480, 6600, 6915, 810},
        PlacedText{"cmdOK", "OK", 6360, 8760, 1260, 345},
        PlacedText{"cmdSysInfo", "&System Info...", 6360, 9240, 1245, 345},
        PlacedText{"Image2", "", 120, 120, 855, 825},
        PlacedText{"Image1", "", 4320, 120, 1155, 4440}),
    [](const auto& info) { return std::string(info.param.control); });

}  // namespace
}  // namespace quorvel::app
