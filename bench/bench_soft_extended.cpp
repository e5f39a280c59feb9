// SPDX-License-Identifier: MIT
// The software extended type beside the x87 type in one run: the planner's
// calculate and the number routines, each built once with either type. The
// closing lines give how many times slower the software side is (by processor
// time, which a busy machine disturbs less than the clock), and what a
// calculate costs against a frame of a 60 Hz display.
#include <benchmark/benchmark.h>

#include <cstdio>
#include <string>
#include <vector>

#include "bench/ratio_reporter.h"

#define NESTORA_SIDE nestora
#include "extended_side.h"
#undef NESTORA_SIDE
#define NESTORA_SIDE nestora_soft
#include "extended_side.h"
#undef NESTORA_SIDE

namespace {

template <std::size_t (*Routine)(std::size_t)>
void Measure(benchmark::State& state) {
    std::size_t i = 0;
    std::size_t sink = 0;
    for (auto _ : state) sink += Routine(i++);
    benchmark::DoNotOptimize(sink);
}

#define BOTH_SIDES(name)                                          \
    BENCHMARK(Measure<nestora::bench::name>)->Name("x87/" #name); \
    BENCHMARK(Measure<nestora_soft::bench::name>)->Name("software/" #name)

BOTH_SIDES(Calculate);
BOTH_SIDES(TextToRealOnce);
BOTH_SIDES(RealToTextOnce);
BOTH_SIDES(RealItemOnce);
BOTH_SIDES(ArithmeticOnce);
BOTH_SIDES(LnOnce);

}  // namespace

int main(int argc, char** argv) {
    nestora::bench::Prepare();
    nestora_soft::bench::Prepare();
    benchmark::Initialize(&argc, argv);
    nestora::bench::RatioReporter reporter;
    benchmark::RunSpecifiedBenchmarks(&reporter);
    for (const char* name : {"Calculate", "TextToRealOnce", "RealToTextOnce", "RealItemOnce",
                             "ArithmeticOnce", "LnOnce"}) {
        if (const auto r =
                reporter.ratio(std::string("software/") + name, std::string("x87/") + name))
            std::printf("software / x87, %-15s %.1fx\n", name, *r);
    }
    if (const auto calculate = reporter.times("software/Calculate")) {
        // A frame at 60 Hz lasts 16.7 ms.
        std::printf("software calculate: %.1f us, %.4f %% of a 60 Hz frame\n", calculate->cpu * 1e6,
                    calculate->cpu / 16.7e-3 * 100);
    }
    benchmark::Shutdown();
    return 0;
}
