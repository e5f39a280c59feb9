// SPDX-License-Identifier: MIT
// The varying-returns simulation of the default plan, 10,000 markets over 20
// saving and 30 retirement years at ±12 %, on one thread and on two, beside
// the fixed-return schedule of the same plan in the same run, and on one
// thread with the life around the plan (other income, a one-off sum, the
// guardrails rule) beside the plain plan. Wall time is what a window waits
// for (one frame is 16 ms); the process CPU time counts both threads' work.
// A summary after the table gives the ratios.
#include <benchmark/benchmark.h>

#include <cstdio>
#include <string>

#include "bench/ratio_reporter.h"
#include "number/arith.h"
#include "projection/planner.h"
#include "schedule/schedule.h"
#include "schedule/simulation.h"
#include "support/plain_field.h"
#include "support/quiet_desktop.h"

namespace {

using namespace nestora;

// The default plan (20 saving years) and the projection calculate gives it.
struct Planned {
    Planned() {
        for (const Result result : AllResults)
            planner.bindResult(result, results[static_cast<std::size_t>(result)]);
        planner.plan = DefaultPlan();
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

void Simulation_10000Paths(benchmark::State& state) {
    const Planned& p = planned();
    SimulationOptions options;
    options.volatility = 0.12;
    options.horizon = 30;
    options.threads = static_cast<std::int32_t>(state.range(0));
    for (auto _ : state) {
        Simulation s = Simulate(p.planner.plan, p.planner.projection, options);
        benchmark::DoNotOptimize(s);
    }
}
BENCHMARK(Simulation_10000Paths)
    ->Arg(1)
    ->Arg(2)
    ->Unit(benchmark::kMillisecond)
    ->UseRealTime()
    ->MeasureProcessCPUTime();

// The same simulation with the life around the plan: two income streams (one
// indexed, one not), a one-off sum and the guardrails rule, on one thread.
void SimulationLifePlan_10000Paths(benchmark::State& state) {
    const Planned& p = planned();
    SimulationOptions options;
    options.volatility = 0.12;
    options.horizon = 30;
    options.threads = 1;
    LifePlan life;
    life.incomes = {{"state pension", 9000, 23, std::nullopt, true},
                    {"company pension", 4000, 21, 40, false}};
    life.oneOffs = {{-15000, 26}};
    life.rule = SpendingRule::Guardrails;
    for (auto _ : state) {
        Simulation s = Simulate(p.planner.plan, p.planner.projection, options, life);
        benchmark::DoNotOptimize(s);
    }
}
BENCHMARK(SimulationLifePlan_10000Paths)
    ->Unit(benchmark::kMillisecond)
    ->UseRealTime()
    ->MeasureProcessCPUTime();

// The paths alone, without the percentiles, on two threads.
void SimulationPathsOnly_10000Paths(benchmark::State& state) {
    const Planned& p = planned();
    SimulationOptions options;
    options.volatility = 0.12;
    options.horizon = 30;
    options.threads = 2;
    for (auto _ : state) {
        SimulatedPaths s = SimulatePaths(p.planner.plan, p.planner.projection, options);
        benchmark::DoNotOptimize(s);
    }
}
BENCHMARK(SimulationPathsOnly_10000Paths)
    ->Unit(benchmark::kMillisecond)
    ->UseRealTime()
    ->MeasureProcessCPUTime();

void FixedReturnSchedule(benchmark::State& state) {
    const Planned& p = planned();
    for (auto _ : state) {
        Schedule s = MakeSchedule(p.planner.plan, p.planner.projection);
        benchmark::DoNotOptimize(s);
    }
}
BENCHMARK(FixedReturnSchedule)->Unit(benchmark::kMicrosecond)->UseRealTime();

}  // namespace

int main(int argc, char** argv) {
    InitArithmetic();
    nestora::bench::RatioReporter reporter;
    if (!reporter.run(argc, argv)) return 1;
    const auto peer = reporter.times("FixedReturnSchedule/real_time");
    for (const char* name : {"Simulation_10000Paths/1/process_time/real_time",
                             "Simulation_10000Paths/2/process_time/real_time"}) {
        const auto o = reporter.times(name);
        if (!o) continue;
        std::printf("%s: %.2f ms wall (%s one frame of 16 ms), %.2f ms CPU", name, o->wall * 1e3,
                    o->wall < 0.016 ? "within" : "beyond", o->cpu * 1e3);
        if (peer && peer->cpu > 0)
            std::printf("; %.0fx the fixed-return schedule (%.1f us CPU)", o->cpu / peer->cpu,
                        peer->cpu * 1e6);
        std::printf("\n");
    }
    const auto plain = reporter.times("Simulation_10000Paths/1/process_time/real_time");
    const auto life = reporter.times("SimulationLifePlan_10000Paths/process_time/real_time");
    if (plain && life && plain->cpu > 0)
        std::printf(
            "With two incomes, a one-off sum and guardrails: %.2f ms CPU against %.2f ms, "
            "%.2fx the plain plan (goal: at most 1.5x)\n",
            life->cpu * 1e3, plain->cpu * 1e3, life->cpu / plain->cpu);
    benchmark::Shutdown();
    return 0;
}
