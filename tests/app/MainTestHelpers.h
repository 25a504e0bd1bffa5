// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QAbstractButton>
#include <QApplication>
#include <QMessageBox>
#include <QStringList>
#include <QTimer>

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

// Records and closes every message box that shows up while it lives, so that an unexpected one
// fails a test instead of blocking it.
class UnexpectedMessages : public QTimer {
public:
    UnexpectedMessages() {
        connect(this, &QTimer::timeout, [this] {
            if (auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget())) {
                titles.append(box->windowTitle());
                box->close();
            }
        });
        start(10);
    }

    QStringList titles;
};

}  // namespace quorvel::app
