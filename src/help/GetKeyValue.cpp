// SPDX-License-Identifier: GPL-3.0-or-later
#include "GetKeyValue.h"

#include <QByteArray>

#include <algorithm>
#include <array>
#include <stdexcept>

namespace quorvel::help {
namespace {

constexpr std::uint32_t kBufferSize = 1024;

// Closes the key on every way out, the thrown one included.
class OpenKey {
public:
    OpenKey(SystemAccess& system, RegistryKey key) : system_(system), key_(key) {}
    OpenKey(const OpenKey&) = delete;
    OpenKey& operator=(const OpenKey&) = delete;
    ~OpenKey() { system_.RegCloseKey(key_); }

private:
    SystemAccess& system_;
    RegistryKey key_;
};

// The data as the buffer holds it: a last byte of zero is a string's terminator and is dropped.
// A size with no last byte (0, or beyond the buffer) is an error.
QByteArray keptData(const std::array<char, kBufferSize>& buffer, std::uint32_t size) {
    if (size == 0 || size > buffer.size()) {
        throw std::out_of_range("registry value size outside its buffer");
    }
    const qsizetype kept = buffer[size - 1] == '\0' ? qsizetype(size) - 1 : qsizetype(size);
    return QByteArray(buffer.data(), kept);
}

// A 32-bit number is stored least significant byte first; bytes a dropped terminator took were
// zero.
QString numberText(const QByteArray& data) {
    std::uint32_t number = 0;
    for (qsizetype i = std::min<qsizetype>(data.size(), 4) - 1; i >= 0; --i) {
        number = (number << 8) | std::uint8_t(data[i]);
    }
    return QString::number(number);
}

}  // namespace

bool GetKeyValue(SystemAccess& system, const std::uint32_t& KeyRoot, const QString& KeyName,
                 const QString& SubKeyRef, QString& KeyVal) {
    RegistryKey key = 0;
    if (system.RegOpenKeyEx(KeyRoot, KeyName.toLocal8Bit(), 0, kKeyAccess, key) != kErrorSuccess) {
        KeyVal.clear();
        return false;
    }
    const OpenKey open(system, key);

    std::array<char, kBufferSize> buffer{};
    std::uint32_t size = kBufferSize;
    std::uint32_t type = 0;
    if (system.RegQueryValueEx(key, SubKeyRef.toLocal8Bit(), type, buffer, size) != kErrorSuccess) {
        KeyVal.clear();
        return false;
    }
    const QByteArray kept = keptData(buffer, size);
    if (type == kRegSz) {
        KeyVal = QString::fromLocal8Bit(kept);
    } else if (type == kRegDword) {
        KeyVal = numberText(kept);
    }
    return true;
}

}  // namespace quorvel::help
