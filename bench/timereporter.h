// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <benchmark/benchmark.h>
#include <map>
#include <string>

// Prints the usual table and keeps each benchmark's mean wall time per
// iteration, so that a benchmark program can print ratios against the
// baseline it measured in the same run.
class TimeReporter : public benchmark::ConsoleReporter {
public:
    std::map<std::string, double> seconds; // by benchmark function name

    void ReportRuns(const std::vector<Run>& runs) override {
        for (const Run& run : runs) {
            if (run.run_type == Run::RT_Iteration && run.iterations > 0)
                seconds[run.run_name.function_name] =
                    run.real_accumulated_time / double(run.iterations);
        }
        ConsoleReporter::ReportRuns(runs);
    }

    // Time of `a` divided by time of `b`; 0 when `b` did not run.
    double ratio(const std::string& a, const std::string& b) {
        const double y = seconds[b];
        return y > 0 ? seconds[a] / y : 0.0;
    }
};
