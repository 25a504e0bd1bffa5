// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "StartMode.h"

#include <QStringList>

class QTextStream;

namespace quorvel::app {

// Where a start mode other than the window writes: `err` for progress and complaints, drawn as a
// bar that redraws itself when it is a terminal.
struct OptionStreams {
    QTextStream& out;
    QTextStream& err;
    bool errIsTerminal = false;
};

// Carries out a start mode other than the window, without needing a display, and answers the
// exit status: 0 done, 1 some files of a batch failed, 2 a wrong option (what is wrong and the
// usage on `err`). `arguments` are the program's, its name first.
int runOption(StartMode mode, const QStringList& arguments, const OptionStreams& streams);

}  // namespace quorvel::app
