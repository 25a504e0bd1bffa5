// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "BatchSettings.h"

namespace quorvel::batch {

class BatchProgress;

// Corrects every file of `settings` on settings.jobs worker threads (never more than there are
// files), in the order given, with the pixels in flight bounded by twice the pixel budget. Each
// file's end goes to `progress`; a failed file does not stop the others. Answers the exit
// status: 0 when every result was written, 1 when some failed.
int runBatch(const BatchSettings& settings, BatchProgress& progress);

}  // namespace quorvel::batch
