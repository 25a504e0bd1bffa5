// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

class QCoreApplication;

namespace quorvel::app {

// The texts of the user's language (LC_ALL, LC_MESSAGES or LANG): the program's own translation,
// compiled in, and Qt's for its standard dialogs and buttons. Where none exists, as for English or
// the C locale, every text stays the English one the program is written with.
class Translations {
public:
    static void install(QCoreApplication& application);
};

}  // namespace quorvel::app
