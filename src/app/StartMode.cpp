// SPDX-License-Identifier: GPL-3.0-or-later
#include "StartMode.h"

namespace quorvel::app {

StartMode startMode(const char* firstArgument) {
    if (firstArgument == nullptr) {
        return StartMode::Window;
    }
    const std::string_view argument(firstArgument);
    if (!argument.starts_with("--")) {
        return StartMode::Window;
    }
    if (argument == "--help") {
        return StartMode::Help;
    }
    if (argument == "--version") {
        return StartMode::Version;
    }
    if (argument == "--batch") {
        return StartMode::Batch;
    }
    return StartMode::UnknownOption;
}

}  // namespace quorvel::app
