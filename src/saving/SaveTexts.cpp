// SPDX-License-Identifier: GPL-3.0-or-later
#include "SaveTexts.h"

#include "ErrorCodes.h"

namespace quorvel::saving {

using namespace Qt::StringLiterals;

QString DecodeError(const short& nError) {
    return imaging::errorText(nError);
}

QString ReturnedErrorText(short code) {
    return u"Error '%1, %2' was generated."_s.arg(QString::number(code), DecodeError(code));
}

QString RaisedErrorText(int number, const QString& description) {
    return u"VB Error: '%1' - %2."_s.arg(QString::number(number), description);
}

}  // namespace quorvel::saving
