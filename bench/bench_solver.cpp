// SPDX-License-Identifier: MIT
// Each of the four answers for the default plan over 10,000 simulated
// markets at ±12 % and 30 years of retirement, beside one simulation of the
// same plan in the same run. An answer tries a dozen to a few dozen values
// on markets drawn once; the summary after the table gives each answer's
// wall time against the 150 ms a window can wait, and its ratio to the
// simulation.
#include <benchmark/benchmark.h>

#include <cstdio>
#include <string>

#include "bench/ratio_reporter.h"
#include "number/arith.h"
#include "projection/project.h"
#include "schedule/simulation.h"
#include "schedule/solver.h"

namespace {

using namespace nestora;

constexpr double AnswerBudget = 0.150;  // seconds

SimulationOptions Markets() {
    SimulationOptions options;
    options.volatility = 0.12;
    options.horizon = 30;
    options.paths = 10000;
    return options;
}

void Answer(benchmark::State& state, SolveFor quantity) {
    const Plan plan = DefaultPlan();
    SolveOptions options;
    options.simulation = Markets();
    for (auto _ : state) {
        Solution s = Solve(plan, {}, quantity, options);
        benchmark::DoNotOptimize(s);
    }
}
BENCHMARK_CAPTURE(Answer, draw, SolveFor::Draw)
    ->Unit(benchmark::kMillisecond)
    ->UseRealTime()
    ->MeasureProcessCPUTime();
BENCHMARK_CAPTURE(Answer, spend, SolveFor::Spend)
    ->Unit(benchmark::kMillisecond)
    ->UseRealTime()
    ->MeasureProcessCPUTime();
BENCHMARK_CAPTURE(Answer, retire, SolveFor::Retire)
    ->Unit(benchmark::kMillisecond)
    ->UseRealTime()
    ->MeasureProcessCPUTime();
BENCHMARK_CAPTURE(Answer, saving, SolveFor::Saving)
    ->Unit(benchmark::kMillisecond)
    ->UseRealTime()
    ->MeasureProcessCPUTime();

void OneSimulation(benchmark::State& state) {
    const Plan plan = DefaultPlan();
    const Projection projection = ProjectionOf(plan);
    for (auto _ : state) {
        Simulation s = Simulate(plan, projection, Markets());
        benchmark::DoNotOptimize(s);
    }
}
BENCHMARK(OneSimulation)->Unit(benchmark::kMillisecond)->UseRealTime()->MeasureProcessCPUTime();

}  // namespace

int main(int argc, char** argv) {
    InitArithmetic();
    nestora::bench::RatioReporter reporter;
    if (!reporter.run(argc, argv)) return 1;
    const std::string peer = "OneSimulation/process_time/real_time";
    for (const char* quantity : {"draw", "spend", "retire", "saving"}) {
        const std::string name = std::string("Answer/") + quantity + "/process_time/real_time";
        const auto o = reporter.times(name);
        if (!o) continue;
        std::printf("%-6s %7.2f ms wall (%s %.0f ms), %7.2f ms CPU", quantity, o->wall * 1e3,
                    o->wall <= AnswerBudget ? "within" : "beyond", AnswerBudget * 1e3,
                    o->cpu * 1e3);
        if (const auto r = reporter.ratio(name, peer, true))
            std::printf("; %.1fx one simulation's wall time", *r);
        std::printf("\n");
    }
    benchmark::Shutdown();
    return 0;
}
