// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QString>

namespace quorvel::saving {

// The texts of saving, in the user's language (English where there is no translation).

QString saveErrorTitle();
QString saveDialogTitle();
QString saveDialogFilter();

// The short text of an imaging error code; empty for a code without one (20020, 20066..20069,
// below 20000, above 20090). nError is left unchanged.
QString DecodeError(const short& nError);

// What a save that returned `code` says: Error '20005, Error writing file' was generated.
QString ReturnedErrorText(short code);

// What a raised error says: VB Error: '20013' - Invalid parmameter passed.
QString RaisedErrorText(int number, const QString& description);

}  // namespace quorvel::saving
