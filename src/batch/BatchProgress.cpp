// SPDX-License-Identifier: GPL-3.0-or-later
#include "BatchProgress.h"

#include <QCoreApplication>
#include <QTextStream>

#include <cmath>

namespace quorvel::batch {

using namespace Qt::StringLiterals;

namespace {

constexpr int kBarWidth = 30;

// Moves to the start of the line and clears it, so that the bar is drawn over its last state.
const QString kClearLine = u"\r\x1b[K"_s;

QString minutesAndSeconds(double seconds) {
    const qint64 whole = qint64(std::ceil(seconds));
    return u"%1:%2"_s.arg(whole / 60).arg(whole % 60, 2, 10, QLatin1Char('0'));
}

}  // namespace

QString progressBar(int done, int total, double elapsedSeconds) {
    const int filled = total > 0 ? int(qint64(kBarWidth) * done / total) : kBarWidth;
    QString bar = u"["_s + QString(filled, u'#') + QString(kBarWidth - filled, u'.') +
                  u"] %1/%2"_s.arg(done).arg(total);
    if (done > 0 && elapsedSeconds > 0) {
        const double rate = done / elapsedSeconds;
        bar += QCoreApplication::translate("quorvel::batch", "  %1 files/s  %2 left")
                   .arg(rate, 0, 'f', 1)
                   .arg(minutesAndSeconds((total - done) / rate));
    }
    return bar;
}

BatchProgress::BatchProgress(QTextStream& err, int total, bool terminal)
    : err_(err), total_(total), terminal_(terminal) {}

void BatchProgress::start() {
    const std::lock_guard lock(mutex_);
    clock_.start();
    if (terminal_) {
        drawBar();
    }
}

void BatchProgress::fileDone(const QString& input, const FileOutcome& outcome) {
    const std::lock_guard lock(mutex_);
    ++done_;
    if (terminal_) {
        if (outcome.error) {
            err_ << kClearLine << input << u": "_s << *outcome.error << '\n';
        }
        drawBar();
        return;
    }
    if (outcome.error) {
        err_ << input << u": "_s << *outcome.error << '\n';
    } else {
        err_ << u"[%1/%2] "_s.arg(done_).arg(total_) << input << u" -> "_s << outcome.output
             << '\n';
    }
    err_.flush();
}

void BatchProgress::finish() {
    const std::lock_guard lock(mutex_);
    if (terminal_) {
        err_ << '\n';
        err_.flush();
    }
}

void BatchProgress::drawBar() {
    err_ << kClearLine << progressBar(done_, total_, double(clock_.nsecsElapsed()) / 1e9);
    err_.flush();
}

}  // namespace quorvel::batch
