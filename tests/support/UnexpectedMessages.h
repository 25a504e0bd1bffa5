// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QApplication>
#include <QMessageBox>
#include <QStringList>
#include <QTimer>

namespace quorvel::testing {

// Records and closes every message box that shows up while it lives, so that an unexpected one
// fails a test instead of blocking it: `titles` holds each box's title, `seen` "title: text".
class UnexpectedMessages : public QTimer {
public:
    UnexpectedMessages() {
        connect(this, &QTimer::timeout, [this] {
            if (auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget())) {
                titles.append(box->windowTitle());
                seen.append(box->windowTitle() + QStringLiteral(": ") + box->text());
                box->close();
            }
        });
        start(10);
    }

    QStringList titles;
    QStringList seen;
};

}  // namespace quorvel::testing
