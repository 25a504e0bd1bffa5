// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QString>

namespace quorvel::app {

// The texts of loading, in the user's language (English where there is no translation).

// The file-type list of the "Load Image" open dialog.
QString loadImageFilter();
// The list a command-line load leaves in the dialog; it lacks the Png pair and the .psd pattern.
QString commandLineFilter();

QString openDialogTitle();
QString loadErrorTitle();
// What the "Load Image" command says about any failure but a cancel.
QString unknownFormatText();

// The window title text that shows `path` as it is: Qt takes "[*]" for the placeholder of its
// unsaved-changes mark and would drop it.
QString windowTitleShowing(const QString& path);

// What a failed command-line load says: VB Error: 'n' - description.
QString commandLineLoadErrorText(int number, const QString& description);

}  // namespace quorvel::app
