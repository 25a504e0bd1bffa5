// SPDX-License-Identifier: GPL-3.0-or-later
#include "SaveTexts.h"

#include "ErrorCodes.h"

#include <QCoreApplication>

namespace quorvel::saving {
namespace {

QString translated(const char* english) {
    return QCoreApplication::translate("quorvel::saving::SaveTexts", english);
}

}  // namespace

QString saveErrorTitle() {
    return translated(QT_TRANSLATE_NOOP("quorvel::saving::SaveTexts", "SaveFile Error"));
}

QString saveDialogTitle() {
    return translated(QT_TRANSLATE_NOOP("quorvel::saving::SaveTexts", "Save File"));
}

QString saveDialogFilter() {
    return translated(QT_TRANSLATE_NOOP("quorvel::saving::SaveTexts", "All Files|*.*"));
}

QString DecodeError(const short& nError) {
    return imaging::errorText(nError);
}

QString ReturnedErrorText(short code) {
    return translated(
               QT_TRANSLATE_NOOP("quorvel::saving::SaveTexts", "Error '%1, %2' was generated."))
        .arg(QString::number(code), DecodeError(code));
}

QString RaisedErrorText(int number, const QString& description) {
    return translated(QT_TRANSLATE_NOOP("quorvel::saving::SaveTexts", "VB Error: '%1' - %2."))
        .arg(QString::number(number), description);
}

}  // namespace quorvel::saving
