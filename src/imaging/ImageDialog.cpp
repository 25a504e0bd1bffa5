#include "ImageDialog.h"

#include "BusyCursor.h"
#include "ErrorCodes.h"
#include "ImageFile.h"
#include "ImagingError.h"
#include "NameFilters.h"

#include <QFileDialog>
#include <QFileInfo>

#include <new>

namespace quorvel::imaging {

ImageDialog::ImageDialog(QObject* parent) : QObject(parent) {}

short ImageDialog::ShowOpenDialog(QWidget* owner) {
    QFileDialog dialog(owner, dialogTitle_);
    // Qt's own dialog behaves the same on every desktop, and tests can drive it.
    dialog.setOption(QFileDialog::DontUseNativeDialog);
    dialog.setAcceptMode(QFileDialog::AcceptOpen);
    dialog.setFileMode(QFileDialog::ExistingFile);
    const QStringList filters = nameFiltersFromFilter(filter_);
    if (!filters.isEmpty()) {
        dialog.setNameFilters(filters);
    }
    if (!fileName_.isEmpty()) {
        const QFileInfo proposed(fileName_);
        dialog.setDirectory(proposed.absolutePath());
        dialog.selectFile(proposed.fileName());
    }
    if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty()) {
        throw ImagingError(errc::Cancelled, kImageDialogSource, QStringLiteral("Cancelled"));
    }
    const QString chosen = dialog.selectedFiles().constFirst();
    fileName_ = chosen;
    BusyCursor busy;
    try {
        dialogBitmap_ = loadImageFile(chosen, 0, 0);
    } catch (const std::bad_alloc&) {
        throw ImagingError(errc::NoMemory, kImageDialogSource);
    }
    return 0;
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

}  // namespace quorvel::imaging
