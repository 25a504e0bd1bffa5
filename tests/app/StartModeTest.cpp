// SPDX-License-Identifier: GPL-3.0-or-later
#include "OptionRun.h"
#include "ProgramRun.h"
#include "StartMode.h"
#include "UsageText.h"

#include <QTextStream>

#include <gtest/gtest.h>

namespace quorvel::app {
namespace {

struct ModeCase {
    const char* name;
    const char* firstArgument;
    StartMode mode;
};

void PrintTo(const ModeCase& c, std::ostream* out) {
    *out << c.name;
}

class StartModeTest : public ::testing::TestWithParam<ModeCase> {};

TEST_P(StartModeTest, IsDecidedByTheFirstArgumentAlone) {
    EXPECT_EQ(startMode(GetParam().firstArgument), GetParam().mode);
}

INSTANTIATE_TEST_SUITE_P(
    Cases, StartModeTest,
    ::testing::Values(ModeCase{"NoArgument", nullptr, StartMode::Window},
                      ModeCase{"Picture", "/home/ann/beach.jpg", StartMode::Window},
                      ModeCase{"PictureWithSpaces", "/home/ann/my pics/beach.jpg",
                               StartMode::Window},
                      ModeCase{"SingleDashIsAName", "-beach.jpg", StartMode::Window},
                      ModeCase{"Help", "--help", StartMode::Help},
                      ModeCase{"Version", "--version", StartMode::Version},
                      ModeCase{"Batch", "--batch", StartMode::Batch},
                      ModeCase{"UnknownOption", "--frobnicate", StartMode::UnknownOption},
                      ModeCase{"OptionWithValueIsUnknown", "--help=1", StartMode::UnknownOption},
                      ModeCase{"CaseMatters", "--HELP", StartMode::UnknownOption},
                      ModeCase{"BareDoubleDash", "--", StartMode::UnknownOption}),
    [](const auto& info) { return std::string(info.param.name); });

struct Outcome {
    int status;
    QString out;
    QString err;
};

Outcome run(StartMode mode, const QStringList& arguments) {
    QString out;
    QString err;
    QTextStream outStream(&out);
    QTextStream errStream(&err);
    const int status = runOption(mode, arguments, {outStream, errStream});
    outStream.flush();
    errStream.flush();
    return {status, out, err};
}

TEST(OptionRunTest, HelpPrintsTheUsageOnStandardOutput) {
    const Outcome outcome = run(StartMode::Help, {"quorvel", "--help"});
    EXPECT_EQ(outcome.status, 0);
    EXPECT_EQ(outcome.out, usageText());
    EXPECT_TRUE(outcome.out.startsWith("Usage: quorvel [PICTURE]\n"));
    EXPECT_TRUE(outcome.err.isEmpty());
}

TEST(OptionRunTest, VersionPrintsNameAndVersion) {
    const Outcome outcome = run(StartMode::Version, {"quorvel", "--version"});
    EXPECT_EQ(outcome.status, 0);
    EXPECT_EQ(outcome.out, "Quorvel 3.0.0\n");
    EXPECT_TRUE(outcome.err.isEmpty());
}

TEST(OptionRunTest, AnUnknownOptionIsNamedBeforeTheUsageOnStandardError) {
    const Outcome outcome = run(StartMode::UnknownOption, {"quorvel", "--frobnicate", "a.jpg"});
    EXPECT_EQ(outcome.status, 2);
    EXPECT_TRUE(outcome.out.isEmpty());
    EXPECT_EQ(outcome.err, "quorvel: unknown option '--frobnicate'\n\n" + usageText());
}

TEST(ProgramOptionsTest, WorkWithoutADisplay) {
    const ProgramOutcome version = runProgram({"--version"});
    EXPECT_EQ(version.status, 0);
    EXPECT_EQ(version.out, "Quorvel 3.0.0\n");

    const ProgramOutcome help = runProgram({"--help"});
    EXPECT_EQ(help.status, 0);
    EXPECT_EQ(help.out, usageText());

    const ProgramOutcome unknown = runProgram({"--frobnicate"});
    EXPECT_EQ(unknown.status, 2);
    EXPECT_TRUE(unknown.out.isEmpty());
    EXPECT_TRUE(unknown.err.startsWith("quorvel: unknown option '--frobnicate'\n"));

    const ProgramOutcome noFiles = runProgram({"--batch", "--slider", "3"});
    EXPECT_EQ(noFiles.status, 2);
    EXPECT_EQ(noFiles.err, "quorvel: --batch needs at least one file.\n\n" + usageText());

    const ProgramOutcome missing = runProgram({"--batch", "/nonexistent/beach.jpg"});
    EXPECT_EQ(missing.status, 1);
    EXPECT_EQ(missing.err, "/nonexistent/beach.jpg: File not found\n");
}

}  // namespace
}  // namespace quorvel::app
