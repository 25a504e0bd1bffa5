// SPDX-License-Identifier: GPL-3.0-or-later
#include "LinuxSystemAccess.h"

#include <QFileInfo>
#include <QProcess>

namespace quorvel::help {

long LinuxSystemAccess::RegOpenKeyEx(std::uint32_t /*root*/, const QByteArray& /*subKey*/,
                                     std::uint32_t /*options*/, std::uint32_t /*access*/,
                                     RegistryKey& key) {
    key = 0;
    return kErrorFileNotFound;
}

// No key is ever open, so every handle is invalid.
long LinuxSystemAccess::RegQueryValueEx(RegistryKey /*key*/, const QByteArray& /*valueName*/,
                                        std::uint32_t& /*type*/, std::span<char> /*data*/,
                                        std::uint32_t& /*size*/) {
    return kErrorInvalidHandle;
}

long LinuxSystemAccess::RegCloseKey(RegistryKey /*key*/) {
    return kErrorInvalidHandle;
}

bool LinuxSystemAccess::FileExists(const QString& path) {
    return QFileInfo(path).isFile();
}

bool LinuxSystemAccess::StartProgram(const QString& path) {
    return QProcess::startDetached(path, {});
}

}  // namespace quorvel::help
