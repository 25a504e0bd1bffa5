// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "ExposureState.h"

#include <QSizeF>
#include <QString>
#include <QWidget>

#include <array>
#include <optional>

class QAction;
class QGroupBox;
class QDragEnterEvent;
class QDropEvent;
class QLabel;
class QPushButton;
class QMoveEvent;
class QResizeEvent;
class QShowEvent;
class QToolButton;

namespace quorvel::imaging {
class HistogramOverlay;
class ImageControl;
class ImageDialog;
}  // namespace quorvel::imaging

namespace quorvel::geometry {
class GeometryCommands;
}  // namespace quorvel::geometry

namespace quorvel::tone {
class Exposure;
class ThumbTextSlider;
}  // namespace quorvel::tone

namespace quorvel::preview {
class PreviewCommands;
}  // namespace quorvel::preview

namespace quorvel::help {
class HelpCommand;
}  // namespace quorvel::help

namespace quorvel::saving {
class SaveCommand;
}  // namespace quorvel::saving

namespace quorvel::history {
class UndoCommands;
}  // namespace quorvel::history

namespace quorvel::app {

// The main window: two picture panels ("Original" on the left, "Modified" on the right), the
// exposure slider between them, and the commands. It owns the four image controls (LEAD1 the
// working picture, LEAD2 the picture as loaded, LEAD3 the base of the exposure correction, LEAD4
// the save buffer), the image dialog and the state the commands share.
class Main : public QWidget {
    Q_OBJECT

public:
    explicit Main(QWidget* parent = nullptr);

    // The start-up sequence, run once after construction with the program's argument text: titles
    // the window, sets up the panels, disables the picture commands and loads a picture the
    // arguments name.
    void Form_Load(const QString& argumentText);

    // Scans the argument text given to Form_Load; sets ArgumentWordCount. No text at all for an
    // empty text or a lone double quote.
    std::optional<QString> GetCommandLine();

    // Sets the mouse pointer back to the arrow, whatever busy cursors are pending.
    void ResetMousePointer();

    // "Load Image": shows the open dialog and takes over the chosen picture. Reports failures in
    // a message box and ends silently when the user cancels.
    void LoadLead_Click();
    // Opens the picture at `path` without a dialog; reports a failure in a message box.
    void LoadFromCommandLine(const QString& path);

    // Enables or disables together the fourteen commands that need a picture.
    void SetImageCommandsEnabled(bool enabled);

    imaging::ImageControl* LEAD1() const { return LEAD1_; }
    imaging::ImageControl* LEAD2() const { return LEAD2_; }
    imaging::ImageControl* LEAD3() const { return LEAD3_; }
    imaging::ImageControl* LEAD4() const { return LEAD4_; }
    imaging::ImageDialog* LEADDlg1() const { return LEADDlg1_; }
    QLabel* Label1() const { return Label1_; }
    QLabel* Label2() const { return Label2_; }
    QLabel* Label3() const { return Label3_; }
    tone::ThumbTextSlider* Slider1() const { return Slider1_; }
    QToolButton* ContrastX() const { return ContrastX_; }
    QPushButton* LoadLead() const { return LoadLead_; }
    QPushButton* Save() const { return Save_; }
    QPushButton* Restore() const { return Restore_; }
    QPushButton* Resize() const { return Resize_; }
    QPushButton* Rotate() const { return Rotate_; }
    QPushButton* Rotate90() const { return Rotate90_; }
    QPushButton* Rotate180() const { return Rotate180_; }
    QPushButton* Rotate270() const { return Rotate270_; }
    QPushButton* updown() const { return updown_; }
    QPushButton* leftright() const { return leftright_; }
    QPushButton* Resize2() const { return Resize2_; }
    QPushButton* Resize3() const { return Resize3_; }
    QPushButton* Resize4() const { return Resize4_; }
    QPushButton* Resize5() const { return Resize5_; }
    QPushButton* Resize6() const { return Resize6_; }
    QPushButton* Help() const { return Help_; }
    QGroupBox* QuickRotateFrame() const { return QuickRotateFrame_; }
    QGroupBox* FlipFrame() const { return FlipFrame_; }
    QGroupBox* QuickResizeFrame() const { return QuickResizeFrame_; }

