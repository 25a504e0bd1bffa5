#pragma once

#include "Main.h"

#include <QApplication>
#include <QPushButton>
#include <QStringList>
#include <QTimer>

#include <vector>

namespace quorvel::app {

// The fourteen commands that need a picture.
inline std::vector<QWidget*> imageCommands(const Main& window) {
    return {window.Save(),      window.Restore(),   window.Resize(),   window.Rotate(),
            window.updown(),    window.leftright(), window.Rotate90(), window.Rotate180(),
            window.Rotate270(), window.Resize2(),   window.Resize3(),  window.Resize4(),
            window.Resize5(),   window.Resize6()};
}

// Closes and records every modal window that shows up while it lives, so that an unexpected
// message fails a test instead of blocking it.
class UnexpectedModals {
public:
    UnexpectedModals() {
        QObject::connect(&timer_, &QTimer::timeout, [this] {
            if (QWidget* modal = QApplication::activeModalWidget()) {
                titles.append(modal->windowTitle());
                modal->close();
            }
        });
        timer_.start(10);
    }

    QStringList titles;

private:
    QTimer timer_;
};

}  // namespace quorvel::app
