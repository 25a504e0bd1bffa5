// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QString>
#include <QStringList>

namespace quorvel::imaging {

// Turns a vertical-bar filter list ("Jpeg (*.jpg;*jpeg)|*.jpg;*jpeg|All (*.*)|*.*") into Qt file
// dialog name filters ("Jpeg (*.jpg *jpeg)", "All (*.*)"): the description keeps its words, the
// patterns become the space-separated list in parentheses that Qt matches. A trailing description
// without patterns is dropped.
QStringList nameFiltersFromFilter(const QString& filter);

}  // namespace quorvel::imaging
