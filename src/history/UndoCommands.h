// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "History.h"

#include <QElapsedTimer>
#include <QObject>

class QAbstractButton;
class QAction;

namespace quorvel::imaging {
class ImageControl;
}

namespace quorvel::tone {
class ThumbTextSlider;
struct ExposureState;
}  // namespace quorvel::tone

namespace quorvel::history {

// Undo and redo over the main window's working state: LEAD1 the working picture, LEAD3 the base,
// the slider with its thumb text, the exposure state and the "D" button. One slider gesture
// (press to release, or a burst of keys or wheel steps) is one step, and so is each command
// that changes the working picture.
class UndoCommands : public QObject {
    Q_OBJECT

public:
    struct Controls {
        imaging::ImageControl& LEAD1;
        imaging::ImageControl& LEAD3;
        tone::ThumbTextSlider& Slider1;
        QAbstractButton& ContrastX;
        tone::ExposureState& state;
    };

    // Keys and wheel steps closer together than this make one burst.
    static constexpr int kBurstGapMs = 1000;

    explicit UndoCommands(Controls controls, QObject* parent = nullptr);

    // "Undo" and "Redo", enabled while there is a step to take.
    QAction* UndoAction() const { return undo_; }
    QAction* RedoAction() const { return redo_; }

    // Around a command that may change the working picture: before it, then after it (a command
    // that changed nothing leaves no step).
    void BeginCommand();
    void EndCommand();
    // Each slider notification, before the exposure handler runs.
    void Slider1_Notified();
    void Undo();
    void Redo();
    // A new picture starts a fresh history.
    void Clear();

    const History& Steps() const { return history_; }

private:
    WorkingState current() const;
    void bringBack(const WorkingState& state);
    void updateActions();

    Controls c_;
    History history_;
    QAction* undo_ = nullptr;
    QAction* redo_ = nullptr;
    bool burstOpen_ = false;
    QElapsedTimer sinceBurstStep_;
};

}  // namespace quorvel::history
