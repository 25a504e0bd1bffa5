// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QByteArray>
#include <QList>

#include <algorithm>

#include <dirent.h>
#include <unistd.h>

namespace quorvel::testing {

// The names in `folder`, hidden ones too, sorted, as the file system holds them: Qt's own listing
// leaves out names that are no UTF-8, and QTemporaryDir cannot remove them.
inline QList<QByteArray> folderEntries(const QByteArray& folder) {
    QList<QByteArray> names;
    if (DIR* dir = ::opendir(folder.constData())) {
        while (const dirent* entry = ::readdir(dir)) {
            const QByteArray name(entry->d_name);
            if (name != "." && name != "..") {
                names += name;
            }
        }
        ::closedir(dir);
    }
    std::sort(names.begin(), names.end());
    return names;
}

// Removes the files of `folder` whatever their names, so that a QTemporaryDir can go.
inline void removeFolderFiles(const QByteArray& folder) {
    for (const QByteArray& name : folderEntries(folder)) {
        ::unlink((folder + '/' + name).constData());
    }
}

}  // namespace quorvel::testing
