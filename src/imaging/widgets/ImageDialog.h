// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "Bitmap.h"
#include "ImagingError.h"

#include <QObject>
#include <QString>

#include <cstdint>
#include <optional>
#include <vector>

class QWidget;

namespace quorvel::imaging {

// One entry of the save dialog's format list.
struct FormatEntry {
    std::int32_t FormatId = 0;
    std::int32_t FormatFlags = 0;
};

// The dialog component: the caller sets properties, shows a modal dialog owned by a window, and
// reads the user's choices back. A cancelled dialog throws ImagingError 20150.
class ImageDialog : public QObject {
    Q_OBJECT

public:
    explicit ImageDialog(QObject* parent = nullptr);

    std::int32_t FileDialogFlags() const { return fileDialogFlags_; }
    void SetFileDialogFlags(std::int32_t flags) { fileDialogFlags_ = flags; }
    QString DialogTitle() const { return dialogTitle_; }
    void SetDialogTitle(const QString& title) { dialogTitle_ = title; }
    // Description and pattern alternating, separated by vertical bars: "Png (*.png)|*.png|...".
    QString Filter() const { return filter_; }
    void SetFilter(const QString& filter) { filter_ = filter; }
    // Proposed name going in, chosen path coming out; kept between dialogs.
    QString FileName() const { return fileName_; }
    void SetFileName(const QString& name) { fileName_ = name; }
    std::int32_t DialogFlags() const { return dialogFlags_; }
    void SetDialogFlags(std::int32_t flags) { dialogFlags_ = flags; }
    // Open: the picture loaded; resize and rotate: the picture previewed. Throws the loader's
    // ImagingError when the file chosen in the open dialog did not load.
    imaging::Bitmap DialogBitmap() const;
    void SetDialogBitmap(const imaging::Bitmap& bitmap);

    // Lets the user choose a file (non-native dialog with DialogTitle and Filter, starting from
    // FileName) and loads it into DialogBitmap; FileName becomes the chosen path. Returns 0 once a
    // file is chosen: a file that does not load makes DialogBitmap throw, so that the caller can
    // first note the path it was given. Throws ImagingError 20150 on cancel.
    short ShowOpenDialog(QWidget* owner);

    // The save dialog ("Save File" with FileDialogFlags 2 asking before replacing a file): file
    // name, format (from the list, SaveFormatIndex preselected), bits per pixel, quality factor and
    // multi-page option. Returns 0 on OK, with FileName and the Save* results set; throws 20150 on
    // cancel.
    short ShowSaveDialog(QWidget* owner);

    // The resize dialog over DialogBitmap; NewWidth, NewHeight and ResizeFlags on OK. Throws 20150
    // on cancel, 20002 without a DialogBitmap.
    short ShowResizeDialog(QWidget* owner);

    // The rotate dialog over DialogBitmap with a live preview; RotateAngle, FillColor and
    // RotateOption on OK. Throws 20150 on cancel, 20002 without a DialogBitmap.
    short ShowRotateDialog(QWidget* owner);

    // The save dialog's format list and its preselected position (counted from 1).
    std::int32_t SaveFormatCount() const { return std::int32_t(saveFormats_.size()); }
    void SetSaveFormatCount(std::int32_t count);
    // Throws ImagingError 20013 for an index outside the list.
    FormatEntry& SaveFormatEntry(std::int32_t index);
    std::int32_t SaveFormatIndex() const { return saveFormatIndex_; }
    void SetSaveFormatIndex(std::int32_t position) { saveFormatIndex_ = position; }

    // Save settings chosen by the user.
    short SaveFormat() const { return saveFormat_; }
    short SaveBitsPerPixel() const { return saveBitsPerPixel_; }
    // The depth the next save dialog preselects where its format offers it (else 24).
    void SetSaveBitsPerPixel(short bitsPerPixel) { saveBitsPerPixel_ = bitsPerPixel; }
    short SaveQFactor() const { return saveQFactor_; }
    short SaveMultiPage() const { return saveMultiPage_; }

    // Resize dialog results; NewWidth and NewHeight may exceed the 16-bit range the caller accepts.
    std::int32_t NewWidth() const { return newWidth_; }
    std::int32_t NewHeight() const { return newHeight_; }
    short ResizeFlags() const { return resizeFlags_; }
    void SetResizeFlags(short flags) { resizeFlags_ = flags; }

    // Rotate dialog: hundredths of a degree clockwise, fill colour 0x00BBGGRR, grow-canvas option.
    std::int32_t RotateAngle() const { return rotateAngle_; }
    void SetRotateAngle(std::int32_t angle) { rotateAngle_ = angle; }
    std::uint32_t FillColor() const { return fillColor_; }
    void SetFillColor(std::uint32_t color) { fillColor_ = color; }
    bool RotateOption() const { return rotateOption_; }
    void SetRotateOption(bool grow) { rotateOption_ = grow; }

private:
    std::int32_t fileDialogFlags_ = 0;
    QString dialogTitle_;
    QString filter_;
    QString fileName_;
    std::int32_t dialogFlags_ = 0;
    imaging::Bitmap dialogBitmap_;
    std::optional<ImagingError> loadError_;
    std::vector<FormatEntry> saveFormats_;
    std::int32_t saveFormatIndex_ = 1;
    short saveFormat_ = 0;
    short saveBitsPerPixel_ = 24;
    short saveQFactor_ = 2;
    short saveMultiPage_ = 0;
    std::int32_t newWidth_ = 0;
    std::int32_t newHeight_ = 0;
    short resizeFlags_ = 4;
    std::int32_t rotateAngle_ = 0;
    std::uint32_t fillColor_ = 0xFFFFFF;
    bool rotateOption_ = true;
};

}  // namespace quorvel::imaging
