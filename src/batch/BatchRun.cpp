// SPDX-License-Identifier: GPL-3.0-or-later
#include "BatchRun.h"

#include "BatchFile.h"
#include "BatchProgress.h"
#include "FileNames.h"
#include "PixelBudget.h"
#include "PixelTickets.h"

#include <QCoreApplication>

#include <algorithm>
#include <atomic>
#include <thread>
#include <vector>

#include <sys/stat.h>

namespace quorvel::batch {

using namespace Qt::StringLiterals;

namespace {

// Makes a missing output folder (not its parents, so that a mistyped path does not grow a tree);
// answers why there is no folder to write into, or none when there is one.
std::optional<QString> outputFolderProblem(const QString& folder) {
    switch (imaging::kindOfFile(folder)) {
        case imaging::FileKind::Other:
            return std::nullopt;
        case imaging::FileKind::RegularFile:
            return QCoreApplication::translate("quorvel::batch", "the output folder %1 is a file")
                .arg(folder);
        case imaging::FileKind::Missing:
            break;
    }
    const std::optional<QByteArray> bytes = imaging::localBytesFromPath(folder);
    if (!bytes || ::mkdir(bytes->constData(), 0777) != 0) {
        return QCoreApplication::translate("quorvel::batch", "the output folder %1 cannot be made")
            .arg(folder);
    }
    return std::nullopt;
}

}  // namespace

int runBatch(const BatchSettings& settings, BatchProgress& progress) {
    if (settings.outputFolder) {
        if (const std::optional<QString> problem = outputFolderProblem(*settings.outputFolder)) {
            progress.start();
            for (const QString& input : settings.files) {
                progress.fileDone(input, {QString(), problem});
            }
            progress.finish();
            return 1;
        }
    }
    PixelTickets tickets(2 * imaging::kPixelBudget);
    std::atomic<qsizetype> next{0};
    std::atomic<bool> anyFailed{false};
    const auto work = [&] {
        for (qsizetype i = next++; i < settings.files.size(); i = next++) {
            const QString& input = settings.files[i];
            const FileOutcome outcome = correctFile(input, settings, tickets);
            if (outcome.error) {
                anyFailed = true;
            }
            progress.fileDone(input, outcome);
        }
    };

    progress.start();
    {
        const qsizetype workers = std::min<qsizetype>(settings.jobs, settings.files.size());
        std::vector<std::jthread> threads;
        for (qsizetype i = 1; i < workers; ++i) {
            threads.emplace_back(work);
        }
        work();
    }
    progress.finish();
    return anyFailed ? 1 : 0;
}

}  // namespace quorvel::batch
