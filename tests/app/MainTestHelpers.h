// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "UnexpectedMessages.h"

#include <QAbstractButton>
#include <QStringList>

namespace quorvel::app {

// The object names of the window's disabled buttons, sorted.
inline QStringList disabledButtons(const QWidget& window) {
    QStringList names;
    for (const QAbstractButton* button : window.findChildren<QAbstractButton*>()) {
        if (!button->isEnabled()) {
            names.append(button->objectName());
        }
    }
    names.sort();
    return names;
}

// The fourteen commands that need a picture, sorted.
inline const QStringList kPictureCommands = {
    "Resize", "Resize2",   "Resize3",   "Resize4",  "Resize5", "Resize6",   "Restore",
    "Rotate", "Rotate180", "Rotate270", "Rotate90", "Save",    "leftright", "updown"};

using testing::UnexpectedMessages;

}  // namespace quorvel::app
