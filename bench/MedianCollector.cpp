// SPDX-License-Identifier: GPL-3.0-or-later
#include "MedianCollector.h"

#include <unistd.h>
#include <cstdio>

namespace quorvel::bench {

MedianCollector::MedianCollector()
    : ConsoleReporter(isatty(fileno(stdout)) ? OO_ColorTabular : OO_Tabular) {}

void MedianCollector::ReportRuns(const std::vector<Run>& runs) {
    for (const Run& run : runs) {
        if (!run.error_occurred && run.run_type == Run::RT_Aggregate &&
            run.aggregate_name == "median") {
            medians_[run.run_name.function_name] =
                run.GetAdjustedRealTime() / benchmark::GetTimeUnitMultiplier(run.time_unit);
        }
    }
    ConsoleReporter::ReportRuns(runs);
}

std::optional<double> MedianCollector::medianSeconds(const std::string& benchmarkName) const {
    const auto found = medians_.find(benchmarkName);
    if (found == medians_.end()) {
        return std::nullopt;
    }
    return found->second;
}

}  // namespace quorvel::bench
