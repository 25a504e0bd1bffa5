// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "SystemAccess.h"

namespace quorvel::help {

// This platform has no registry: every key is missing. Files and programs are the real ones.
class LinuxSystemAccess : public SystemAccess {
public:
    long RegOpenKeyEx(std::uint32_t root, const QByteArray& subKey, std::uint32_t options,
                      std::uint32_t access, RegistryKey& key) override;
    long RegQueryValueEx(RegistryKey key, const QByteArray& valueName, std::uint32_t& type,
                         std::span<char> data, std::uint32_t& size) override;
    long RegCloseKey(RegistryKey key) override;
    bool FileExists(const QString& path) override;
    bool StartProgram(const QString& path) override;
};

}  // namespace quorvel::help
