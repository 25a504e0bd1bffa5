// SPDX-License-Identifier: GPL-3.0-or-later
#include "History.h"

#include <unordered_set>

namespace quorvel::history {

History::History(std::size_t maxSteps, std::size_t maxDistinctBytes)
    : maxSteps_(maxSteps), maxDistinctBytes_(maxDistinctBytes) {}

void History::record(WorkingState before) {
    redo_.clear();
    undo_.push_back(std::move(before));
    trim();
}

void History::dropIfUnchanged(const WorkingState& after) {
    if (!undo_.empty() && undo_.back().sameAs(after)) {
        undo_.pop_back();
    }
}

WorkingState History::undo(WorkingState current) {
    WorkingState previous = std::move(undo_.back());
    undo_.pop_back();
    redo_.push_back(std::move(current));
    return previous;
}

WorkingState History::redo(WorkingState current) {
    WorkingState next = std::move(redo_.back());
    redo_.pop_back();
    undo_.push_back(std::move(current));
    trim();
    return next;
}

void History::clear() {
    undo_.clear();
    redo_.clear();
}

std::size_t History::distinctBytes() const {
    std::unordered_set<const std::uint8_t*> seen;
    std::size_t bytes = 0;
    const auto count = [&](const imaging::Bitmap& picture) {
        if (!picture.isNull() && seen.insert(picture.pixels()).second) {
            bytes += picture.byteCount();
        }
    };
    for (const WorkingState& state : undo_) {
        count(state.working);
        count(state.base);
    }
    for (const WorkingState& state : redo_) {
        count(state.working);
        count(state.base);
    }
    return bytes;
}

void History::trim() {
    while (!undo_.empty() && (undo_.size() + redo_.size() > maxSteps_ ||
                              distinctBytes() > maxDistinctBytes_)) {
        undo_.pop_front();
    }
}

}  // namespace quorvel::history
