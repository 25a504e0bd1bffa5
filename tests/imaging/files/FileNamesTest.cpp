// SPDX-License-Identifier: GPL-3.0-or-later
#include "FileNames.h"

#include "CaseNames.h"
#include "QtPrinters.h"

#include <gtest/gtest.h>

namespace quorvel::imaging {
namespace {

using quorvel::testing::PrintTo;

struct NameCase {
    const char* name;
    QByteArray bytes;
    std::u16string units;
};

class FileNameBytes : public ::testing::TestWithParam<NameCase> {};

TEST_P(FileNameBytes, DecodeToTheirOwnStringAndBack) {
    const QString path = pathFromLocalBytes(GetParam().bytes);
    EXPECT_EQ(path, QString::fromStdU16String(GetParam().units));
    EXPECT_EQ(localBytesFromPath(path), GetParam().bytes);
}

INSTANTIATE_TEST_SUITE_P(
    Cases, FileNameBytes,
    ::testing::Values(NameCase{"Utf8", "N\xc3\xb8rre \xe2\x80\x93 \xf0\x9f\x98\x80",
                               u"N\u00f8rre \u2013 \U0001F600"},
                      NameCase{"Latin1Byte", "caf\xe9.png", u"caf\xdce9.png"},
                      NameCase{"CutSequence", "a\xe2\x80", u"a\xdce2\xdc80"},
                      NameCase{"LoneContinuation", "\x80x", u"\xdc80x"},
                      NameCase{"Overlong", "\xc0\xaf", u"\xdcc0\xdcaf"},
                      NameCase{"EncodedSurrogate", "\xed\xb3\xbf", u"\xdced\xdcb3\xdcbf"},
                      NameCase{"AboveUnicode", "\xf4\x90\x80\x80", u"\xdcf4\xdc90\xdc80\xdc80"},
                      NameCase{"EscapeThenValid", "\xff\xc3\xa9", u"\xdcff\u00e9"}),
    ::testing::PrintToStringParamName());

struct RefusedCase {
    const char* name;
    std::u16string units;
};

class NamesNoFileCanHave : public ::testing::TestWithParam<RefusedCase> {};

TEST_P(NamesNoFileCanHave, HaveNoBytes) {
    EXPECT_EQ(localBytesFromPath(QString::fromStdU16String(GetParam().units)), std::nullopt);
}

INSTANTIATE_TEST_SUITE_P(Cases, NamesNoFileCanHave,
                         ::testing::Values(RefusedCase{"Nul", std::u16string(u"a\0b", 3)},
                                           RefusedCase{"LoneHighSurrogate", u"a\xd83d"},
                                           RefusedCase{"HighBeforeLetter", u"\xd83dx"},
                                           RefusedCase{"LowBelowTheEscapes", u"\xdc7f"},
                                           RefusedCase{"LowOutsideTheEscapes", u"\xdd00"}),
                         ::testing::PrintToStringParamName());

}  // namespace
}  // namespace quorvel::imaging