    // The loaded picture's level histogram scaled to 1600 x 1200 pixels.
    const tone::LevelHistogram& LevelHistogram() const { return exposureState_.LevelHistogram; }
    // 1 while the exposure slider has taken its base picture, 0 after a load.
    float ExposureActive() const { return exposureState_.ExposureActive; }
    void SetExposureActive(float active) { exposureState_.ExposureActive = active; }
    // The last E computed from the slider.
    float ExposureValue() const { return exposureState_.ExposureValue; }
    // The exposure slider's handler and Restore.
    tone::Exposure* Exposure() const { return exposure_; }
    // The two panels' click handlers and PreviewOriginal.
    preview::PreviewCommands* PreviewCommands() const { return preview_; }
    // The "Help" command and its window.
    help::HelpCommand* HelpCommand() const { return help_; }
    // The "Save" command.
    saving::SaveCommand* SaveCommand() const { return save_; }
    // Undo and redo, from the keys and the panels' context menu.
    history::UndoCommands* UndoCommands() const { return undo_; }
    // The panels' context menu entry that runs "Restore".
    QAction* RestoreAction() const { return restoreAction_; }
    // Shows or hides the histograms over both panels (also the H key); remembered across runs.
    QAction* HistogramAction() const { return histogramAction_; }
    imaging::HistogramOverlay* ModifiedHistogram() const { return modifiedHistogram_; }
    imaging::HistogramOverlay* OriginalHistogram() const { return originalHistogram_; }
    // The text of an imaging error code; empty for a code without one.
    QString DecodeError(const short& nError) const;
    // The extension of the path last opened or saved (the text after its first ".").
    const QString& LastExtension() const { return LastExtension_; }
    // Words found on the command line, 0..3.
    short ArgumentWordCount() const { return ArgumentWordCount_; }

protected:
    // The panels grow with the window; the other controls keep their places relative to them.
    void resizeEvent(QResizeEvent* event) override;
    // A dropped file opens as if named on the command line; of several files, the first.
    void dragEnterEvent(QDragEnterEvent* event) override;
    void dropEvent(QDropEvent* event) override;
    // The window fits the screen it is shown on, shrinking below its design size where needed.
    void showEvent(QShowEvent* event) override;
    void moveEvent(QMoveEvent* event) override;

private:
    void fitToScreen();
    void createControls();
    void createPictureArea();
    void createExposureControls();
    void createCommands();
    void arrangeTabOrder();
    void drawArtwork();
    void connectSignals();
    void createPanelMenus();
    void createHistograms();
    void showHistograms(bool shown);
    void applyDisplaySettings(imaging::ImageControl& panel);
    void prepareOpenDialog(const QString& filter, int dialogFlags);
    QSizeF queryOpenedFile(const QString& path);
    void takeOverPicture(QSizeF fileInfoSize);
    void showLoadError(const QString& text);

    imaging::ImageControl* LEAD1_ = nullptr;
    imaging::ImageControl* LEAD2_ = nullptr;
    imaging::ImageControl* LEAD3_ = nullptr;
    imaging::ImageControl* LEAD4_ = nullptr;
    imaging::ImageDialog* LEADDlg1_ = nullptr;
    QLabel* Label1_ = nullptr;
    QLabel* Label2_ = nullptr;
    QLabel* Label3_ = nullptr;
    tone::ThumbTextSlider* Slider1_ = nullptr;
    QToolButton* ContrastX_ = nullptr;
    QPushButton* LoadLead_ = nullptr;
    QPushButton* Save_ = nullptr;
    QPushButton* Restore_ = nullptr;
    QPushButton* Resize_ = nullptr;
    QPushButton* Rotate_ = nullptr;
    QPushButton* Rotate90_ = nullptr;
    QPushButton* Rotate180_ = nullptr;
    QPushButton* Rotate270_ = nullptr;
    QPushButton* updown_ = nullptr;
    QPushButton* leftright_ = nullptr;
    QPushButton* Resize2_ = nullptr;
    QPushButton* Resize3_ = nullptr;
    QPushButton* Resize4_ = nullptr;
    QPushButton* Resize5_ = nullptr;
    QPushButton* Resize6_ = nullptr;
    QPushButton* Help_ = nullptr;
    QGroupBox* QuickRotateFrame_ = nullptr;
    QGroupBox* FlipFrame_ = nullptr;
    QGroupBox* QuickResizeFrame_ = nullptr;
    QLabel* LeftPicture_ = nullptr;
    QLabel* RightPicture_ = nullptr;
    QLabel* GlimraPicture_ = nullptr;
    QLabel* WebAddress_ = nullptr;

    // In the order in which they are enabled and disabled.
    std::array<QWidget*, 14> imageCommands_{};

    QString argumentText_;
    short ArgumentWordCount_ = 0;
    QString LastExtension_;
    tone::ExposureState exposureState_;
    tone::Exposure* exposure_ = nullptr;
    preview::PreviewCommands* preview_ = nullptr;
    help::HelpCommand* help_ = nullptr;
    geometry::GeometryCommands* geometry_ = nullptr;
    saving::SaveCommand* save_ = nullptr;
    history::UndoCommands* undo_ = nullptr;
    QAction* restoreAction_ = nullptr;
    QAction* histogramAction_ = nullptr;
    imaging::HistogramOverlay* modifiedHistogram_ = nullptr;
    imaging::HistogramOverlay* originalHistogram_ = nullptr;
    bool fitsScreenChanges_ = false;
};

}  // namespace quorvel::app
