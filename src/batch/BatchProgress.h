// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "BatchFile.h"

#include <QElapsedTimer>
#include <QString>

#include <mutex>

class QTextStream;

namespace quorvel::batch {

// The bar a terminal shows while a batch runs: "[#####...] 12/24  3.1 files/s  0:04 left", the
// rate and the time left once a file is done and time has passed.
QString progressBar(int done, int total, double elapsedSeconds);

// Reports a batch on standard error, from any of its worker threads. On a terminal a bar is
// redrawn in place, with each failure on a line of its own above it; otherwise every file gets one
// line as it ends: "[3/24] in.jpg -> in_M.jpg", or for a failure "in.jpg: <reason>".
class BatchProgress {
public:
    BatchProgress(QTextStream& err, int total, bool terminal);

    void start();
    void fileDone(const QString& input, const FileOutcome& outcome);
    // Ends the bar's line.
    void finish();

private:
    void drawBar();

    QTextStream& err_;
    const int total_;
    const bool terminal_;
    int done_ = 0;
    QElapsedTimer clock_;
    std::mutex mutex_;
};

}  // namespace quorvel::batch
