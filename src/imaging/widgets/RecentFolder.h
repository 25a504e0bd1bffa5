// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QString>

namespace quorvel::imaging {

// The folder of the file last chosen in an open or save dialog, kept in the user's settings
// (~/.config/quorvel/quorvel.conf) so that dialogs start there, in this run and the next.
class RecentFolder {
public:
    // The remembered folder; empty when none is remembered or it no longer exists.
    static QString folder();
    // Remembers the folder holding `filePath` (relative paths count from the current folder).
    static void remember(const QString& filePath);
};

}  // namespace quorvel::imaging
