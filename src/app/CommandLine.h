// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QString>
#include <QStringList>

#include <optional>

namespace quorvel::app {

// What the start-up scan finds in the argument text. The whole text is one picture path, so a
// path with spaces works with or without quotes and a second name is never split off.
struct CommandLine {
    // Words separated by the space character (a tab belongs to a word), counted up to 3.
    short wordCount = 0;
    // The text without one pair of double quotes that encloses all of it; none at all for an
    // empty text or a text that is a lone double quote.
    std::optional<QString> text;
};

// The argument text the program is given: the arguments after the program name, joined by
// single spaces.
QString argumentText(const QStringList& arguments);

// Counts the words of `argumentText` and takes the path from it.
CommandLine scanCommandLine(const QString& argumentText);

}  // namespace quorvel::app
