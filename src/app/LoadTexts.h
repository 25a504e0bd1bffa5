// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QString>

namespace quorvel::app {

// The file-type list of the "Load Image" open dialog.
extern const QString kLoadImageFilter;
// The list a command-line load leaves in the dialog; it lacks the Png pair and the .psd pattern.
extern const QString kCommandLineFilter;

inline const QString kOpenDialogTitle = QStringLiteral("Open File");
inline const QString kLoadErrorTitle = QStringLiteral("Load Error");
// What the "Load Image" command says about any failure but a cancel.
inline const QString kUnknownFormatText = QStringLiteral("Don't know the file format!");

// What a failed command-line load says: VB Error: 'n' - description.
QString commandLineLoadErrorText(int number, const QString& description);

}  // namespace quorvel::app
