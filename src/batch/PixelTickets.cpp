// SPDX-License-Identifier: GPL-3.0-or-later
#include "PixelTickets.h"

namespace quorvel::batch {

PixelTickets::PixelTickets(std::int64_t capacity) : capacity_(capacity) {}

PixelTickets::Hold::Hold(PixelTickets& tickets, std::int64_t pixels)
    : tickets_(tickets), pixels_(pixels) {
    tickets_.acquire(pixels_);
}

PixelTickets::Hold::~Hold() {
    tickets_.release(pixels_);
}

std::int64_t PixelTickets::held() const {
    const std::lock_guard lock(mutex_);
    return held_;
}

void PixelTickets::acquire(std::int64_t pixels) {
    std::unique_lock lock(mutex_);
    freed_.wait(lock, [&] { return held_ == 0 || held_ + pixels <= capacity_; });
    held_ += pixels;
}

void PixelTickets::release(std::int64_t pixels) {
    {
        const std::lock_guard lock(mutex_);
        held_ -= pixels;
    }
    freed_.notify_all();
}

}  // namespace quorvel::batch
