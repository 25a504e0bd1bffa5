// SPDX-License-Identifier: GPL-3.0-or-later
#include "Main.h"

#include "AppInfo.h"
#include "Artwork.h"
#include "BusyCursor.h"
#include "CommandLine.h"
#include "ErrorCodes.h"
#include "Exposure.h"
#include "FailurePath.h"
#include "FileNames.h"
#include "HistogramOverlay.h"
#include "GeometryCommands.h"
#include "HelpCommand.h"
#include "ImageControl.h"
#include "ImageDialog.h"
#include "ImagingError.h"
#include "LoadTexts.h"
#include "MainLayout.h"
#include "PathBookkeeping.h"
#include "PreviewCommands.h"
#include "RgbValue.h"
#include "SaveCommand.h"
#include "SaveTexts.h"
#include "UndoCommands.h"
#include "ThumbTextSlider.h"

#include <QAction>
#include <QApplication>
#include <QDragEnterEvent>
#include <QDropEvent>
#include <QGroupBox>
#include <QLabel>
#include <QMessageBox>
#include <QMimeData>
#include <QPushButton>
#include <QResizeEvent>
#include <QScreen>
#include <QSettings>
#include <QShortcut>
#include <QToolButton>
#include <QUrl>
#include <QWindow>

namespace quorvel::app {

using namespace Qt::StringLiterals;

namespace {

// The dialog component's own option bits for the two ways of opening.
constexpr std::int32_t kLoadImageDialogFlags = 66785;
constexpr std::int32_t kCommandLineDialogFlags = 353;

constexpr int kNeutralSliderValue = 20;

// Whether the histograms are shown, kept for the next run.
const QString kHistogramShownKey = QStringLiteral("histogram/shown");
constexpr QSize kFlipIconSize{30, 20};

template <typename Control>
Control* named(Control* control, const char* name, const QString& accessibleName) {
    control->setObjectName(QLatin1String(name));
    control->setAccessibleName(accessibleName);
    return control;
}

QPushButton* commandButton(QWidget* parent, const char* name, const QString& caption,
                           const QString& toolTip = {}) {
    auto* button = named(new QPushButton(caption, parent), name, caption);
    button->setToolTip(toolTip);
    return button;
}

// A button that shows only a picture speaks its tooltip to screen readers.
QPushButton* pictureButton(QWidget* parent, const char* name, const QString& toolTip) {
    auto* button = named(new QPushButton(parent), name, toolTip);
    button->setToolTip(toolTip);
    button->setIconSize(kFlipIconSize);
    return button;
}

QLabel* decoration(QWidget* parent, const char* name, const QString& accessibleName) {
    auto* picture = named(new QLabel(parent), name, accessibleName);
    picture->setScaledContents(true);
    return picture;
}

// The first local file among dragged URLs; links to the web are not opened.
std::optional<QString> firstLocalFile(const QMimeData* data) {
    if (data == nullptr) {
        return std::nullopt;
    }
    for (const QUrl& url : data->urls()) {
        // toLocalFile() would turn bytes that are no UTF-8 into U+FFFD, naming another file.
        const QString path = imaging::pathFromLocalBytes(
            QByteArray::fromPercentEncoding(url.path(QUrl::FullyEncoded).toLatin1()));
        if (url.isLocalFile() && !path.isEmpty()) {
            return path;
        }
    }
    return std::nullopt;
}

QFrame* separator(QWidget* parent, const char* name) {
    auto* line = named(new QFrame(parent), name, Main::tr("Separator"));
    line->setFrameShape(QFrame::HLine);
    line->setFrameShadow(QFrame::Sunken);
    return line;
}

}  // namespace

Main::Main(QWidget* parent) : QWidget(parent) {
    createControls();
    MainLayout::apply(*this);
    drawArtwork();
    arrangeTabOrder();
    connectSignals();
    resize(MainLayout::kClientSize);
    setMinimumSize(MainLayout::kClientSize);
    setAcceptDrops(true);
}

// The design size where the screen has room for it, else as much as the screen leaves beside the
// window's frame (known once shown, and again after the window manager has framed it).
void Main::fitToScreen() {
    const QScreen* shownOn = screen();
    if (shownOn == nullptr) {
        return;
    }
    const QSize frame = frameGeometry().size() - size();
    const QSize available = shownOn->availableGeometry().size() - frame;
    setMinimumSize(MainLayout::minimumClientSize(available));
    resize(size().boundedTo(available).expandedTo(minimumSize()));
}

void Main::showEvent(QShowEvent* event) {
    QWidget::showEvent(event);
    if (windowHandle() != nullptr && !fitsScreenChanges_) {
        fitsScreenChanges_ = true;
        connect(windowHandle(), &QWindow::screenChanged, this, &Main::fitToScreen);
    }
    fitToScreen();
}

void Main::moveEvent(QMoveEvent* event) {
    QWidget::moveEvent(event);
    if (isVisible()) {
        fitToScreen();
    }
}

void Main::createControls() {
    createPictureArea();
    createExposureControls();
    createCommands();
}

void Main::createPictureArea() {
    LEADDlg1_ = new imaging::ImageDialog(this);
    LEADDlg1_->setObjectName(u"LEADDlg1"_s);

    LeftPicture_ = decoration(this, "LeftPicture", tr("Underexposed landscape"));
    RightPicture_ = decoration(this, "RightPicture", tr("Corrected landscape"));
    Label3_ = named(new QLabel(this), "Label3", tr("Program version"));
    Label3_->setAlignment(Qt::AlignCenter);
    QFont bannerFont = Label3_->font();
    bannerFont.setBold(true);
    bannerFont.setPointSizeF(bannerFont.pointSizeF() * 1.6);
    Label3_->setFont(bannerFont);

    QFont titleFont = font();
    titleFont.setBold(true);
    Label1_ = named(new QLabel(tr("Original"), this), "Label1", tr("Original"));
    Label2_ = named(new QLabel(tr("Modified"), this), "Label2", tr("Modified"));
    Label1_->setFont(titleFont);
    Label2_->setFont(titleFont);

    const QString enlarge = tr("Click to enlarge");
    LEAD2_ = named(new imaging::ImageControl(this), "LEAD2", tr("Original picture"));
    LEAD2_->setToolTip(enlarge);
    LEAD1_ = named(new imaging::ImageControl(this), "LEAD1", tr("Modified picture"));
    LEAD1_->setToolTip(enlarge);
    LEAD3_ = named(new imaging::ImageControl(this), "LEAD3", tr("Base picture"));
    LEAD3_->hide();
    LEAD4_ = named(new imaging::ImageControl(this), "LEAD4", tr("Save buffer"));
    LEAD4_->hide();
}

void Main::createExposureControls() {
    GlimraPicture_ = decoration(this, "GlimraPicture", tr("Glimra-Contrast"));
    GlimraPicture_->setToolTip(tr("Glimra-Contrast"));
    const QString sliderTip = tr("Exposure adjustment sliding bar");
    Slider1_ = named(new tone::ThumbTextSlider(Qt::Vertical, this), "Slider1", sliderTip);
    Slider1_->setToolTip(sliderTip);
    Slider1_->setRange(0, 40);
    Slider1_->setValue(kNeutralSliderValue);
    Slider1_->setSingleStep(1);
    Slider1_->setPageStep(5);
    // 0, the brightest correction, is at the top; keys and wheel then move the thumb the way
    // they point, Up and wheel-up towards 0.
    Slider1_->setInvertedAppearance(true);
    Slider1_->setInvertedControls(true);
    Slider1_->setTickPosition(QSlider::TicksRight);
    Slider1_->setTickInterval(5);

    const QString contrastTip = tr("Dynamic range adjustment mode");
    ContrastX_ = named(new QToolButton(this), "ContrastX", contrastTip);
    ContrastX_->setText(u"D"_s);
    ContrastX_->setToolTip(contrastTip);
    ContrastX_->setCheckable(true);
}

void Main::createCommands() {
    separator(this, "UpperLine");
    LoadLead_ = commandButton(this, "LoadLead", tr("Load Image"));
    Save_ = commandButton(this, "Save", tr("Save"));
    Restore_ = commandButton(this, "Restore", tr("Restore"), tr("Restore back to the original"));
    Resize_ = commandButton(this, "Resize", tr("Resize"), tr("Change size of the picture"));
    Rotate_ = commandButton(this, "Rotate", tr("Rotate"), tr("Rotate at any angle"));
    Help_ = commandButton(this, "Help", tr("Help"));

    const QString rotateTitle = tr("Quick Rotate (degrees):");
    QuickRotateFrame_ = named(new QGroupBox(rotateTitle, this), "QuickRotateFrame", rotateTitle);
    Rotate90_ =
        commandButton(QuickRotateFrame_, "Rotate90", u"90"_s, tr("Rotate 90 degrees clockwise"));
    Rotate180_ =
        commandButton(QuickRotateFrame_, "Rotate180", u"180"_s, tr("Rotate 180 degrees clockwise"));
    Rotate270_ =
        commandButton(QuickRotateFrame_, "Rotate270", u"270"_s, tr("Rotate 270 degrees clockwise"));

    FlipFrame_ = named(new QGroupBox(tr("Flip:"), this), "FlipFrame", tr("Flip:"));
    updown_ = pictureButton(FlipFrame_, "updown", tr("Flip up side down"));
    leftright_ = pictureButton(FlipFrame_, "leftright", tr("Flip Left to right"));

    const QString resizeTitle = tr("Quick Resize:");
    QuickResizeFrame_ = named(new QGroupBox(resizeTitle, this), "QuickResizeFrame", resizeTitle);
    Resize6_ = commandButton(QuickResizeFrame_, "Resize6", u"2"_s, tr("Double the size"));
    Resize2_ = commandButton(QuickResizeFrame_, "Resize2", u"1/2"_s, tr("Half the size"));
    Resize3_ = commandButton(QuickResizeFrame_, "Resize3", u"1/3"_s, tr("One third the size"));
    Resize4_ = commandButton(QuickResizeFrame_, "Resize4", u"1/4"_s, tr("Quarter the size"));
    Resize5_ = commandButton(QuickResizeFrame_, "Resize5", u"1/5"_s, tr("One fifth the size"));
    // Numbers alone ("90", "1/2") say little to a screen reader.
    for (QPushButton* button :
         {Rotate90_, Rotate180_, Rotate270_, Resize6_, Resize2_, Resize3_, Resize4_, Resize5_}) {
        button->setAccessibleName(button->toolTip());
    }

    separator(this, "LowerLine");
    WebAddress_ = named(new QLabel(this), "WebAddress", tr("Web address"));
    WebAddress_->setText(u"<a href=\"%1\">%1</a>"_s.arg(kWebAddress));
    WebAddress_->setAlignment(Qt::AlignCenter);
    WebAddress_->setOpenExternalLinks(true);

    imageCommands_ = {Save_,      Restore_,   Resize_,  Rotate_,  updown_,  leftright_, Rotate90_,
                      Rotate180_, Rotate270_, Resize2_, Resize3_, Resize4_, Resize5_,   Resize6_};
}

void Main::drawArtwork() {
    const qreal ratio = devicePixelRatioF();
    // The flip pictures are line drawings in the button text colour, greyed out with the text.
    const auto flipIcon = [&](QPixmap (*draw)(QSize, qreal, const QColor&)) {
        QIcon icon;
        for (const auto mode : {QIcon::Normal, QIcon::Disabled}) {
            const auto group = mode == QIcon::Normal ? QPalette::Active : QPalette::Disabled;
            icon.addPixmap(draw(kFlipIconSize, ratio, palette().color(group, QPalette::ButtonText)),
                           mode);
        }
        return icon;
    };
    updown_->setIcon(flipIcon(flipUpDownPicture));
    leftright_->setIcon(flipIcon(flipLeftRightPicture));
    GlimraPicture_->setPixmap(contrastPicture(GlimraPicture_->size(), ratio));
    LeftPicture_->setPixmap(landscapePicture(LeftPicture_->size(), ratio, 0.45));
    RightPicture_->setPixmap(landscapePicture(RightPicture_->size(), ratio, 1.0));
}

// The window opens with "Load Image" in focus, where every session starts; Tab follows the rows
// below the panels, then the panels and the slider.
void Main::arrangeTabOrder() {
    QWidget* const order[] = {LoadLead_,  Save_,      Restore_,   Resize_,  Rotate_,    Help_,
                              Rotate90_,  Rotate180_, Rotate270_, updown_,  leftright_, Resize6_,
                              Resize2_,   Resize3_,   Resize4_,   Resize5_, LEAD2_,     Slider1_,
                              ContrastX_, LEAD1_,     WebAddress_};
    for (std::size_t i = 1; i < std::size(order); ++i) {
        QWidget::setTabOrder(order[i - 1], order[i]);
    }
    LoadLead_->setFocus();
}

void Main::connectSignals() {
    undo_ = new history::UndoCommands({*LEAD1_, *LEAD3_, *Slider1_, *ContrastX_, exposureState_},
                                      this);
    // Every command that changes the working picture is a step of the history, recorded before
    // the command runs (these connections come first) and dropped after it when it changed
    // nothing.
    const std::array<QPushButton*, 13> changingCommands = {
        Restore_, Rotate90_, Rotate180_, Rotate270_, updown_, leftright_, Resize2_,
        Resize3_, Resize4_, Resize5_,  Resize6_,   Resize_, Rotate_};
    for (QPushButton* command : changingCommands) {
        connect(command, &QPushButton::clicked, undo_, &history::UndoCommands::BeginCommand);
    }
    connect(Slider1_, &QAbstractSlider::actionTriggered, undo_,
            &history::UndoCommands::Slider1_Notified);

    exposure_ = new tone::Exposure(
        {*LEAD1_, *LEAD2_, *LEAD3_, *Slider1_, *ContrastX_, exposureState_}, this);
    connect(LoadLead_, &QPushButton::clicked, this, &Main::LoadLead_Click);
    // Only the user's moves (drag, track click, keys, wheel) trigger slider actions; the
    // program's own assignments of the value do not.
    connect(Slider1_, &QAbstractSlider::actionTriggered, exposure_,
            &tone::Exposure::Slider1_Scroll);
    connect(Restore_, &QPushButton::clicked, exposure_, &tone::Exposure::Restore_Click);

    preview_ = new preview::PreviewCommands({*LEAD1_, *LEAD2_, *this}, this);
    connect(LEAD1_, &imaging::ImageControl::Click, preview_,
            &preview::PreviewCommands::LEAD1_Click);
    connect(LEAD2_, &imaging::ImageControl::Click, preview_,
            &preview::PreviewCommands::LEAD2_Click);
    help_ = new help::HelpCommand({kAppTitle, kVersionMajor, kVersionMinor, kVersionRevision},
                                  *this, this);
    connect(Help_, &QPushButton::clicked, help_, &help::HelpCommand::Help_Click);

    geometry_ = new geometry::GeometryCommands(
        {*this, *LEAD1_, *LEAD3_, *LEADDlg1_, *Slider1_, exposureState_}, kAppTitle, this);
    using geometry::GeometryCommands;
    connect(Rotate90_, &QPushButton::clicked, geometry_, &GeometryCommands::Rotate90_Click);
    connect(Rotate180_, &QPushButton::clicked, geometry_, &GeometryCommands::Rotate180_Click);
    connect(Rotate270_, &QPushButton::clicked, geometry_, &GeometryCommands::Rotate270_Click);
    connect(updown_, &QPushButton::clicked, geometry_, &GeometryCommands::updown_Click);
    connect(leftright_, &QPushButton::clicked, geometry_, &GeometryCommands::leftright_Click);
    connect(Resize2_, &QPushButton::clicked, geometry_, &GeometryCommands::Resize2_Click);
    connect(Resize3_, &QPushButton::clicked, geometry_, &GeometryCommands::Resize3_Click);
    connect(Resize4_, &QPushButton::clicked, geometry_, &GeometryCommands::Resize4_Click);
    connect(Resize5_, &QPushButton::clicked, geometry_, &GeometryCommands::Resize5_Click);
    connect(Resize6_, &QPushButton::clicked, geometry_, &GeometryCommands::Resize6_Click);
    connect(Resize_, &QPushButton::clicked, geometry_, &GeometryCommands::Resize_Click);
    connect(Rotate_, &QPushButton::clicked, geometry_, &GeometryCommands::Rotate_Click);

    save_ = new saving::SaveCommand(
        {*this, *LEAD1_, *LEAD4_, *LEADDlg1_, LastExtension_, [this] { ResetMousePointer(); }},
        this);
    connect(Save_, &QPushButton::clicked, save_, &saving::SaveCommand::Save_Click);

    // Through the buttons, so that a disabled "Save" ignores its key as it ignores clicks.
    connect(new QShortcut(QKeySequence(Qt::CTRL | Qt::Key_O), this), &QShortcut::activated,
            LoadLead_, &QPushButton::click);
    connect(new QShortcut(QKeySequence(Qt::CTRL | Qt::Key_S), this), &QShortcut::activated, Save_,
            &QPushButton::click);
    connect(new QShortcut(QKeySequence(Qt::Key_F1), this), &QShortcut::activated, Help_,
            &QPushButton::click);
    connect(new QShortcut(QKeySequence(Qt::Key_F11), this), &QShortcut::activated, preview_,
            &preview::PreviewCommands::LEAD1_Click);
    // Also from the help window, which stays open beside the main window.
    auto* quit = new QShortcut(QKeySequence(Qt::CTRL | Qt::Key_Q), this);
    quit->setContext(Qt::ApplicationShortcut);
    connect(quit, &QShortcut::activated, this, &QWidget::close);

    for (QPushButton* command : changingCommands) {
        connect(command, &QPushButton::clicked, undo_, &history::UndoCommands::EndCommand);
    }
    connect(new QShortcut(QKeySequence(Qt::CTRL | Qt::Key_Z), this), &QShortcut::activated,
            undo_->UndoAction(), &QAction::trigger);
    for (const QKeySequence& keys : {QKeySequence(Qt::CTRL | Qt::SHIFT | Qt::Key_Z),
                                     QKeySequence(Qt::CTRL | Qt::Key_Y)}) {
        connect(new QShortcut(keys, this), &QShortcut::activated, undo_->RedoAction(),
                &QAction::trigger);
    }
    createHistograms();
    createPanelMenus();
}

void Main::createHistograms() {
    modifiedHistogram_ = new imaging::HistogramOverlay(*LEAD1_);
    originalHistogram_ = new imaging::HistogramOverlay(*LEAD2_);
    histogramAction_ = new QAction(tr("Histogram") + QStringLiteral("\tH"), this);
    histogramAction_->setObjectName(QStringLiteral("HistogramAction"));
    histogramAction_->setCheckable(true);
    histogramAction_->setChecked(
        QSettings(QStringLiteral("quorvel"), QStringLiteral("quorvel"))
            .value(kHistogramShownKey, false)
            .toBool());
    showHistograms(histogramAction_->isChecked());
    connect(histogramAction_, &QAction::toggled, this, [this](bool shown) {
        QSettings(QStringLiteral("quorvel"), QStringLiteral("quorvel"))
            .setValue(kHistogramShownKey, shown);
        showHistograms(shown);
    });
    connect(new QShortcut(QKeySequence(Qt::Key_H), this), &QShortcut::activated,
            histogramAction_, &QAction::toggle);
}

void Main::showHistograms(bool shown) {
    modifiedHistogram_->setVisible(shown);
    originalHistogram_->setVisible(shown);
}

void Main::createPanelMenus() {
    restoreAction_ = new QAction(Restore_->text(), this);
    restoreAction_->setObjectName(QStringLiteral("RestoreAction"));
    restoreAction_->setEnabled(false);
    // Through the button, so that the menu entry does exactly what a click does.
    connect(restoreAction_, &QAction::triggered, Restore_, &QPushButton::click);
    for (imaging::ImageControl* panel : {LEAD1_, LEAD2_}) {
        panel->setContextMenuPolicy(Qt::ActionsContextMenu);
        panel->addAction(undo_->UndoAction());
        panel->addAction(undo_->RedoAction());
        auto* separator = new QAction(this);
        separator->setSeparator(true);
        panel->addAction(separator);
        panel->addAction(restoreAction_);
        panel->addAction(histogramAction_);
    }
}

void Main::SetImageCommandsEnabled(bool enabled) {
    for (QWidget* command : imageCommands_) {
        command->setEnabled(enabled);
    }
    if (restoreAction_ != nullptr) {
        restoreAction_->setEnabled(enabled);
    }
}

void Main::Form_Load(const QString& argumentText) {
    argumentText_ = argumentText;
    setWindowTitle(versionTitle(kAppTitle, kVersionMajor, kVersionMinor));
    Label3_->setText(versionBanner(kAppTitle, kVersionMajor, kVersionMinor));
    applyDisplaySettings(*LEAD1_);
    applyDisplaySettings(*LEAD2_);
    LEAD1_->SetImageOption(633, 1);
    LEAD2_->SetImageOption(633, 1);
    SetImageCommandsEnabled(false);

    // Nothing from here on may keep the window from showing: a command-line load reports its
    // own failures, anything else is ignored.
    try {
        const std::optional<QString> text = GetCommandLine();
        if (ArgumentWordCount_ >= 1 && text) {
            LoadFromCommandLine(*text);
        }
    } catch (const std::exception&) {
    }
}

// Both panels show the whole picture fitted, on the same background, without a border.
void Main::applyDisplaySettings(imaging::ImageControl& panel) {
    panel.SetAppearance(1);
    panel.SetBorderStyle(0);
    panel.SetBackColor(imaging::rgbValueFromColor(QColor(212, 208, 200)));
    panel.SetImageOption(6, 1);
    panel.SetImageOption(19, 0);
    panel.SetRepaintEnabled(true);
    panel.SetAutoSize(false);
    panel.SetImageOption(57, 1);
    panel.SetDisplayScaling(imaging::ImageControl::kFit);
}

std::optional<QString> Main::GetCommandLine() {
    const CommandLine scan = scanCommandLine(argumentText_);
    ArgumentWordCount_ = scan.wordCount;
    return scan.text;
}

QString Main::DecodeError(const short& nError) const {
    return saving::DecodeError(nError);
}

void Main::ResetMousePointer() {
    while (QApplication::overrideCursor() != nullptr) {
        QApplication::restoreOverrideCursor();
    }
}

void Main::LoadLead_Click() {
    const QString previousName = LEADDlg1_->FileName();
    prepareOpenDialog(loadImageFilter(), kLoadImageDialogFlags);
    imaging::withFailurePath(
        [&] {
            LEADDlg1_->ShowOpenDialog(this);
            const QString path = LEADDlg1_->FileName();
            const imaging::BusyCursor busy;
            const QSizeF size = queryOpenedFile(path);
            // The dialog has loaded the picture already; the working panel takes it over.
            LEAD1_->SetImageOption(272, 1);
            LEAD1_->SetBitmap(LEADDlg1_->DialogBitmap());
            LEAD1_->SetImageOption(272, 0);
            takeOverPicture(size);
        },
        [&](const imaging::ImagingError& error) {
            LEADDlg1_->SetFileName(previousName);
            if (error.number() == imaging::errc::Cancelled) {
                return;
            }
            ResetMousePointer();
            showLoadError(unknownFormatText());
        });
}

void Main::LoadFromCommandLine(const QString& path) {
    prepareOpenDialog(commandLineFilter(), kCommandLineDialogFlags);
    imaging::withFailurePath(
        [&] {
            const imaging::BusyCursor busy;
            const QSizeF size = queryOpenedFile(path);
            LEAD1_->LoadFile(path, 0, 0, 1);
            takeOverPicture(size);
        },
        [&](const imaging::ImagingError& error) {
            ResetMousePointer();
            showLoadError(commandLineLoadErrorText(error.number(), error.description()));
        });
}

// The same settings for both ways of opening; they stay in the dialog afterwards, even when no
// dialog is shown.
void Main::prepareOpenDialog(const QString& filter, int dialogFlags) {
    LEADDlg1_->SetFileDialogFlags(0);
    LEADDlg1_->SetDialogTitle(openDialogTitle());
    LEADDlg1_->SetFilter(filter);
    LEADDlg1_->SetDialogBitmap({});
    LEADDlg1_->SetFileName({});
    LEADDlg1_->SetDialogFlags(dialogFlags);
}

QSizeF Main::queryOpenedFile(const QString& path) {
    const PathBookkeeping names = bookkeepPath(path);
    if (names.lastExtension) {
        LastExtension_ = *names.lastExtension;
    }
    setWindowTitle(windowTitleShowing(path));
    LEAD1_->QueryFileInfo(path, 0, 0);
    LEADDlg1_->SetFileName(names.suggestedName);
    const float width = LEAD1_->FileInfoWidth();
    const float height = LEAD1_->FileInfoHeight();
    // The histogram is scaled by the file's size; refuse a size of 0 before any panel changes
    // rather than divide by it halfway through the take-over.
    if (!(width > 0 && height > 0)) {
        throw imaging::ImagingError(imaging::errc::InvalidSize, kAppTitle);
    }
    return QSizeF(width, height);
}

void Main::takeOverPicture(QSizeF fileInfoSize) {
    // The working panel stays as it was until the take-over is complete.
    LEAD1_->SetRepaintEnabled(false);
    LEAD1_->SetImageOption(57, 1);
    LEAD1_->SetImageOption(5, 0);
    LEAD1_->SetImageOption(4, 0);
    LEAD1_->SetImageOption(19, 0);
    LEAD2_->SetBitmap(LEAD1_->Bitmap());
    LEAD3_->SetBitmap(LEAD1_->Bitmap());

    LEAD1_->ComputeHistogram(imaging::kAllChannels);
    tone::LevelCounts counts{};
    for (std::size_t level = 0; level < counts.size(); ++level) {
        counts[level] = std::int32_t(LEAD1_->HistogramCount(int(level)));
    }
    exposureState_.LevelHistogram = tone::scaledLevelHistogram(counts, float(fileInfoSize.width()),
                                                               float(fileInfoSize.height()));
    LEAD1_->SetRepaintEnabled(true);

    // The program's own assignment: no slider notification follows.
    Slider1_->setValue(kNeutralSliderValue);
    exposureState_.ExposureActive = 0.0f;
    SetImageCommandsEnabled(true);
    undo_->Clear();
}

void Main::showLoadError(const QString& text) {
    QMessageBox box(QMessageBox::Warning, loadErrorTitle(), text, QMessageBox::Ok, this);
    box.exec();
}

void Main::resizeEvent(QResizeEvent* event) {
    MainLayout::apply(*this, event->size());
    QWidget::resizeEvent(event);
}

void Main::dragEnterEvent(QDragEnterEvent* event) {
    if (firstLocalFile(event->mimeData())) {
        event->acceptProposedAction();
    }
}

// The load runs after the drop has returned: the application the file came from waits for the
// drop to end, and a failed load shows a message box that would keep it waiting.
void Main::dropEvent(QDropEvent* event) {
    const std::optional<QString> path = firstLocalFile(event->mimeData());
    if (!path) {
        return;
    }
    event->acceptProposedAction();
    QMetaObject::invokeMethod(
        this, [this, path = *path] { LoadFromCommandLine(path); }, Qt::QueuedConnection);
}

}  // namespace quorvel::app
