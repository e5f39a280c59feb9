// SPDX-License-Identifier: MIT
// Every stretch of history for a plan of 40 saving and 40 retirement years
// (the default plan otherwise, 60 % stocks), beside the simulation of the
// same plan with as many simulated markets as there are stretches, on one
// thread, in the same run. A stretch costs a look-up where a simulated year
// draws a lognormal return. The summary after the table gives the time
// against the 5 ms a window may spend, and the ratio.
#include <benchmark/benchmark.h>

#include <cstdio>
#include <string>

#include "bench/ratio_reporter.h"
#include "number/arith.h"
#include "projection/planner.h"
#include "schedule/history.h"
#include "schedule/simulation.h"
#include "support/plain_field.h"
#include "support/quiet_desktop.h"

namespace {

using namespace nestora;

constexpr std::int32_t SavingYears = 40;
constexpr std::int32_t Horizon = 40;

struct Planned {
    Planned() {
        for (const Result result : AllResults)
            planner.bindResult(result, results[static_cast<std::size_t>(result)]);
        planner.plan = DefaultPlan();
        planner.plan.YearsToRetirement = SavingYears;
        planner.calculate();
    }
    testing::QuietDesktop desktop;
    Planner planner{desktop};
    testing::PlainField results[4];
};

const Planned& planned() {
    static const Planned p;
    return p;
}

void History_40Plus40(benchmark::State& state) {
    const Planned& p = planned();
    HistoryOptions options;
    options.horizon = Horizon;
    for (auto _ : state) {
        History h = RunHistory(p.planner.plan, p.planner.projection, options);
        benchmark::DoNotOptimize(h);
    }
    state.counters["stretches"] = StretchCount(SavingYears + Horizon, UsMarkets());
}
BENCHMARK(History_40Plus40)->Unit(benchmark::kMicrosecond);

void SimulationAsManyMarkets_40Plus40(benchmark::State& state) {
    const Planned& p = planned();
    SimulationOptions options;
    options.horizon = Horizon;
    options.paths = StretchCount(SavingYears + Horizon, UsMarkets());
    options.threads = 1;
    for (auto _ : state) {
        Simulation s = Simulate(p.planner.plan, p.planner.projection, options);
        benchmark::DoNotOptimize(s);
    }
}
BENCHMARK(SimulationAsManyMarkets_40Plus40)->Unit(benchmark::kMicrosecond);

}  // namespace

int main(int argc, char** argv) {
    InitArithmetic();
    nestora::bench::RatioReporter reporter;
    if (!reporter.run(argc, argv)) return 1;
    const auto ours = reporter.times("History_40Plus40");
    const auto peer = reporter.times("SimulationAsManyMarkets_40Plus40");
    if (ours) {
        std::printf("History_40Plus40: %.3f ms for every stretch (%s 5 ms)", ours->wall * 1e3,
                    ours->wall < 0.005 ? "within" : "beyond");
        if (peer && peer->wall > 0)
            std::printf("; %.2fx the simulation with as many markets (%.3f ms)",
                        ours->wall / peer->wall, peer->wall * 1e3);
        std::printf("\n");
    }
    benchmark::Shutdown();
    return 0;
}
