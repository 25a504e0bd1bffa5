// SPDX-License-Identifier: GPL-3.0-or-later
#include "CommandLine.h"

namespace quorvel::app {

QString argumentText(const QStringList& arguments) {
    return arguments.mid(1).join(QLatin1Char(' '));
}

CommandLine scanCommandLine(const QString& argumentText) {
    constexpr short kMaxWords = 3;
    CommandLine scan;
    bool inWord = false;
    for (const QChar c : argumentText) {
        if (c == QLatin1Char(' ')) {
            inWord = false;
        } else if (!inWord) {
            // The start-up only asks whether there is a word at all; more than three are not
            // worth counting.
            if (scan.wordCount == kMaxWords) {
                break;
            }
            inWord = true;
            ++scan.wordCount;
        }
    }

    const qsizetype n = argumentText.size();
    const QChar quote(u'"');
    if (n == 0 || (n == 1 && argumentText[0] == quote)) {
        return scan;
    }
    if (argumentText.front() == quote && argumentText.back() == quote) {
        scan.text = argumentText.mid(1, n - 2);
    } else {
        scan.text = argumentText;
    }
    return scan;
}

}  // namespace quorvel::app
