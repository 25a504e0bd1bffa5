// SPDX-License-Identifier: GPL-3.0-or-later
#include "RemapWorker.h"

namespace quorvel::imaging {

RemapWorker::~RemapWorker() {
    {
        const std::lock_guard lock(mutex_);
        stopping_ = true;
        for (auto& [job, finished] : queue_) {
            job->abandon();
        }
        queue_.clear();
    }
    wake_.notify_all();
    if (thread_.joinable()) {
        thread_.join();
    }
}

void RemapWorker::submit(std::shared_ptr<RemapJob> job, std::function<void()> finished) {
    {
        const std::lock_guard lock(mutex_);
        queue_.emplace_back(std::move(job), std::move(finished));
        if (!thread_.joinable()) {
            thread_ = std::thread([this] { serve(); });
        }
    }
    wake_.notify_all();
}

void RemapWorker::serve() {
    for (;;) {
        std::pair<std::shared_ptr<RemapJob>, std::function<void()>> next;
        {
            std::unique_lock lock(mutex_);
            wake_.wait(lock, [this] { return stopping_ || !queue_.empty(); });
            if (stopping_) {
                return;
            }
            next = std::move(queue_.front());
            queue_.pop_front();
        }
        next.first->run();
        next.second();
    }
}

}  // namespace quorvel::imaging
