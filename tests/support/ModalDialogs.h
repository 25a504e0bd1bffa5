// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QString>
#include <QWidget>

#include <functional>

class QFileDialog;

namespace quorvel::testing {

// Once a modal window is active (polled from the event loop, up to a deadline), hands it to `act`,
// which fills it in and closes it as a user would. Call before the code that opens the window.
void whenModalAppears(std::function<void(QWidget*)> act);

// What a user saw in a message box that was answered with its default button.
struct SeenMessage {
    QString title;
    QString text;
};

// Answers the next message box with OK and records it into `seen`.
void acceptNextMessageBox(SeenMessage& seen);

// Presses the OK button of `dialog`'s button box.
void pressOk(QWidget* dialog);

// Selects all a line edit or spin box holds and types `text` over it, as a user would.
void typeOver(QWidget* field, const QString& text);

// Types `path` into a file dialog's name field and presses Enter, as a user would.
void typeFileNameAndAccept(QFileDialog* dialog, const QString& path);

// Processes events until `condition` holds or the deadline passes; returns the condition.
bool waitUntil(const std::function<bool()>& condition, int timeoutMs = 5000);

}  // namespace quorvel::testing
