// SPDX-License-Identifier: MIT
// The 23-character real item beside the C library's "%.14LE" on the same
// values (money, rates, and values over the whole extended range), in one run;
// the last line gives how many times faster the item is.
#include <benchmark/benchmark.h>

#include <cmath>
#include <cstdio>
#include <cstring>
#include <random>
#include <string>
#include <vector>

#include "bench/ratio_reporter.h"
#include "number/arith.h"
#include "number/real_item.h"

namespace {

using nestora::Extended;

std::vector<Extended> Values() {
    std::mt19937_64 random(20240611);
    std::vector<Extended> values;
    std::uniform_real_distribution<double> money(0, 2e6);
    std::uniform_real_distribution<double> rate(0, 0.3);
    std::uniform_real_distribution<double> exponent(-4900, 4900);
    for (int i = 0; i < 1024; ++i) {
        switch (i % 3) {
            case 0:
                values.push_back(static_cast<Extended>(money(random)));
                break;
            case 1:
                values.push_back(static_cast<Extended>(rate(random)));
                break;
            default:
                values.push_back(std::pow(10.0L, static_cast<Extended>(exponent(random))));
        }
    }
    return values;
}

const std::vector<Extended>& TheValues() {
    static const std::vector<Extended> values = Values();
    return values;
}

void RealItem(benchmark::State& state) {
    const auto& values = TheValues();
    char out[nestora::RealItemLength];
    std::size_t i = 0;
    for (auto _ : state) {
        nestora::FormatRealItem(values[i++ & 1023], out);
        benchmark::DoNotOptimize(out);
        benchmark::ClobberMemory();
    }
}
BENCHMARK(RealItem);

void RealItemText(benchmark::State& state) {
    const auto& values = TheValues();
    std::size_t i = 0;
    for (auto _ : state) {
        std::string text = nestora::RealItemText(values[i++ & 1023]);
        benchmark::DoNotOptimize(text);
    }
}
BENCHMARK(RealItemText);

void Snprintf(benchmark::State& state) {
    const auto& values = TheValues();
    char out[40];
    std::size_t i = 0;
    for (auto _ : state) {
        std::snprintf(out, sizeof out, "%.14LE", values[i++ & 1023]);
        benchmark::DoNotOptimize(out);
        benchmark::ClobberMemory();
    }
}
BENCHMARK(Snprintf);

}  // namespace

int main(int argc, char** argv) {
    nestora::InitArithmetic();
    benchmark::Initialize(&argc, argv);
    nestora::bench::RatioReporter reporter;
    benchmark::RunSpecifiedBenchmarks(&reporter);
    if (const auto r = reporter.ratio("Snprintf", "RealItem", true))
        std::printf("snprintf(\"%%.14LE\") / FormatRealItem: %.1fx\n", *r);
    if (const auto r = reporter.ratio("Snprintf", "RealItemText", true))
        std::printf("snprintf(\"%%.14LE\") / RealItemText:   %.1fx\n", *r);
    benchmark::Shutdown();
    return 0;
}
