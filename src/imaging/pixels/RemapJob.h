// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "Bitmap.h"
#include "PixelOps.h"

#include <QSize>

#include <atomic>
#include <condition_variable>
#include <mutex>

namespace quorvel::imaging {

// One remap of a picture, made on a RemapWorker's thread: the exact result of remapped(), with
// the source unchanged standing in for a remap that fails (as a correction that fails shows the
// picture unchanged). A job no one wants any more is abandoned and stops at its next band.
class RemapJob {
public:
    // `viewSize`, when not empty, is the size of the fitted view to make of the result as well, so
    // that a panel can show it at once.
    // A 16-bit picture is remapped through `curve`, an 8-bit one through `table`.
    RemapJob(Bitmap source, const RemapTable& table, const RemapCurve& curve, int channel,
             QSize viewSize);

    const Bitmap& source() const { return source_; }
    const RemapTable& table() const { return table_; }
    const RemapCurve& curve() const { return curve_; }
    int channel() const { return channel_; }

    // The remapped picture. Waits for the worker while it is at it; an abandoned job that did not
    // finish is remapped here instead.
    Bitmap result();
    // Stops the worker's remap soon; never waits.
    void abandon();
    // True once the result (with its view) is made, or the job was given up.
    bool isFinished() const;

    // Run by the worker: the remap and its view.
    void run();

private:
    static Bitmap remappedOrSource(const Bitmap& source, const RemapTable& table,
                                   const RemapCurve& curve, int channel, QSize viewSize,
                                   const std::atomic<bool>& abandoned, bool& stopped);

    const Bitmap source_;
    const RemapTable table_;
    const RemapCurve curve_;
    const int channel_;
    const QSize viewSize_;
    std::atomic<bool> abandoned_{false};
    mutable std::mutex mutex_;
    std::condition_variable ready_;
    bool hasResult_ = false;
    bool finished_ = false;
    Bitmap result_;
};

}  // namespace quorvel::imaging
