// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "FileFormats.h"

#include <QDialog>
#include <QString>

#include <vector>

class QCheckBox;
class QComboBox;
class QDialogButtonBox;
class QLineEdit;
class QSpinBox;

namespace quorvel::imaging {

// What the save dialog starts from.
struct SaveDialogSettings {
    QString title;
    QString fileName;
    // The Browse button's file types, in the vertical-bar form of ImageDialog::Filter.
    QString filter;
    // The formats offered, in this order; `preselected` indexes it.
    std::vector<const FileFormat*> formats;
    std::size_t preselected = 0;
    // Kept where the chosen format offers them.
    int bitsPerPixel = 24;
    int qFactor = 2;
    bool multiPage = false;
    // Ask before replacing an existing file.
    bool confirmReplace = false;
};

// The save dialog: file name with a Browse button, format, bits per pixel, quality factor (for
// lossy formats) and the option to add the picture as a new page (for formats with pages). OK
// needs a file name; with confirmReplace it asks before replacing a file, whether named as typed
// or completed with the format's extension (as the save command completes a name without a ".").
// Appending a page replaces nothing and is not asked about.
class SaveDialog : public QDialog {
    Q_OBJECT

public:
    SaveDialog(const SaveDialogSettings& settings, QWidget* owner);

    QString fileName() const;
    const FileFormat& format() const;
    short bitsPerPixel() const;
    short qFactor() const;
    // Only where the format can hold pages.
    bool multiPage() const;

    void accept() override;

private:
    void browse();
    void showFormat(int index);
    bool mayReplace();

    SaveDialogSettings settings_;
    QLineEdit* fileName_ = nullptr;
    QComboBox* format_ = nullptr;
    QComboBox* bitsPerPixel_ = nullptr;
    QSpinBox* qFactor_ = nullptr;
    QCheckBox* multiPage_ = nullptr;
    QDialogButtonBox* buttons_ = nullptr;
    // The depth chosen last in the list, or the one the dialog started with; a format that does
    // not offer it shows another, and the next one that does shows it again.
    int wantedBitsPerPixel_ = 24;
};

}  // namespace quorvel::imaging
