// SPDX-License-Identifier: GPL-3.0-or-later
#include "frmHelp.h"

#include "HelpArtwork.h"

#include <QLabel>
#include <QPainter>
#include <QPushButton>

#include <array>
#include <cmath>
#include <utility>

namespace quorvel::help {

using namespace Qt::StringLiterals;

namespace {

constexpr int kTwipsPerPixel = 15;

int pixels(int twips) {
    return int(std::lround(double(twips) / kTwipsPerPixel));
}

QRect pixelRect(int left, int top, int width, int height) {
    return QRect(pixels(left), pixels(top), pixels(width), pixels(height));
}

QPoint pixelPoint(int x, int y) {
    return QPoint(pixels(x), pixels(y));
}

// A label at its design place, in twips. Every label but the disclaimer uses the design font.
struct LabelPlacement {
    const char* name;
    const char* text;
    int left;
    int top;
    int width;
    int height;
    bool red;
    bool designFont;
};

// lblTitle's text comes from the load step.
constexpr std::array kLabels{
    LabelPlacement{"lblTitle", "", 1080, 360, 3525, 480, false, true},
    LabelPlacement{"lblDescription",
                   QT_TRANSLATE_NOOP("quorvel::help::frmHelp", "Glimra-Exposure Slider bar"), 1080,
                   1560, 2445, 330, true, true},
    LabelPlacement{"Label4",
                   QT_TRANSLATE_NOOP(
                       "quorvel::help::frmHelp",
                       "You can move the slider up and down to find the best result you desired."),
                   480, 2280, 3405, 690, false, true},
    LabelPlacement{
        "Label3",
        QT_TRANSLATE_NOOP("quorvel::help::frmHelp",
                          "Press the D button down will switch to dynamic range adjustment mode, "
                          "un-click it will go back to exposure adjustment mode"),
        1320, 3840, 3165, 1170, false, true},
    LabelPlacement{"Label8", QT_TRANSLATE_NOOP("quorvel::help::frmHelp", "Dynamic range button"),
                   5760, 4440, 2085, 690, true, true},
    LabelPlacement{"Label6", QT_TRANSLATE_NOOP("quorvel::help::frmHelp", "Note:"), 480, 4920, 1965,
                   330, false, true},
    LabelPlacement{
        "Label7",
        QT_TRANSLATE_NOOP("quorvel::help::frmHelp",
                          "1. Click the Restore button to reset to the original exposure level."),
        480, 5400, 7125, 450, false, true},
    LabelPlacement{
        "Label2",
        QT_TRANSLATE_NOOP("quorvel::help::frmHelp",
                          "2. Click on either one of the image windows will bring up a full screen "
                          "preview window. Then click on the full screen window to switch between "
                          "original and modified pictures."),
        480, 5760, 7095, 855, false, true},
    LabelPlacement{"Label5",
                   QT_TRANSLATE_NOOP(
                       "quorvel::help::frmHelp",
                       "2. QFactor in the Save File window is to control how much compression you "
                       "want when the modified photo is being saved. QFactor is from 2 to 10. 2 is "
                       "for minimum compression (best quality) and 10 is for maximum compression."),
                   480, 6600, 6915, 810, false, true},
    LabelPlacement{"lblDisclaimer",
                   QT_TRANSLATE_NOOP(
                       "quorvel::help::frmHelp",
                       "Disclaimer: this program is provided as is, without warranty of any kind. "
                       "Keep copies of your original photographs; the authors accept no liability "
                       "for any loss or damage arising from its use."),
                   240, 8760, 5895, 825, false, false},
};

// Lines from the labels to the parts of the pictured controls they name, in twips.
struct Line {
    int x1;
    int y1;
    int x2;
    int y2;
};
constexpr std::array kPointerLines{
    Line{3600, 1680, 4800, 1440},  // Line3: slider label to the slider
    Line{4920, 4200, 5160, 4560},  // Line5 and Line6: the D button to its label
    Line{5160, 4560, 5640, 4560},
};
// Line1: the etched separator above the disclaimer.
constexpr Line kSeparator{240, 8520, 7680, 8520};

// The window's own face at `pointSize`: 8 points is the dialog's default font, 9.75 points
// that of the labels.
QFont designFont(qreal pointSize) {
    // Where this face is not installed, one of similar width keeps the texts within their
    // labels and buttons; failing all, Qt picks a sans-serif face.
    QFont font;
    font.setFamilies({u"MS Sans Serif"_s, u"Microsoft Sans Serif"_s, u"Arial"_s,
                      u"Liberation Sans"_s, u"Nimbus Sans"_s});
    font.setStyleHint(QFont::SansSerif);
    font.setPointSizeF(pointSize);
    return font;
}

}  // namespace

frmHelp::frmHelp(const AppIdentity& app, std::shared_ptr<SystemAccess> system, QWidget* owner)
    : QDialog(owner), app_(app), launcher_(std::move(system), app.title, this) {
    setObjectName(u"frmHelp"_s);
    // A fixed frame without minimise and maximise buttons; as a window owned by the main window
    // it gets no task bar entry of its own.
    setWindowFlags(Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint |
                   Qt::WindowSystemMenuHint | Qt::WindowCloseButtonHint |
                   Qt::MSWindowsFixedSizeDialogHint);
    setAttribute(Qt::WA_DeleteOnClose);
    setFixedSize(kClientSize);
    setFont(designFont(8.0));
    createControls();
    Form_Load();
}

void frmHelp::createControls() {
    const qreal ratio = devicePixelRatioF();
    auto* Image2 = new QLabel(this);
    Image2->setObjectName(u"Image2"_s);
    Image2->setAccessibleName(tr("%1 emblem").arg(app_.title));
    Image2->setGeometry(pixelRect(120, 120, 855, 825));
    Image2->setPixmap(emblemPicture(Image2->size(), ratio));

    auto* Image1 = new QLabel(this);
    Image1->setObjectName(u"Image1"_s);
    Image1->setAccessibleName(tr("Exposure slider, brightness bar and D button"));
    Image1->setGeometry(pixelRect(4320, 120, 1155, 4440));
    Image1->setPixmap(exposureControlsPicture(Image1->size(), ratio, *this));

    const QFont labelFont = designFont(9.75);
    for (const LabelPlacement& placement : kLabels) {
        auto* label = new QLabel(tr(placement.text), this);
        label->setObjectName(QLatin1String(placement.name));
        label->setGeometry(
            pixelRect(placement.left, placement.top, placement.width, placement.height));
        label->setTextFormat(Qt::PlainText);
        label->setWordWrap(true);
        label->setAlignment(Qt::AlignLeft | Qt::AlignTop);
        if (placement.designFont) {
            label->setFont(labelFont);
        }
        if (placement.red) {
            QPalette red = label->palette();
            red.setColor(QPalette::WindowText, QColor(255, 0, 0));
            label->setPalette(red);
        }
    }
    lblTitle_ = findChild<QLabel*>(u"lblTitle"_s);

    cmdOK_ = new QPushButton(tr("OK"), this);
    cmdOK_->setObjectName(u"cmdOK"_s);
    cmdOK_->setGeometry(pixelRect(6360, 8760, 1260, 345));
    cmdOK_->setDefault(true);
    cmdSysInfo_ = new QPushButton(tr("&System Info..."), this);
    cmdSysInfo_->setObjectName(u"cmdSysInfo"_s);
    cmdSysInfo_->setAccessibleName(tr("System Info..."));
    cmdSysInfo_->setGeometry(pixelRect(6360, 9240, 1245, 345));
    setTabOrder(cmdOK_, cmdSysInfo_);
    cmdOK_->setFocus();

    connect(cmdOK_, &QPushButton::clicked, this, &frmHelp::cmdOK_Click);
    connect(cmdSysInfo_, &QPushButton::clicked, this, &frmHelp::cmdSysInfo_Click);
}

void frmHelp::Form_Load() {
    setWindowTitle(tr("Help/About ") + app_.title);
    lblTitle_->setText(tr("%1 Version %2.%3.%4")
                           .arg(app_.title, QString::number(app_.major),
                                QString::number(app_.minor), QString::number(app_.revision)));
}

// Escape reaches reject(), which closes the dialog as OK does: OK is its cancel button too.
void frmHelp::cmdOK_Click() {
    close();
}

void frmHelp::cmdSysInfo_Click() {
    launcher_.StartSysInfo();
}

void frmHelp::paintEvent(QPaintEvent* event) {
    QDialog::paintEvent(event);
    QPainter painter(this);
    painter.setPen(QPen(palette().color(QPalette::WindowText), 1));
    for (const Line& line : kPointerLines) {
        painter.drawLine(pixelPoint(line.x1, line.y1), pixelPoint(line.x2, line.y2));
    }
    // A white line two pixels wide under a grey one drawn inside it: an etched groove.
    const QPoint from = pixelPoint(kSeparator.x1, kSeparator.y1);
    const QPoint to = pixelPoint(kSeparator.x2, kSeparator.y2);
    painter.fillRect(QRect(from, to + QPoint(0, 1)), QColor(0xFF, 0xFF, 0xFF));
    painter.fillRect(QRect(from, to), QColor(0x80, 0x80, 0x80));
}

}  // namespace quorvel::help
