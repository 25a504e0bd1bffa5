// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QCoreApplication>
#include <QString>

namespace quorvel::app {

// The program's name, version and home page as users see them.
inline const QString kAppTitle = QStringLiteral("Quorvel");
inline constexpr int kVersionMajor = 3;
inline constexpr int kVersionMinor = 0;
inline constexpr int kVersionRevision = 0;
inline const QString kWebAddress = QStringLiteral("https://codeberg.org/quorvel/quorvel");

// The main window's title before a picture is loaded: "Quorvel Version 3.0".
inline QString versionTitle(const QString& title, int major, int minor) {
    return QCoreApplication::translate("quorvel::app::AppInfo", "%1 Version %2.%3")
        .arg(title, QString::number(major), QString::number(minor));
}

// The banner above the panels: "Quorvel V 3.0".
inline QString versionBanner(const QString& title, int major, int minor) {
    return QCoreApplication::translate("quorvel::app::AppInfo", "%1 V %2.%3")
        .arg(title, QString::number(major), QString::number(minor));
}

}  // namespace quorvel::app
