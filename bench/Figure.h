// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <optional>
#include <string>

namespace quorvel::bench {

// One line of the summary: a measured ratio (none when it could not be measured) against the
// target it must not exceed.
struct Figure {
    std::string name;
    std::optional<double> ratio;
    double target = 0.0;

    bool passes() const { return ratio && *ratio <= target; }
    // "<name> <ratio> <target> PASS|FAIL", e.g. "remap 1.12 1.5 PASS".
    std::string summaryLine() const;
};

}  // namespace quorvel::bench
