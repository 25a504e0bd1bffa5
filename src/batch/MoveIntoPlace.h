// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QString>

#include <system_error>

namespace quorvel::batch {

// Renames the file `from` to `to` in one step, but only when nothing is at `to` yet: an existing
// file is never replaced, even one that appears while the batch runs. Returns
// std::errc::file_exists then, and the system's error for other failures.
std::error_code moveWithoutReplacing(const QString& from, const QString& to);

}  // namespace quorvel::batch
