// SPDX-License-Identifier: GPL-3.0-or-later
#include "RecentFolder.h"

#include <QFileInfo>
#include <QSettings>

namespace quorvel::imaging {
namespace {

const QString kKey = QStringLiteral("dialogs/recentFolder");

QSettings settings() {
    return QSettings(QStringLiteral("quorvel"), QStringLiteral("quorvel"));
}

}  // namespace

QString RecentFolder::folder() {
    const QString folder = settings().value(kKey).toString();
    return !folder.isEmpty() && QFileInfo(folder).isDir() ? folder : QString();
}

void RecentFolder::remember(const QString& filePath) {
    if (filePath.isEmpty()) {
        return;
    }
    settings().setValue(kKey, QFileInfo(filePath).absolutePath());
}

}  // namespace quorvel::imaging
