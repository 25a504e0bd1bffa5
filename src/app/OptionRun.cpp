// SPDX-License-Identifier: GPL-3.0-or-later
#include "OptionRun.h"

#include "BatchOptions.h"
#include "BatchProgress.h"
#include "BatchRun.h"
#include "UsageText.h"

#include <QCoreApplication>
#include <QTextStream>
#include <QThread>

namespace quorvel::app {

using namespace Qt::StringLiterals;

namespace {

int usageError(const QString& error, QTextStream& err) {
    err << u"quorvel: "_s << error << u"\n\n"_s << usageText();
    return 2;
}

int runBatch(const QStringList& arguments, const OptionStreams& streams) {
    const batch::BatchRequest request =
        batch::parseBatchArguments(arguments, QThread::idealThreadCount());
    switch (request.kind) {
        case batch::BatchRequest::Kind::Help:
            streams.out << usageText();
            return 0;
        case batch::BatchRequest::Kind::UsageError:
            return usageError(request.error, streams.err);
        case batch::BatchRequest::Kind::Run:
            break;
    }
    batch::BatchProgress progress(streams.err, int(request.settings.files.size()),
                                  streams.errIsTerminal);
    return batch::runBatch(request.settings, progress);
}

}  // namespace

int runOption(StartMode mode, const QStringList& arguments, const OptionStreams& streams) {
    switch (mode) {
        case StartMode::Help:
            streams.out << usageText();
            return 0;
        case StartMode::Version:
            streams.out << versionLine() << '\n';
            return 0;
        case StartMode::Batch:
            return runBatch(arguments, streams);
        case StartMode::Window:
        case StartMode::UnknownOption:
            break;
    }
    return usageError(
        QCoreApplication::translate("quorvel::app", "unknown option '%1'").arg(arguments.value(1)),
        streams.err);
}

}  // namespace quorvel::app
