// SPDX-License-Identifier: GPL-3.0-or-later
#include "ImageDialog.h"

#include "BusyCursor.h"
#include "ErrorCodes.h"
#include "FileDialogFilters.h"
#include "ImageFile.h"
#include "ImagingError.h"
#include "RecentFolder.h"
#include "ResizeDialog.h"
#include "RotateDialog.h"
#include "SaveDialog.h"

#include <QFileDialog>
#include <QFileInfo>

#include <algorithm>
#include <new>

namespace quorvel::imaging {

ImageDialog::ImageDialog(QObject* parent) : QObject(parent) {}

short ImageDialog::ShowOpenDialog(QWidget* owner) {
    QFileDialog dialog(owner, dialogTitle_);
    // Qt's own dialog behaves the same on every desktop, and tests can drive it.
    dialog.setOption(QFileDialog::DontUseNativeDialog);
    dialog.setAcceptMode(QFileDialog::AcceptOpen);
    dialog.setFileMode(QFileDialog::ExistingFile);
    applyNameFilters(dialog, filter_);
    if (!fileName_.isEmpty()) {
        const QFileInfo proposed(fileName_);
        dialog.setDirectory(proposed.absolutePath());
        dialog.selectFile(proposed.fileName());
    } else if (const QString recent = RecentFolder::folder(); !recent.isEmpty()) {
        dialog.setDirectory(recent);
    }
    if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty()) {
        throw ImagingError(errc::Cancelled, kImageDialogSource, QStringLiteral("Cancelled"));
    }
    const QString chosen = dialog.selectedFiles().constFirst();
    fileName_ = chosen;
    RecentFolder::remember(chosen);
    SetDialogBitmap({});
    BusyCursor busy;
    try {
        dialogBitmap_ = loadImageFile(chosen, 0, 0);
    } catch (const std::bad_alloc&) {
        loadError_ = ImagingError(errc::NoMemory, kImageDialogSource);
    } catch (const ImagingError& error) {
        loadError_ = error;
    }
    return 0;
}

Bitmap ImageDialog::DialogBitmap() const {
    if (loadError_) {
        throw *loadError_;
    }
    return dialogBitmap_;
}

void ImageDialog::SetDialogBitmap(const Bitmap& bitmap) {
    dialogBitmap_ = bitmap;
    loadError_.reset();
}

void ImageDialog::SetSaveFormatCount(std::int32_t count) {
    if (count < 0) {
        throw ImagingError(errc::InvalidParameter, kImageDialogSource);
    }
    saveFormats_.resize(std::size_t(count));
}

FormatEntry& ImageDialog::SaveFormatEntry(std::int32_t index) {
    if (index < 0 || index >= SaveFormatCount()) {
        throw ImagingError(errc::InvalidParameter, kImageDialogSource);
    }
    return saveFormats_[std::size_t(index)];
}

// Both dialogs offer every choice whatever DialogFlags holds; the flags are kept for the caller.
short ImageDialog::ShowResizeDialog(QWidget* owner) {
    if (dialogBitmap_.isNull()) {
        throw ImagingError(errc::InvalidBitmap, kImageDialogSource);
    }
    ResizeDialog dialog(QSize(dialogBitmap_.width(), dialogBitmap_.height()), resizeFlags_, owner);
    if (dialog.exec() != QDialog::Accepted) {
        throw ImagingError(errc::Cancelled, kImageDialogSource, QStringLiteral("Cancelled"));
    }
    newWidth_ = dialog.NewWidth();
    newHeight_ = dialog.NewHeight();
    resizeFlags_ = dialog.ResizeFlags();
    return 0;
}

short ImageDialog::ShowRotateDialog(QWidget* owner) {
    if (dialogBitmap_.isNull()) {
        throw ImagingError(errc::InvalidBitmap, kImageDialogSource);
    }
    RotateDialog dialog(dialogBitmap_, rotateAngle_, fillColor_, rotateOption_, owner);
    if (dialog.exec() != QDialog::Accepted) {
        throw ImagingError(errc::Cancelled, kImageDialogSource, QStringLiteral("Cancelled"));
    }
    rotateAngle_ = dialog.RotateAngle();
    fillColor_ = dialog.FillColor();
    rotateOption_ = dialog.RotateOption();
    return 0;
}

// Positions of the configured list whose FormatId the dialog does not know are left out; with no
// list at all every format is offered in the standard order.
short ImageDialog::ShowSaveDialog(QWidget* owner) {
    SaveDialogSettings settings{dialogTitle_,
                                fileName_,
                                filter_,
                                {},
                                0,
                                saveBitsPerPixel_,
                                saveQFactor_,
                                saveMultiPage_ != 0,
                                (fileDialogFlags_ & 2) != 0};
    if (saveFormats_.empty()) {
        for (const FileFormat& format : fileFormats()) {
            settings.formats.push_back(&format);
        }
        settings.preselected = std::size_t(std::max(0, saveFormatIndex_ - 1));
    }
    for (std::size_t i = 0; i < saveFormats_.size(); ++i) {
        if (const FileFormat* format = fileFormatById(saveFormats_[i].FormatId)) {
            if (std::int32_t(i) + 1 == saveFormatIndex_) {
                settings.preselected = settings.formats.size();
            }
            settings.formats.push_back(format);
        }
    }
    if (settings.formats.empty()) {
        throw ImagingError(errc::InvalidParameter, kImageDialogSource);
    }
    SaveDialog dialog(settings, owner);
    if (dialog.exec() != QDialog::Accepted) {
        throw ImagingError(errc::Cancelled, kImageDialogSource, QStringLiteral("Cancelled"));
    }
    fileName_ = dialog.fileName();
    RecentFolder::remember(fileName_);
    saveFormat_ = dialog.format().code;
    saveBitsPerPixel_ = dialog.bitsPerPixel();
    saveQFactor_ = dialog.qFactor();
    saveMultiPage_ = dialog.multiPage() ? 1 : 0;
    return 0;
}

}  // namespace quorvel::imaging
