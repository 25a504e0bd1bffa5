#include "SystemInfoLauncher.h"

#include "FakeSystemAccess.h"
#include "MessageRecorder.h"

#include <QWidget>

#include <gtest/gtest.h>

#include <memory>

namespace quorvel::help {
namespace {

const QByteArray kToolKey("SOFTWARE\\Microsoft\\Shared Tools\\MSINFO");
const QByteArray kFolderKey("SOFTWARE\\Microsoft\\Shared Tools Location");
const QString kToolInFolder = QStringLiteral("C:\\Shared\\MSINFO32.EXE");

struct LaunchCase {
    const char* name;
    // The first key's "PATH", stored without a terminating zero, and the second key's "MSINFO",
    // stored with one; null for none.
    const char* toolPath;
    const char* toolFolder;
    bool folderHasTool;
    bool startSucceeds;
    // The expected file tests and starts, whether the second key is read and the message shown.
    QStringList calls;
    bool secondKeyRead;
    bool message;
};

void PrintTo(const LaunchCase& c, std::ostream* out) {
    *out << c.name;
}

class StartSysInfoTest : public ::testing::TestWithParam<LaunchCase> {};

TEST_P(StartSysInfoTest, StartsTheToolOrSaysItIsUnavailable) {
    const LaunchCase& c = GetParam();
    auto system = std::make_shared<FakeSystemAccess>();
    if (c.toolPath != nullptr) {
        system->keys[kToolKey]["PATH"] = {kRegSz, QByteArray(c.toolPath)};
    }
    if (c.toolFolder != nullptr) {
        system->keys[kFolderKey]["MSINFO"] = {kRegSz, QByteArray(c.toolFolder) + '\0'};
    }
    if (c.folderHasTool) {
        system->files.insert(kToolInFolder);
    }
    system->startSucceeds = c.startSucceeds;
    QWidget owner;
    const MessageRecorder messages;

    SystemInfoLauncher(system, QStringLiteral("Quorvel"), &owner).StartSysInfo();

    QStringList calls = system->calls;
    const qsizetype opened =
        calls.removeIf([](const QString& call) { return call.startsWith(QLatin1String("open ")); });
    EXPECT_EQ(calls, c.calls);
    EXPECT_EQ(opened, c.secondKeyRead ? 2 : 1);
    EXPECT_EQ(messages.seen, c.message ? QStringList{kUnavailable} : QStringList{});
    EXPECT_EQ(system->openKeys(), 0);
}

const QStringList kNothing;

INSTANTIATE_TEST_SUITE_P(
    Keys, StartSysInfoTest,
    ::testing::Values(
        LaunchCase{"FirstKeyStartsItsPathUntested",
                   "D:\\Odd\\info.exe",
                   "C:\\Shared",
                   true,
                   true,
                   {"start D:\\Odd\\info.exe"},
                   false,
                   false},
        LaunchCase{"FirstKeyFailingToStart",
                   "D:\\Odd\\info.exe",
                   "C:\\Shared",
                   true,
                   false,
                   {"start D:\\Odd\\info.exe"},
                   false,
                   true},
        // An empty value is an error inside the first read, which ends everything at once.
        LaunchCase{"FirstKeyOfSizeZero", "", "C:\\Shared", true, true, kNothing, false, true},
        LaunchCase{"SecondKeyWithTheTool",
                   nullptr,
                   "C:\\Shared",
                   true,
                   true,
                   {"exists " + kToolInFolder, "start " + kToolInFolder},
                   true,
                   false},
        LaunchCase{"SecondKeyWithoutTheTool",
                   nullptr,
                   "C:\\Shared",
                   false,
                   true,
                   {"exists " + kToolInFolder},
                   true,
                   true},
        LaunchCase{"NeitherKey", nullptr, nullptr, false, true, kNothing, true, true}),
    [](const auto& info) { return std::string(info.param.name); });

}  // namespace
}  // namespace quorvel::help
