// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "WorkingState.h"

#include <cstddef>
#include <deque>
#include <vector>

namespace quorvel::history {

// The undo and redo stacks of working states. Pictures are shared immutable values, so a step
// costs memory only for pixels no other step holds; beyond the limits the oldest steps go.
class History {
public:
    static constexpr std::size_t kMaxSteps = 100;
    static constexpr std::size_t kMaxDistinctBytes = std::size_t(1) << 30;

    explicit History(std::size_t maxSteps = kMaxSteps,
                     std::size_t maxDistinctBytes = kMaxDistinctBytes);

    // A command is about to change `before`: it becomes the step undo goes back to, and what
    // could be redone is forgotten.
    void record(WorkingState before);
    // Forgets the last recorded step when the command left `after` as it found it.
    void dropIfUnchanged(const WorkingState& after);

    bool canUndo() const { return !undo_.empty(); }
    bool canRedo() const { return !redo_.empty(); }
    // The state to go back to, given the state now (kept for redo). Only when canUndo().
    WorkingState undo(WorkingState current);
    // The state to go forward to, given the state now (kept for undo). Only when canRedo().
    WorkingState redo(WorkingState current);
    void clear();

    std::size_t undoSteps() const { return undo_.size(); }
    std::size_t redoSteps() const { return redo_.size(); }
    // Bytes of the distinct pixel stores all steps hold.
    std::size_t distinctBytes() const;

private:
    void trim();

    std::size_t maxSteps_;
    std::size_t maxDistinctBytes_;
    std::deque<WorkingState> undo_;
    std::vector<WorkingState> redo_;
};

}  // namespace quorvel::history
