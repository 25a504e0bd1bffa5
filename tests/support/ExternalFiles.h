// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QByteArray>
#include <QString>
#include <QStringList>

namespace quorvel::testing {

// The whole content of a file; empty when it cannot be read.
QByteArray fileBytes(const QString& path);

// Writes `bytes` as the whole content of `path`; whether that succeeded.
bool writeFileBytes(const QString& path, const QByteArray& bytes);

// The standard output of a command-line tool (ImageMagick, vips, exiftool: readers that are not
// ours); empty when it cannot be started or fails.
QByteArray toolOutput(const QString& program, const QStringList& arguments);

}  // namespace quorvel::testing
