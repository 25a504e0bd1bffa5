// SPDX-License-Identifier: GPL-3.0-or-later
#include "PathBookkeeping.h"

#include "CaseNames.h"
#include "ImagingError.h"
#include "QtPrinters.h"

#include <gtest/gtest.h>

#include <optional>

namespace quorvel::app {
namespace {

using quorvel::testing::PrintTo;

struct PathCase {
    const char* name;
    QString path;
    std::optional<QString> lastExtension;
    QString suggestedName;
};

class PathBookkeepingTable : public ::testing::TestWithParam<PathCase> {};

TEST_P(PathBookkeepingTable, CutsAtTheFirstDot) {
    const PathBookkeeping result = bookkeepPath(GetParam().path);
    EXPECT_EQ(result.lastExtension, GetParam().lastExtension);
    EXPECT_EQ(result.suggestedName, GetParam().suggestedName);
}

INSTANTIATE_TEST_SUITE_P(Cases, PathBookkeepingTable,
                         ::testing::Values(PathCase{"TwoDots", "/home/ann/beach.old.jpg", "old",
                                                    "/home/ann/beach_M.old.jpg"},
                                           PathCase{"NoDot", "/home/ann/beach", std::nullopt,
                                                    "/home/ann/beach_M"},
                                           PathCase{"DottedFolder", "/home/my.pics/beach.jpg",
                                                    "pics/beach", "/home/my_M.pics/beach.jpg"}),
                         ::testing::PrintToStringParamName());

TEST(PathBookkeepingTest, EmptyPathFails) {
    EXPECT_THROW(bookkeepPath({}), imaging::ImagingError);
}

}  // namespace
}  // namespace quorvel::app
