// SPDX-License-Identifier: GPL-3.0-or-later
#include "FileDialogFilters.h"

#include "NameFilters.h"

#include <QFileDialog>

namespace quorvel::imaging {

void applyNameFilters(QFileDialog& dialog, const QString& filter) {
    const QStringList filters = nameFiltersFromFilter(filter);
    if (filters.isEmpty()) {
        return;
    }
    // The patterns matched differ from the ones shown ("*" for "*.*"), so only the text shows.
    dialog.setOption(QFileDialog::HideNameFilterDetails);
    dialog.setNameFilters(filters);
}

}  // namespace quorvel::imaging
