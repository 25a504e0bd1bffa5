// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "RemapJob.h"

#include <condition_variable>
#include <deque>
#include <functional>
#include <memory>
#include <mutex>
#include <thread>
#include <utility>

namespace quorvel::imaging {

// One thread that runs remap jobs one after the other, so that at most one result picture is
// being made at a time. The thread starts with the first job; destroying the worker abandons the
// jobs left and waits for the thread to stop.
class RemapWorker {
public:
    RemapWorker() = default;
    ~RemapWorker();
    RemapWorker(const RemapWorker&) = delete;
    RemapWorker& operator=(const RemapWorker&) = delete;

    // Queues `job`; `finished` runs on the worker's thread once the job is done with.
    void submit(std::shared_ptr<RemapJob> job, std::function<void()> finished);

private:
    void serve();

    std::mutex mutex_;
    std::condition_variable wake_;
    std::deque<std::pair<std::shared_ptr<RemapJob>, std::function<void()>>> queue_;
    bool stopping_ = false;
    std::thread thread_;
};

}  // namespace quorvel::imaging
