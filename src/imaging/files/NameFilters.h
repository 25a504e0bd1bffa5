// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QString>
#include <QStringList>

namespace quorvel::imaging {

// Turns a vertical-bar filter list ("Jpeg (*.jpg;*jpeg)|*.jpg;*jpeg|All (*.*)|*.*") into Qt file
// dialog name filters, each "<text the user reads> (<patterns Qt matches>)": the text is the
// description's words with its patterns separated by spaces ("Jpeg (*.jpg *jpeg)", "All (*.*)");
// the patterns are the same, except that "*.*", meant as every file, becomes "*" (Qt's "*.*" hides
// names without a dot). Show them with QFileDialog::HideNameFilterDetails, which shows the text
// alone. A trailing description without patterns is dropped.
QStringList nameFiltersFromFilter(const QString& filter);

}  // namespace quorvel::imaging
