#pragma once

#include "SystemAccess.h"

#include <QMap>
#include <QSet>
#include <QStringList>

#include <algorithm>

namespace quorvel::help {

// A registry in memory under HKEY_LOCAL_MACHINE, with the contracts of the ANSI registry calls, a
// set of existing files and a program starter that only records. `calls` logs "open KEY",
// "exists PATH" and "start PATH".
class FakeSystemAccess : public SystemAccess {
public:
    struct Value {
        std::uint32_t type;
        QByteArray data;
    };

    long RegOpenKeyEx(std::uint32_t root, const QByteArray& subKey, std::uint32_t options,
                      std::uint32_t access, RegistryKey& key) override {
        calls.append("open " + QString::fromLocal8Bit(subKey));
        if (root != kHkeyLocalMachine || options != 0 || access != kKeyAccess ||
            !keys.contains(subKey)) {
            return kErrorFileNotFound;
        }
        key = ++lastHandle_;
        open_.insert(key, subKey);
        return kErrorSuccess;
    }

    long RegQueryValueEx(RegistryKey key, const QByteArray& valueName, std::uint32_t& type,
                         std::span<char> data, std::uint32_t& size) override {
        const QMap<QByteArray, Value> values = keys.value(open_.value(key));
        if (!open_.contains(key) || !values.contains(valueName)) {
            return kErrorFileNotFound;
        }
        const Value& value = values[valueName];
        type = value.type;
        const auto needed = std::uint32_t(value.data.size());
        if (needed > size) {
            size = needed;
            return kErrorMoreData;
        }
        std::copy(value.data.begin(), value.data.end(), data.begin());
        size = needed;
        return kErrorSuccess;
    }

    long RegCloseKey(RegistryKey key) override {
        return open_.remove(key) == 1 ? kErrorSuccess : kErrorInvalidHandle;
    }

    bool FileExists(const QString& path) override {
        calls.append("exists " + path);
        return files.contains(path);
    }

    bool StartProgram(const QString& path) override {
        calls.append("start " + path);
        return startSucceeds;
    }

    int openKeys() const { return int(open_.size()); }

    QMap<QByteArray, QMap<QByteArray, Value>> keys;
    QSet<QString> files;
    bool startSucceeds = true;
    QStringList calls;

private:
    QMap<RegistryKey, QByteArray> open_;
    RegistryKey lastHandle_ = 0;
};

}  // namespace quorvel::help
