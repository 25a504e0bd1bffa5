// SPDX-License-Identifier: GPL-3.0-or-later
#include "ModalDialogs.h"

#include <QAbstractButton>
#include <QAbstractItemView>
#include <QAbstractSpinBox>
#include <QApplication>
#include <QCompleter>
#include <QDeadlineTimer>
#include <QDialogButtonBox>
#include <QFileDialog>
#include <QLineEdit>
#include <QMessageBox>
#include <QPushButton>
#include <QTest>
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
        QTimer::singleShot(10, [poll] {
            if (*poll)
                (*poll)();
        });
    };
    QTimer::singleShot(0, [poll] {
        if (*poll)
            (*poll)();
    });
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

void pressOk(QWidget* dialog) {
    QTest::mouseClick(dialog->findChild<QDialogButtonBox*>()->button(QDialogButtonBox::Ok),
                      Qt::LeftButton);
}

void typeOver(QWidget* field, const QString& text) {
    field->setFocus();
    if (auto* line = qobject_cast<QLineEdit*>(field)) {
        line->selectAll();
    } else if (auto* box = qobject_cast<QAbstractSpinBox*>(field)) {
        box->selectAll();
    }
    QTest::keyClicks(field, text);
}

void typeFileNameAndAccept(QFileDialog* dialog, const QString& path) {
    auto* name = dialog->findChild<QLineEdit*>(QStringLiteral("fileNameEdit"));
    if (name == nullptr) {
        dialog->reject();
        return;
    }
    // On screen the dialog has the focus; offscreen it must be given it, or the dialog rewrites
    // the typed path as it loses focus.
    QApplication::setActiveWindow(dialog);
    name->setFocus();
    name->clear();
    QTest::keyClicks(name, path);
    if (QCompleter* completer = name->completer(); completer && completer->popup()->isVisible()) {
        QTest::keyClick(completer->popup(), Qt::Key_Escape);
    }
    QTest::keyClick(name, Qt::Key_Return);
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
