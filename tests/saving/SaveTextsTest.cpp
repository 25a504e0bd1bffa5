#include "SaveTexts.h"

#include <gtest/gtest.h>

#include <vector>

namespace quorvel::saving {
namespace {

struct SharedText {
    const char* name;
    std::vector<short> codes;
    const char* text;
};

void PrintTo(const SharedText& c, std::ostream* out) {
    *out << c.name;
}

class DecodeErrorText : public ::testing::TestWithParam<SharedText> {};

TEST_P(DecodeErrorText, IsTheSameForEveryCodeOfTheGroup) {
    for (const short code : GetParam().codes) {
        const short before = code;
        EXPECT_EQ(DecodeError(code), QString::fromLatin1(GetParam().text)) << code;
        EXPECT_EQ(code, before);
    }
}

INSTANTIATE_TEST_SUITE_P(
    Groups, DecodeErrorText,
    ::testing::Values(
        SharedText{"Memory", {20001, 20003}, "Not enough memory available"},
        SharedText{"BitmapHandle", {20002}, "Invalid bitmap handle"},
        SharedText{"Writing", {20005}, "Error writing file"},
        SharedText{"Internal", {20030, 20045, 20062}, "Internal Error - Call LEAD"},
        SharedText{"FixedPalette", {20063, 20064}, "Fixed palette data not found"},
        SharedText{"EndOfLine", {20074, 20075, 20076, 20077}, "Premature end-of-line code"},
        SharedText{"TwainCancelled", {20090}, "Twain operation was cancelled"},
        SharedText{"Gaps",
                   {20020, 20066, 20067, 20068, 20069, 19999, 0, -1, -32768, 20091, 20150, 32767},
                   ""}),
    [](const auto& info) { return std::string(info.param.name); });

TEST(SaveErrorTexts, NameTheCodeEvenWithoutAText) {
    EXPECT_EQ(ReturnedErrorText(20005), "Error '20005, Error writing file' was generated.");
    EXPECT_EQ(ReturnedErrorText(20020), "Error '20020, ' was generated.");
    EXPECT_EQ(RaisedErrorText(20013, "Invalid parmameter passed"),
              "VB Error: '20013' - Invalid parmameter passed.");
}

}  // namespace
}  // namespace quorvel::saving
