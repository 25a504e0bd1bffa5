// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <benchmark/benchmark.h>

#include <map>
#include <optional>
#include <string>
#include <vector>

namespace quorvel::bench {

// Prints the usual console report and keeps, per benchmark, the median over its repetitions of
// the wall-clock time per iteration. Medians shrug off the moments when another job had a core.
class MedianCollector : public benchmark::ConsoleReporter {
public:
    // Colours only on a terminal, as the stock console report does.
    MedianCollector();

    void ReportRuns(const std::vector<Run>& runs) override;

    // Seconds per iteration, or nothing when the benchmark did not run or reported an error.
    std::optional<double> medianSeconds(const std::string& benchmarkName) const;

private:
    std::map<std::string, double> medians_;
};

}  // namespace quorvel::bench
