// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QString>

namespace quorvel::app {

// What --help prints, and what follows the complaint about a wrong option.
QString usageText();

// What --version prints: "Quorvel 3.0.0".
QString versionLine();

}  // namespace quorvel::app
