// SPDX-License-Identifier: GPL-3.0-or-later
#include "SaveCommand.h"

#include "BusyCursor.h"
#include "ErrorCodes.h"
#include "FailurePath.h"
#include "ImageControl.h"
#include "ImageDialog.h"
#include "ImagingError.h"
#include "SaveFormatList.h"
#include "SaveTexts.h"

#include <QMessageBox>

namespace quorvel::saving {
namespace {

// The dialog component's own option bits for the save dialog.
constexpr std::int32_t kSaveFileDialogFlags = 2;
constexpr std::int32_t kSaveDialogFlags = 272;

void showSaveError(QWidget& owner, const QString& text) {
    QMessageBox box(QMessageBox::Warning, saveErrorTitle(), text, QMessageBox::Ok, &owner);
    box.exec();
}

}  // namespace

SaveCommand::SaveCommand(Controls controls, QObject* parent)
    : QObject(parent), c_(std::move(controls)) {}

void SaveCommand::Save_Click() {
    if (c_.LEAD1.Bitmap().isNull()) {
        return;
    }
    // One failure path for the whole command, so that nothing unwinds into the event loop.
    imaging::withFailurePath(
        [this] {
            configureFormatList();
            prepareDialog();
            saveChosenFile();
        },
        [this](const imaging::ImagingError& error) {
            if (error.number() == imaging::errc::Cancelled) {
                return;
            }
            c_.ResetMousePointer();
            showSaveError(c_.owner, RaisedErrorText(error.number(), error.description()));
        });
}

// The list stays in the dialog once sent.
void SaveCommand::configureFormatList() {
    if (formatListConfigured_) {
        return;
    }
    formatListConfigured_ = true;
    c_.LEADDlg1.SetSaveFormatCount(std::int32_t(kSaveFormatList.size()));
    for (std::size_t i = 0; i < kSaveFormatList.size(); ++i) {
        imaging::FormatEntry& entry = c_.LEADDlg1.SaveFormatEntry(std::int32_t(i));
        entry.FormatId = kSaveFormatList[i].FormatId;
        if (kSaveFormatList[i].FormatFlags) {
            entry.FormatFlags = *kSaveFormatList[i].FormatFlags;
        }
    }
}

// Set on every run, so that nothing the open dialog left behind reaches the save dialog.
void SaveCommand::prepareDialog() {
    c_.LEADDlg1.SetFilter(saveDialogFilter());
    c_.LEADDlg1.SetDialogTitle(saveDialogTitle());
    c_.LEADDlg1.SetFileDialogFlags(kSaveFileDialogFlags);
    if (const std::optional<int> position = PreselectedPosition(c_.LastExtension)) {
        c_.LEADDlg1.SetSaveFormatIndex(*position);
    } else {
        c_.LEADDlg1.SetSaveFormatIndex(1);
        c_.LEADDlg1.SetFileName(ProposedJpegName(c_.LEADDlg1.FileName()));
    }
    c_.LEADDlg1.SetDialogFlags(kSaveDialogFlags);
    c_.LEADDlg1.SetSaveBitsPerPixel(PreselectedBitsPerPixel(c_.LEADDlg1.SaveBitsPerPixel(),
                                                            c_.LEAD1.Bitmap().isSixteenBit(),
                                                            c_.LEAD1.Bitmap().hasAlpha()));
}

void SaveCommand::saveChosenFile() {
    if (c_.LEADDlg1.ShowSaveDialog(&c_.owner) != 0) {
        return;
    }
    const QString chosen = c_.LEADDlg1.FileName();
    if (chosen.isEmpty()) {
        return;
    }
    const bool multiPage = c_.LEADDlg1.SaveMultiPage() != 0;
    const short format = c_.LEADDlg1.SaveFormat();
    const short bitsPerPixel = c_.LEADDlg1.SaveBitsPerPixel();
    const short qFactor = c_.LEADDlg1.SaveQFactor();
    const QString path = CompletedPath(chosen, format);

    short result = 0;
    {
        const imaging::BusyCursor busy;
        c_.LEAD4.SetBitmap(c_.LEAD1.Bitmap());
        result = c_.LEAD4.SaveImage(path, format, bitsPerPixel, qFactor, multiPage);
    }
    c_.ResetMousePointer();
    if (result != 0) {
        showSaveError(c_.owner, ReturnedErrorText(result));
    }
    c_.LastExtension = ExtensionOfPath(path);
}

}  // namespace quorvel::saving
