#include "GetKeyValue.h"

#include "FakeSystemAccess.h"

#include <gtest/gtest.h>

#include <stdexcept>
#include <string>

namespace quorvel::help {
namespace {

const QString kKey = QStringLiteral("SOFTWARE\\Quorvel Test");

struct KeyCase {
    const char* name;
    bool keyExists;
    // The value "V" of the key; a type of 0 means there is none.
    FakeSystemAccess::Value stored;
    bool result;
    // KeyVal afterwards; it holds "before" on entry.
    std::string expected;
};

void PrintTo(const KeyCase& c, std::ostream* out) {
    *out << c.name;
}

class GetKeyValueTest : public ::testing::TestWithParam<KeyCase> {};

TEST_P(GetKeyValueTest, ReadsTheValueAndClosesTheKey) {
    const KeyCase& c = GetParam();
    FakeSystemAccess registry;
    if (c.keyExists) {
        registry.keys[kKey.toLocal8Bit()];
    }
    if (c.stored.type != 0) {
        registry.keys[kKey.toLocal8Bit()]["V"] = c.stored;
    }
    QString KeyVal = QStringLiteral("before");
    EXPECT_EQ(GetKeyValue(registry, kHkeyLocalMachine, kKey, QStringLiteral("V"), KeyVal),
              c.result);
    EXPECT_EQ(KeyVal.toStdString(), c.expected);
    EXPECT_EQ(registry.openKeys(), 0);
}

INSTANTIATE_TEST_SUITE_P(
    Values, GetKeyValueTest,
    ::testing::Values(
        KeyCase{"StringWithTerminatingZero",
                true,
                {kRegSz, QByteArray("C:\\A b.exe", 11)},
                true,
                "C:\\A b.exe"},
        KeyCase{"StringWithoutTerminatingZero", true, {kRegSz, "C:\\A b"}, true, "C:\\A b"},
        KeyCase{"StringFillingTheBuffer",
                true,
                {kRegSz, QByteArray(1024, 'y')},
                true,
                std::string(1024, 'y')},
        KeyCase{"StringOverTheBuffer", true, {kRegSz, QByteArray(1025, 'y')}, false, ""},
        KeyCase{"Number", true, {kRegDword, QByteArray("\x78\x56\x34\x12", 4)}, true, "305419896"},
        KeyCase{
            "NumberWithZeroHighBytes", true, {kRegDword, QByteArray("\x05\0\0\0", 4)}, true, "5"},
        KeyCase{"OtherTypeKeepsTheText", true, {3, "\x01\x02"}, true, "before"},
        KeyCase{"MissingValue", true, {0, {}}, false, ""},
        KeyCase{"MissingKey", false, {0, {}}, false, ""}),
    [](const auto& info) { return std::string(info.param.name); });

TEST(GetKeyValueErrors, AValueOfSizeZeroIsAnErrorThatStillClosesTheKey) {
    FakeSystemAccess registry;
    registry.keys[kKey.toLocal8Bit()]["V"] = {kRegSz, QByteArray()};
    QString KeyVal;
    EXPECT_THROW(GetKeyValue(registry, kHkeyLocalMachine, kKey, QStringLiteral("V"), KeyVal),
                 std::out_of_range);
    EXPECT_EQ(registry.openKeys(), 0);
}

}  // namespace
}  // namespace quorvel::help
