// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <condition_variable>
#include <cstdint>
#include <mutex>

namespace quorvel::batch {

// Bounds the pixels that parallel jobs hold at once: a job takes tickets for its pictures before
// decoding and gives them back when done, waiting while others hold too many. A request above
// the whole capacity is granted alone, once nothing else is held, so it can never wait forever.
class PixelTickets {
public:
    explicit PixelTickets(std::int64_t capacity);

    // Holds `pixels` tickets for its lifetime.
    class Hold {
    public:
        Hold(PixelTickets& tickets, std::int64_t pixels);
        ~Hold();
        Hold(const Hold&) = delete;
        Hold& operator=(const Hold&) = delete;

    private:
        PixelTickets& tickets_;
        std::int64_t pixels_;
    };

    std::int64_t held() const;

private:
    void acquire(std::int64_t pixels);
    void release(std::int64_t pixels);

    const std::int64_t capacity_;
    mutable std::mutex mutex_;
    std::condition_variable freed_;
    std::int64_t held_ = 0;
};

}  // namespace quorvel::batch
