// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QImage>
#include <QString>

#include <memory>

namespace quorvel::app {
class Main;
}

namespace quorvel::bench {

// Drives the real main window headless, the way a user does: what the window-level figures time.
class MainWindowDriver {
public:
    // The window as the program opens it without arguments, shown and laid out.
    MainWindowDriver();
    ~MainWindowDriver();

    app::Main& window() { return *window_; }

    // Opens `path` the command-line way. Throws std::runtime_error when the window refuses it.
    void load(const QString& path);
    // One move of the exposure slider to `position` by the user: one slider notification.
    void moveSlider(int position);
    // Lets the window work until the working picture is exact and its panel shows it.
    void waitUntilSettled();
    // Writes the working picture as a PNG as the Save command does (through the save buffer).
    void savePng(const QString& path);

    // What each panel paints, built now unless it is up to date.
    QImage workingView() const;
    QImage originalView() const;

private:
    std::unique_ptr<app::Main> window_;
    bool loadRefused_ = false;
};

}  // namespace quorvel::bench
