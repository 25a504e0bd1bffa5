// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QByteArray>
#include <QString>

#include <cstdint>
#include <span>

namespace quorvel::help {

// An open registry key, as the registry hands it out.
using RegistryKey = std::uintptr_t;

inline constexpr std::uint32_t kHkeyLocalMachine = 0x80000002;
// The access asked for when opening a key.
inline constexpr std::uint32_t kKeyAccess = 0x2003F;
// Value types.
inline constexpr std::uint32_t kRegSz = 1;
inline constexpr std::uint32_t kRegDword = 4;
// Results of the registry calls.
inline constexpr long kErrorSuccess = 0;
inline constexpr long kErrorFileNotFound = 2;
inline constexpr long kErrorInvalidHandle = 6;
inline constexpr long kErrorMoreData = 234;

// What the help window needs of the operating system: reading the registry (with the contracts
// of the ANSI registry calls: 0 for success, else an error code) and starting a program. Tests
// put a fake registry behind it.
class SystemAccess {
public:
    virtual ~SystemAccess() = default;

    virtual long RegOpenKeyEx(std::uint32_t root, const QByteArray& subKey, std::uint32_t options,
                              std::uint32_t access, RegistryKey& key) = 0;
    // Copies the value's data into `data` and sets `type` and `size` to its type and byte size.
    // On entry `size` is the room in `data`; a value that does not fit gives kErrorMoreData.
    virtual long RegQueryValueEx(RegistryKey key, const QByteArray& valueName, std::uint32_t& type,
                                 std::span<char> data, std::uint32_t& size) = 0;
    virtual long RegCloseKey(RegistryKey key) = 0;

    // True when a file (not a folder) of that path exists.
    virtual bool FileExists(const QString& path) = 0;
    // Starts the program at `path` in a normal, focused window and does not wait for it; false
    // when it cannot be started.
    virtual bool StartProgram(const QString& path) = 0;
};

}  // namespace quorvel::help
