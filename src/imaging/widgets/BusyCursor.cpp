// SPDX-License-Identifier: GPL-3.0-or-later
#include "BusyCursor.h"

#include <QApplication>
#include <QCursor>

namespace quorvel::imaging {

BusyCursor::BusyCursor() {
    QApplication::setOverrideCursor(Qt::WaitCursor);
}

// The main window's ResetMousePointer may already have cleared every override cursor.
BusyCursor::~BusyCursor() {
    if (QApplication::overrideCursor() != nullptr) {
        QApplication::restoreOverrideCursor();
    }
}

}  // namespace quorvel::imaging
