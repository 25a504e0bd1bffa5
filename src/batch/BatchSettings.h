// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QString>
#include <QStringList>

#include <optional>

namespace quorvel::batch {

// What one batch run does to every file it is given.
struct BatchSettings {
    // The exposure slider's position, 0 (E = +2) .. 40 (E = -2); 20 leaves the picture as it is.
    int slider = 20;
    // The "D" button pressed: dynamic range mode.
    bool dynamicRange = false;
    // The image control's format code; none: each file's own format where it can be written.
    std::optional<short> formatCode;
    // As the save dialog offers them; none: the depth the save dialog preselects for each picture
    // (48 or 64 for one with 16 bits per channel, else 24).
    std::optional<int> bitsPerPixel;
    // The save dialog's quality factor, 2 (best) .. 10 (smallest).
    int qFactor = 2;
    // None: each result goes beside its file.
    std::optional<QString> outputFolder;
    int jobs = 1;
    bool overwrite = false;
    QStringList files;
};

}  // namespace quorvel::batch
