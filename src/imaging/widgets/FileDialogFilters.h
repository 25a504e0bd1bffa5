// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QString>

class QFileDialog;

namespace quorvel::imaging {

// Offers the vertical-bar filter list `filter` in `dialog`, each entry showing the text the user
// reads while matching the files it means (see nameFiltersFromFilter). An empty list leaves the
// dialog's own.
void applyNameFilters(QFileDialog& dialog, const QString& filter);

}  // namespace quorvel::imaging
