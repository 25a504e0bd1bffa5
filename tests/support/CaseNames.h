// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <ostream>

namespace quorvel::testing {

// A table row with a `name` prints as that name, in failure messages and, through
// ::testing::PrintToStringParamName(), in the test's own name. A test file brings it in with
// `using quorvel::testing::PrintTo;` in the namespace of its rows, where the printer looks.
template <typename Case>
requires requires(const Case& c, std::ostream& out) {
    out << c.name;
}
void PrintTo(const Case& c, std::ostream* out) {
    *out << c.name;
}

}  // namespace quorvel::testing
