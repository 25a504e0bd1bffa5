// SPDX-License-Identifier: GPL-3.0-or-later
#include "UndoCommands.h"

#include "ExposureState.h"
#include "ImageControl.h"
#include "ThumbTextSlider.h"

#include <QAbstractButton>
#include <QAction>

namespace quorvel::history {

UndoCommands::UndoCommands(Controls controls, QObject* parent)
    : QObject(parent), c_(controls) {
    // The keys are the window's shortcuts; the menu shows them beside the texts.
    undo_ = new QAction(tr("Undo") + QStringLiteral("\tCtrl+Z"), this);
    undo_->setObjectName(QStringLiteral("Undo"));
    redo_ = new QAction(tr("Redo") + QStringLiteral("\tCtrl+Shift+Z"), this);
    redo_->setObjectName(QStringLiteral("Redo"));
    connect(undo_, &QAction::triggered, this, &UndoCommands::Undo);
    connect(redo_, &QAction::triggered, this, &UndoCommands::Redo);
    // A press on the thumb opens a gesture that its release ends.
    connect(&c_.Slider1, &QAbstractSlider::sliderPressed, this, [this] {
        burstOpen_ = false;
        BeginCommand();
    });
    updateActions();
}

void UndoCommands::BeginCommand() {
    burstOpen_ = false;
    history_.record(current());
    updateActions();
}

void UndoCommands::EndCommand() {
    history_.dropIfUnchanged(current());
    updateActions();
}

void UndoCommands::Slider1_Notified() {
    if (c_.Slider1.isSliderDown()) {
        return;
    }
    if (!burstOpen_ || sinceBurstStep_.elapsed() > kBurstGapMs) {
        BeginCommand();
        burstOpen_ = true;
    }
    sinceBurstStep_.start();
}

void UndoCommands::Undo() {
    if (!history_.canUndo()) {
        return;
    }
    burstOpen_ = false;
    bringBack(history_.undo(current()));
    updateActions();
}

void UndoCommands::Redo() {
    if (!history_.canRedo()) {
        return;
    }
    burstOpen_ = false;
    bringBack(history_.redo(current()));
    updateActions();
}

void UndoCommands::Clear() {
    burstOpen_ = false;
    history_.clear();
    updateActions();
}

WorkingState UndoCommands::current() const {
    return {c_.LEAD1.Bitmap(),
            c_.LEAD3.Bitmap(),
            c_.Slider1.value(),
            c_.Slider1.ThumbText(),
            c_.state.ExposureValue,
            c_.state.ExposureActive,
            c_.ContrastX.isChecked()};
}

void UndoCommands::bringBack(const WorkingState& state) {
    c_.LEAD1.SetBitmap(state.working);
    c_.LEAD3.SetBitmap(state.base);
    // The program's own assignment: no slider notification follows.
    c_.Slider1.setValue(state.sliderPosition);
    c_.Slider1.SetThumbText(state.thumbText);
    c_.state.ExposureValue = state.exposureValue;
    c_.state.ExposureActive = state.exposureActive;
    c_.ContrastX.setChecked(state.dynamicRangeMode);
}

void UndoCommands::updateActions() {
    undo_->setEnabled(history_.canUndo());
    redo_->setEnabled(history_.canRedo());
}

}  // namespace quorvel::history
