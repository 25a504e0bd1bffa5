// SPDX-License-Identifier: GPL-3.0-or-later
#include "CaseNames.h"
#include "ProgramRun.h"
#include "StartMode.h"
#include "UsageText.h"

#include <gtest/gtest.h>

namespace quorvel::app {
namespace {

using quorvel::testing::PrintTo;

struct ModeCase {
    const char* name;
    const char* firstArgument;
    StartMode mode;
};

class StartModeTest : public ::testing::TestWithParam<ModeCase> {};

TEST_P(StartModeTest, IsDecidedByTheFirstArgumentAlone) {
    EXPECT_EQ(startMode(GetParam().firstArgument), GetParam().mode);
}

INSTANTIATE_TEST_SUITE_P(
    Cases, StartModeTest,
    ::testing::Values(ModeCase{"NoArgument", nullptr, StartMode::Window},
                      ModeCase{"Picture", "/home/ann/beach.jpg", StartMode::Window},
                      ModeCase{"SingleDashIsAName", "-beach.jpg", StartMode::Window},
                      ModeCase{"CaseMatters", "--HELP", StartMode::UnknownOption},
                      ModeCase{"BareDoubleDash", "--", StartMode::UnknownOption}),
    ::testing::PrintToStringParamName());

TEST(ProgramOptionsTest, WorkWithoutADisplay) {
    const ProgramOutcome version = runProgram({"--version"});
    EXPECT_EQ(version.status, 0);
    EXPECT_EQ(version.out, "Quorvel 3.0.0\n");
    EXPECT_TRUE(version.err.isEmpty());

    const ProgramOutcome help = runProgram({"--help"});
    EXPECT_EQ(help.status, 0);
    EXPECT_EQ(help.out, usageText());
    EXPECT_TRUE(help.err.isEmpty());

    const ProgramOutcome unknown = runProgram({"--frobnicate"});
    EXPECT_EQ(unknown.status, 2);
    EXPECT_TRUE(unknown.out.isEmpty());
    EXPECT_EQ(unknown.err, "quorvel: unknown option '--frobnicate'\n\n" + usageText());

    const ProgramOutcome noFiles = runProgram({"--batch", "--slider", "3"});
    EXPECT_EQ(noFiles.status, 2);
    EXPECT_EQ(noFiles.err, "quorvel: --batch needs at least one file.\n\n" + usageText());

    const ProgramOutcome missing = runProgram({"--batch", "/nonexistent/beach.jpg"});
    EXPECT_EQ(missing.status, 1);
    EXPECT_EQ(missing.err, "/nonexistent/beach.jpg: File not found\n");
}

}  // namespace
}  // namespace quorvel::app
