// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QString>

#include <optional>

namespace quorvel::app {

// What opening a picture derives from its path, cut at the first ".", wherever it is (a dotted
// folder name counts): C:\pics\beach.old.jpg gives the extension "old" and the suggested output
// name C:\pics\beach_M.old.jpg.
struct PathBookkeeping {
    // The text between the first and the second "." (or the end); none when the path holds no ".",
    // so the previous extension stays.
    std::optional<QString> lastExtension;
    // The path with "_M" before its first "." (at the end when there is none), proposed by the
    // save dialog.
    QString suggestedName;
};

// Throws ImagingError 20008 (invalid file name) for an empty path.
PathBookkeeping bookkeepPath(const QString& path);

}  // namespace quorvel::app
