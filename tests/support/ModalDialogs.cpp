#include "ModalDialogs.h"

#include <QAbstractButton>
#include <QApplication>
#include <QDeadlineTimer>
#include <QMessageBox>
#include <QTimer>

#include <memory>

namespace quorvel::testing {

void whenModalAppears(std::function<void(QWidget*)> act) {
    auto deadline = std::make_shared<QDeadlineTimer>(10000);
    auto poll = std::make_shared<std::function<void()>>();
    *poll = [act = std::move(act), deadline, poll]() {
        if (QWidget* modal = QApplication::activeModalWidget()) {
            act(modal);
            *poll = nullptr;  // break the self-reference
            return;
        }
        if (deadline->hasExpired()) {
            *poll = nullptr;
            return;
        }
        QTimer::singleShot(10, [poll] { if (*poll) (*poll)(); });
    };
    QTimer::singleShot(0, [poll] { if (*poll) (*poll)(); });
}

void acceptNextMessageBox(SeenMessage& seen) {
    whenModalAppears([&seen](QWidget* modal) {
        auto* box = qobject_cast<QMessageBox*>(modal);
        if (box == nullptr) {
            modal->close();
            return;
        }
        seen.title = box->windowTitle();
        seen.text = box->text();
        box->button(QMessageBox::Ok)->click();
    });
}

bool waitUntil(const std::function<bool()>& condition, int timeoutMs) {
    QDeadlineTimer deadline(timeoutMs);
    while (!condition()) {
        if (deadline.hasExpired()) {
            return false;
        }
        QApplication::processEvents(QEventLoop::AllEvents, 10);
    }
    return true;
}

}  // namespace quorvel::testing
