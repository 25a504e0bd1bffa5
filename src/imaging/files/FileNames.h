// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QByteArray>
#include <QByteArrayView>
#include <QFile>
#include <QString>
#include <QStringView>

#include <optional>

namespace quorvel::imaging {

// Paths travel through the program as QString, but Linux names files by bytes that need not be
// UTF-8, and Qt's own conversion turns every byte it cannot decode into U+FFFD, which names
// another file. These two functions are the program's way between the two: valid UTF-8 decodes
// as usual and every other byte becomes the lone surrogate U+DC00 + byte (U+DC80..U+DCFF), so
// any name comes back to exactly its bytes. Every place that hands a path to the file system
// goes through localBytesFromPath; every path that comes in as bytes, through pathFromLocalBytes.

QString pathFromLocalBytes(QByteArrayView bytes);

// None when no file can have that name: a NUL character, or a lone surrogate that is not one of
// the byte escapes above.
std::optional<QByteArray> localBytesFromPath(QStringView path);

enum class FileKind { Missing, RegularFile, Other };

// What `path` names, following symbolic links; Missing also for a path no file can have.
FileKind kindOfFile(const QString& path);

// Opens the file `path` names into `file` for reading; false when it cannot be opened.
bool openForReading(QFile& file, const QString& path);

}  // namespace quorvel::imaging
