// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "BatchSettings.h"

#include <QString>

#include <optional>

namespace quorvel::batch {

class PixelTickets;

// How one file of a batch ended.
struct FileOutcome {
    // Where the result goes (written only without an error).
    QString output;
    // The reason it failed, one line for the user; none when the result was written.
    std::optional<QString> error;
};

// Corrects `input` as the window does after opening it and moving the slider (PictureCorrection.h)
// and writes the result as its save command does, in the format, depth and quality of `settings`,
// to outputPath (OutputNames.h). The pictures wait for `tickets` (width x height each for the
// picture and its corrected copy) before anything is decoded. An existing result is never
// replaced without settings.overwrite, and nothing half-written is ever left under its name.
FileOutcome correctFile(const QString& input, const BatchSettings& settings, PixelTickets& tickets);

}  // namespace quorvel::batch
