// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <string_view>

namespace quorvel::app {

// What the program is asked to do, decided by its first argument alone. Only a first argument
// that starts with "--" is an option; any other argument text goes to the window whole, as one
// picture path (unquoted paths with spaces keep working).
enum class StartMode {
    Window,         // open the window, with the argument text as the picture to load
    Help,           // --help: the usage on standard output
    Version,        // --version: the name and version on standard output
    Batch,          // --batch: files corrected and saved without a window
    UnknownOption,  // another "--" argument: the usage on standard error
};

// `firstArgument` is the argument after the program name, as the bytes the system delivers
// (null when there is none); option names are ASCII, so no decoding is needed to tell them.
StartMode startMode(const char* firstArgument);

}  // namespace quorvel::app
