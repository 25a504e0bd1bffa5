// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "BatchSettings.h"

#include <QString>
#include <QStringList>

namespace quorvel::batch {

// The batch command line made sense of.
struct BatchRequest {
    enum class Kind { Run, Help, UsageError };
    Kind kind = Kind::UsageError;
    BatchSettings settings;
    // For a usage error: what is wrong, one line.
    QString error;
};

// Parses the program's arguments (its name first, then "--batch"): --slider V (0..40) or
// --exposure E (+2..-2 in steps of 0.1), --dynamic, --format F, --bits N (one the format offers,
// when the format is given), --quality Q (2..10), --output DIR, --jobs N (1 or more; `defaultJobs`
// when not given), --overwrite, --help, and at least one file. Values may follow as the next
// argument or after "="; "--" ends the options.
BatchRequest parseBatchArguments(const QStringList& arguments, int defaultJobs);

}  // namespace quorvel::batch
