#include "PathBookkeeping.h"

#include "ErrorCodes.h"
#include "ImagingError.h"
#include "QtPrinters.h"

#include <gtest/gtest.h>

#include <optional>

namespace quorvel::app {
namespace {

struct PathCase {
    const char* name;
    QString path;
    std::optional<QString> lastExtension;
    QString suggestedName;
};

void PrintTo(const PathCase& c, std::ostream* out) {
    *out << c.name;
}

class PathBookkeepingTable : public ::testing::TestWithParam<PathCase> {};

TEST_P(PathBookkeepingTable, CutsAtTheFirstDot) {
    const PathCase& c = GetParam();
    const PathBookkeeping result = bookkeepPath(c.path);
    EXPECT_EQ(result.lastExtension, c.lastExtension);
    EXPECT_EQ(result.suggestedName, c.suggestedName);
}

INSTANTIATE_TEST_SUITE_P(
    Cases, PathBookkeepingTable,
    ::testing::Values(
        PathCase{"PlainName", R"(C:\pics\beach.jpg)", "jpg", R"(C:\pics\beach_M.jpg)"},
        PathCase{"NoExtension", R"(C:\pics\beach)", std::nullopt, R"(C:\pics\beach_M)"},
        PathCase{"TwoDots", R"(C:\pics\beach.old.jpg)", "old", R"(C:\pics\beach_M.old.jpg)"},
        PathCase{"DottedFolder", R"(C:\my.pics\beach.jpg)", R"(pics\beach)",
                 R"(C:\my_M.pics\beach.jpg)"},
        PathCase{"TrailingDot", "/home/ann/beach.", "", "/home/ann/beach_M."},
        PathCase{"HiddenFile", "/home/ann/.beach", "beach", "/home/ann/_M.beach"}),
    [](const ::testing::TestParamInfo<PathCase>& info) { return std::string(info.param.name); });

TEST(PathBookkeepingTest, EmptyPathIsAnInvalidFileName) {
    try {
        bookkeepPath({});
        FAIL() << "an empty path was accepted";
    } catch (const imaging::ImagingError& error) {
        EXPECT_EQ(error.number(), imaging::errc::InvalidFileName);
        EXPECT_EQ(error.source(), "Quorvel");
        EXPECT_EQ(error.description(), "Invalid filename specified");
    }
}

}  // namespace
}  // namespace quorvel::app
