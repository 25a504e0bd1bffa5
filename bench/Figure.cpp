// SPDX-License-Identifier: GPL-3.0-or-later
#include "Figure.h"

#include <cstdio>

namespace quorvel::bench {

std::string Figure::summaryLine() const {
    char ratioText[32] = "n/a";
    if (ratio) {
        std::snprintf(ratioText, sizeof ratioText, "%.2f", *ratio);
    }
    char line[160];
    std::snprintf(line, sizeof line, "%s %s %g %s", name.c_str(), ratioText, target,
                  passes() ? "PASS" : "FAIL");
    return line;
}

}  // namespace quorvel::bench
