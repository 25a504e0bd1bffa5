// SPDX-License-Identifier: GPL-3.0-or-later
#include "CaseNames.h"
#include "GetKeyValue.h"
#include "SystemInfoLauncher.h"
#include "UnexpectedMessages.h"

#include <QMap>
#include <QStringList>

#include <gtest/gtest.h>

#include <algorithm>
#include <memory>
#include <stdexcept>
#include <string>
#include <utility>

namespace quorvel::help {
namespace {

using quorvel::testing::PrintTo;

// A registry in memory under HKEY_LOCAL_MACHINE with the contracts of the ANSI registry calls; the
// file test and the program starter only record and answer as told. `calls` logs "open" (a wrong
// key fails to open), "exists PATH" and "start PATH".
class FakeSystemAccess : public SystemAccess {
public:
    using Value = std::pair<std::uint32_t, QByteArray>;  // type and data

    long RegOpenKeyEx(std::uint32_t root, const QByteArray& subKey, std::uint32_t options,
                      std::uint32_t access, RegistryKey& key) override {
        calls.append("open");
        if (root != kHkeyLocalMachine || options != 0 || access != kKeyAccess ||
            !keys.contains(subKey)) {
            return kErrorFileNotFound;
        }
        key = ++lastHandle;
        openKeys.insert(key, subKey);
        return kErrorSuccess;
    }

    long RegQueryValueEx(RegistryKey key, const QByteArray& valueName, std::uint32_t& type,
                         std::span<char> data, std::uint32_t& size) override {
        const auto values = keys.value(openKeys.value(key));
        if (!values.contains(valueName)) {
            return kErrorFileNotFound;
        }
        const auto [storedType, bytes] = values[valueName];
        type = storedType;
        const bool fits = std::uint32_t(bytes.size()) <= size;
        size = std::uint32_t(bytes.size());
        if (!fits) {
            return kErrorMoreData;
        }
        std::copy(bytes.begin(), bytes.end(), data.begin());
        return kErrorSuccess;
    }

    long RegCloseKey(RegistryKey key) override {
        return openKeys.remove(key) == 1 ? kErrorSuccess : kErrorInvalidHandle;
    }

    bool FileExists(const QString& path) override {
        calls.append("exists " + path);
        return fileExists;
    }

    bool StartProgram(const QString& path) override {
        calls.append("start " + path);
        return startSucceeds;
    }

    QMap<QByteArray, QMap<QByteArray, Value>> keys;
    bool fileExists = false;
    bool startSucceeds = true;
    QStringList calls;
    QMap<RegistryKey, QByteArray> openKeys;
    RegistryKey lastHandle = 0;
};

struct KeyCase {
    const char* name;
    FakeSystemAccess::Value stored;
    // The text read; null when reading must throw.
    const char* expected;
};

class GetKeyValueTest : public ::testing::TestWithParam<KeyCase> {};

TEST_P(GetKeyValueTest, ReadsTheValueAndClosesTheKey) {
    FakeSystemAccess registry;
    registry.keys["SOFTWARE\\Test"]["V"] = GetParam().stored;
    QString KeyVal;
    if (GetParam().expected == nullptr) {
        EXPECT_THROW(GetKeyValue(registry, kHkeyLocalMachine, "SOFTWARE\\Test", "V", KeyVal),
                     std::out_of_range);
    } else {
        EXPECT_TRUE(GetKeyValue(registry, kHkeyLocalMachine, "SOFTWARE\\Test", "V", KeyVal));
        EXPECT_EQ(KeyVal.toStdString(), GetParam().expected);
    }
    EXPECT_TRUE(registry.openKeys.isEmpty());
}

INSTANTIATE_TEST_SUITE_P(
    Values, GetKeyValueTest,
    ::testing::Values(
        KeyCase{"StringWithTerminatingZero", {kRegSz, QByteArray("C:\\A b", 7)}, "C:\\A b"},
        KeyCase{"StringWithoutTerminatingZero", {kRegSz, "C:\\A b"}, "C:\\A b"},
        KeyCase{"SizeZero", {kRegSz, QByteArray()}, nullptr},
        KeyCase{"Number", {kRegDword, QByteArray("\x78\x56\x34\x12", 4)}, "305419896"}),
    ::testing::PrintToStringParamName());

struct LaunchCase {
    const char* name;
    // Whether the first key names a tool, and whether the folder the second key names holds one.
    bool firstKey;
    bool folderHasTool;
    bool startSucceeds;
    bool message;
    // The system calls joined by ", ".
    const char* calls;
};

class StartSysInfoTest : public ::testing::TestWithParam<LaunchCase> {};

TEST_P(StartSysInfoTest, StartsTheToolOrSaysItIsUnavailable) {
    const LaunchCase& c = GetParam();
    auto system = std::make_shared<FakeSystemAccess>();
    if (c.firstKey) {
        system->keys["SOFTWARE\\Microsoft\\Shared Tools\\MSINFO"]["PATH"] = {kRegSz, "D:\\i.exe"};
    }
    system->keys["SOFTWARE\\Microsoft\\Shared Tools Location"]["MSINFO"] = {
        kRegSz, QByteArray("C:\\Dir", 7)};
    system->fileExists = c.folderHasTool;
    system->startSucceeds = c.startSucceeds;
    const testing::UnexpectedMessages messages;

    SystemInfoLauncher(system, "Quorvel", nullptr).StartSysInfo();

    EXPECT_EQ(system->calls.join(", ").toStdString(), c.calls);
    EXPECT_EQ(messages.seen.join(", ").toStdString(),
              c.message ? "Quorvel: System Information Is Unavailable At This Time" : "");
    EXPECT_TRUE(system->openKeys.isEmpty());
}

INSTANTIATE_TEST_SUITE_P(
    Keys, StartSysInfoTest,
    ::testing::Values(
        LaunchCase{"FirstKeyStartedUntested", true, true, true, false, "open, start D:\\i.exe"},
        LaunchCase{"FirstKeyFailingEndsThere", true, true, false, true, "open, start D:\\i.exe"},
        LaunchCase{"SecondKeyWithTheTool", false, true, true, false,
                   "open, open, exists C:\\Dir\\MSINFO32.EXE, start C:\\Dir\\MSINFO32.EXE"},
        LaunchCase{"SecondKeyWithoutTheTool", false, false, true, true,
                   "open, open, exists C:\\Dir\\MSINFO32.EXE"}),
    ::testing::PrintToStringParamName());

}  // namespace
}  // namespace quorvel::help
