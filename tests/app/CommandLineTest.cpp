// SPDX-License-Identifier: GPL-3.0-or-later
#include "CommandLine.h"

#include "CaseNames.h"
#include "QtPrinters.h"

#include <gtest/gtest.h>

#include <optional>

namespace quorvel::app {
namespace {

using quorvel::testing::PrintTo;

struct ScanCase {
    const char* name;
    QString argumentText;
    short wordCount;
    std::optional<QString> text;
};

class CommandLineScan : public ::testing::TestWithParam<ScanCase> {};

TEST_P(CommandLineScan, CountsWordsAndKeepsTheWholeTextAsOnePath) {
    const CommandLine scan = scanCommandLine(GetParam().argumentText);
    EXPECT_EQ(scan.wordCount, GetParam().wordCount);
    EXPECT_EQ(scan.text, GetParam().text);
}

INSTANTIATE_TEST_SUITE_P(
    Cases, CommandLineScan,
    ::testing::Values(ScanCase{"UnquotedPathWithSpaces", "/home/ann/my pics/beach.jpg", 2,
                               "/home/ann/my pics/beach.jpg"},
                      ScanCase{"LoneQuote", "\"", 1, std::nullopt},
                      ScanCase{"EmptyQuotes", "\"\"", 1, ""},
                      ScanCase{"SpacesOnly", "   ", 0, "   "},
                      ScanCase{"FiveWordsCountThree", "a b c d e.jpg", 3, "a b c d e.jpg"},
                      ScanCase{"TwoQuotedNamesLoseOnlyTheOuterQuotes", "\"a b.jpg\" \"c.jpg\"", 3,
                               "a b.jpg\" \"c.jpg"},
                      ScanCase{"OpeningQuoteOnlyStays", "\"beach.jpg", 1, "\"beach.jpg"},
                      ScanCase{"Empty", "", 0, std::nullopt}),
    ::testing::PrintToStringParamName());

}  // namespace
}  // namespace quorvel::app
