// SPDX-License-Identifier: GPL-3.0-or-later
#include "Translations.h"

#include <QCoreApplication>
#include <QLibraryInfo>
#include <QLocale>
#include <QTranslator>

namespace quorvel::app {
namespace {

using namespace Qt::StringLiterals;

void installFirstFound(QCoreApplication& application, const QString& name, const QString& folder) {
    auto* translator = new QTranslator(&application);
    if (translator->load(QLocale(), name, u"_"_s, folder)) {
        QCoreApplication::installTranslator(translator);
    } else {
        delete translator;
    }
}

}  // namespace

void Translations::install(QCoreApplication& application) {
    installFirstFound(application, u"quorvel"_s, u":/i18n"_s);
    installFirstFound(application, u"qtbase"_s, QLibraryInfo::path(QLibraryInfo::TranslationsPath));
}

}  // namespace quorvel::app
