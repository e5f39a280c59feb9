// SPDX-License-Identifier: MIT
// The reporter of every benchmark program here: it prints the runs as the
// console reporter does and keeps each benchmark's time per iteration, wall
// and processor, in seconds (the median when the run has repetitions, else
// its one measurement), for the ratios the program prints after the run.
#pragma once

#include <benchmark/benchmark.h>

#include <map>
#include <optional>
#include <string>
#include <vector>

namespace nestora::bench {

struct Times {
    double wall = 0;  // seconds per iteration
    double cpu = 0;   // seconds per iteration, all threads of the process
};

class RatioReporter : public benchmark::ConsoleReporter {
  public:
    // Runs the benchmarks the command line names, reported here; false, with
    // the arguments it does not know reported, when there are any.
    bool run(int& argc, char** argv) {
        benchmark::Initialize(&argc, argv);
        if (benchmark::ReportUnrecognizedArguments(argc, argv)) return false;
        benchmark::RunSpecifiedBenchmarks(this);
        return true;
    }

    void ReportRuns(const std::vector<Run>& runs) override {
        ConsoleReporter::ReportRuns(runs);
        for (const Run& run : runs) {
            const std::string name = run.run_name.str();
            const bool median = run.run_type == Run::RT_Aggregate && run.aggregate_name == "median";
            if (!median && (run.run_type != Run::RT_Iteration || times_.count(name) != 0)) continue;
            const double perSecond = benchmark::GetTimeUnitMultiplier(run.time_unit);
            times_[name] = {run.GetAdjustedRealTime() / perSecond,
                            run.GetAdjustedCPUTime() / perSecond};
        }
    }

    // The times of the benchmark named `name` ("RealItem", "Simulation/1/real_time").
    std::optional<Times> times(const std::string& name) const {
        const auto found = times_.find(name);
        if (found == times_.end()) return std::nullopt;
        return found->second;
    }
    // `numerator`'s time over `denominator`'s, processor time (which other work
    // on a shared machine disturbs less) or wall time; none when either is
    // missing or the denominator's is zero.
    std::optional<double> ratio(const std::string& numerator, const std::string& denominator,
                                bool wall = false) const {
        const auto n = times(numerator);
        const auto d = times(denominator);
        if (!n || !d) return std::nullopt;
        const double below = wall ? d->wall : d->cpu;
        if (below <= 0) return std::nullopt;
        return (wall ? n->wall : n->cpu) / below;
    }

  private:
    std::map<std::string, Times> times_;
};

}  // namespace nestora::bench
