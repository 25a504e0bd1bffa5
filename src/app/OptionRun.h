#pragma once

#include "StartMode.h"

#include <QStringList>

class QTextStream;

namespace quorvel::app {

// Carries out a start mode other than the window, without needing a display, and answers the
// exit status: 0 done, 2 a wrong option (its name and the usage on `err`). `arguments` are the
// program's, its name first.
int runOption(StartMode mode, const QStringList& arguments, QTextStream& out, QTextStream& err);

}  // namespace quorvel::app
