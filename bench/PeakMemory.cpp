// SPDX-License-Identifier: GPL-3.0-or-later
#include "PeakMemory.h"

#include "MainWindowDriver.h"

#include <QCoreApplication>
#include <QFile>
#include <QProcess>

#include <stdexcept>

namespace quorvel::bench {
namespace {

// A "VmRSS:   1234 kB" line of /proc/self/status, in bytes.
std::int64_t statusBytes(const QByteArray& field) {
    QFile status(QStringLiteral("/proc/self/status"));
    if (!status.open(QIODevice::ReadOnly | QIODevice::Text)) {
        throw std::runtime_error("cannot read /proc/self/status");
    }
    const QByteArray prefix = field + ':';
    for (QByteArray line = status.readLine(); !line.isEmpty(); line = status.readLine()) {
        if (line.startsWith(prefix)) {
            const QList<QByteArray> words = line.mid(prefix.size()).simplified().split(' ');
            bool ok = false;
            const qint64 kilobytes = words.value(0).toLongLong(&ok);
            if (ok && words.value(1) == "kB") {
                return kilobytes * 1024;
            }
        }
    }
    throw std::runtime_error("/proc/self/status has no " + field.toStdString());
}

// Writing 5 to clear_refs sets the peak (VmHWM) back to what is resident now.
void resetPeak() {
    QFile clearRefs(QStringLiteral("/proc/self/clear_refs"));
    if (!clearRefs.open(QIODevice::WriteOnly) || clearRefs.write("5") != 1 || !clearRefs.flush()) {
        throw std::runtime_error("cannot reset the peak through /proc/self/clear_refs");
    }
}

}  // namespace

std::int64_t peakMemoryOfCorrectedPicture(const QString& picturePath) {
    MainWindowDriver driver;
    const std::int64_t emptyWindow = statusBytes("VmRSS");
    resetPeak();
    driver.load(picturePath);
    driver.moveSlider(10);
    driver.workingView();
    driver.originalView();
    return statusBytes("VmHWM") - emptyWindow;
}

std::int64_t peakMemoryAfterGesture(const QString& picturePath) {
    MainWindowDriver driver;
    const std::int64_t emptyWindow = statusBytes("VmRSS");
    resetPeak();
    driver.load(picturePath);
    for (int position = 19; position >= 0; --position) {
        driver.moveSlider(position);
        driver.workingView();
        QCoreApplication::processEvents();
    }
    for (int position = 1; position <= 40; ++position) {
        driver.moveSlider(position);
        driver.workingView();
        QCoreApplication::processEvents();
    }
    driver.waitUntilSettled();
    driver.workingView();
    driver.originalView();
    return statusBytes("VmHWM") - emptyWindow;
}

std::int64_t peakMemoryInFreshProcess(const QString& picturePath, const char* flag) {
    QProcess child;
    child.setProcessChannelMode(QProcess::ForwardedErrorChannel);
    child.start(QCoreApplication::applicationFilePath(), {QString::fromLatin1(flag), picturePath});
    if (!child.waitForFinished(120'000) || child.exitStatus() != QProcess::NormalExit ||
        child.exitCode() != 0) {
        throw std::runtime_error("the peak memory process failed");
    }
    bool ok = false;
    const qint64 bytes = child.readAllStandardOutput().trimmed().toLongLong(&ok);
    if (!ok) {
        throw std::runtime_error("the peak memory process printed no number");
    }
    return bytes;
}

}  // namespace quorvel::bench
