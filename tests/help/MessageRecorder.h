#pragma once

#include <QAbstractButton>
#include <QApplication>
#include <QMessageBox>
#include <QStringList>
#include <QTimer>

namespace quorvel::help {

// While it lives, answers every message box with OK and records "caption: text", so that an
// unexpected message fails a test instead of blocking it.
class MessageRecorder : public QTimer {
public:
    MessageRecorder() {
        connect(this, &QTimer::timeout, [this] {
            if (auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget())) {
                seen.append(box->windowTitle() + ": " + box->text());
                box->button(QMessageBox::Ok)->click();
            }
        });
        start(10);
    }
    QStringList seen;
};

inline const QString kUnavailable = "Quorvel: System Information Is Unavailable At This Time";

}  // namespace quorvel::help
