// SPDX-License-Identifier: GPL-3.0-or-later
#include "RemapJob.h"

#include "FittedView.h"
#include "ImagingError.h"

#include <new>

namespace quorvel::imaging {

RemapJob::RemapJob(Bitmap source, const RemapTable& table, const RemapCurve& curve, int channel,
                   QSize viewSize)
    : source_(std::move(source)),
      table_(table),
      curve_(curve),
      channel_(channel),
      viewSize_(viewSize) {}

Bitmap RemapJob::remappedOrSource(const Bitmap& source, const RemapTable& table,
                                  const RemapCurve& curve, int channel, QSize viewSize,
                                  const std::atomic<bool>& abandoned, bool& stopped) {
    stopped = false;
    try {
        std::optional<Bitmap> made =
            remappedWithView(source, table, curve, channel, viewSize, abandoned);
        if (!made) {
            stopped = true;
            return {};
        }
        return std::move(*made);
    } catch (const ImagingError&) {
        return source;
    } catch (const std::bad_alloc&) {
        return source;
    }
}

Bitmap RemapJob::result() {
    {
        std::unique_lock lock(mutex_);
        ready_.wait(lock, [this] { return hasResult_ || finished_ || abandoned_.load(); });
        if (hasResult_) {
            return result_;
        }
    }
    const std::atomic<bool> never{false};
    bool stopped = false;
    Bitmap made = remappedOrSource(source_, table_, curve_, channel_, QSize(), never, stopped);
    const std::lock_guard lock(mutex_);
    if (!hasResult_) {
        result_ = std::move(made);
        hasResult_ = true;
    }
    return result_;
}

void RemapJob::abandon() {
    abandoned_.store(true);
    const std::lock_guard lock(mutex_);
    ready_.notify_all();
}

bool RemapJob::isFinished() const {
    const std::lock_guard lock(mutex_);
    return finished_;
}

void RemapJob::run() {
    bool stopped = true;
    Bitmap made;
    if (!abandoned_.load()) {
        made = remappedOrSource(source_, table_, curve_, channel_, viewSize_, abandoned_, stopped);
    }
    const std::lock_guard lock(mutex_);
    if (!stopped && !hasResult_) {
        result_ = made;
        hasResult_ = true;
    }
    finished_ = true;
    ready_.notify_all();
}

}  // namespace quorvel::imaging
