#include "OptionRun.h"

#include "UsageText.h"

#include <QTextStream>

namespace quorvel::app {

using namespace Qt::StringLiterals;

int runOption(StartMode mode, const QStringList& arguments, QTextStream& out, QTextStream& err) {
    switch (mode) {
        case StartMode::Help:
            out << usageText();
            return 0;
        case StartMode::Version:
            out << versionLine() << '\n';
            return 0;
        case StartMode::Window:
        case StartMode::UnknownOption:
            break;
    }
    err << u"quorvel: unknown option '%1'"_s.arg(arguments.value(1)) << "\n\n" << usageText();
    return 2;
}

}  // namespace quorvel::app
