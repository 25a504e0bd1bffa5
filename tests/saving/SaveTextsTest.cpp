// SPDX-License-Identifier: GPL-3.0-or-later
#include "SaveTexts.h"

#include <gtest/gtest.h>

#include <vector>

namespace quorvel::saving {
namespace {

// Every code of a group shares its text; the codes in the gaps and outside the range have none.
TEST(DecodeError, GivesEachGroupItsTextAndTheGapsNone) {
    const struct {
        std::vector<short> codes;
        const char* text;
    } groups[] = {
        {{20001, 20003}, "Not enough memory available"},
        {{20002}, "Invalid bitmap handle"},
        {{20005}, "Error writing file"},
        {{20030, 20062}, "Internal Error - Call LEAD"},
        {{20063, 20064}, "Fixed palette data not found"},
        {{20074, 20077}, "Premature end-of-line code"},
        {{20090}, "Twain operation was cancelled"},
        {{20020, 20066, 20069, 19999, 20091}, ""},
    };
    for (const auto& [codes, text] : groups) {
        for (const short code : codes) {
            EXPECT_EQ(DecodeError(code), QLatin1String(text)) << code;
        }
    }
}

}  // namespace
}  // namespace quorvel::saving
