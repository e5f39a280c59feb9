// SPDX-License-Identifier: MIT
// Display text and parsing of reals, ours beside the C library's, on the same
// values in one run: RealToText against snprintf("%.15Lg"), TextToReal
// against strtold. A summary after the table gives how many times faster ours
// is.
#include <benchmark/benchmark.h>

#include <cstdio>
#include <cstdlib>
#include <random>
#include <string>
#include <vector>

#include "bench/ratio_reporter.h"
#include "number/arith.h"
#include "number/real_to_text.h"
#include "number/text_to_real.h"

namespace {

using nestora::Extended;

// Money and rates as the program shows them, and values across the range.
const std::vector<Extended>& values() {
    static const std::vector<Extended> all = [] {
        std::mt19937_64 random(20240611);
        std::vector<Extended> v;
        for (int i = 0; i < 512; ++i) {
            v.push_back(static_cast<Extended>(random() % 100000000) / 100);   // money
            v.push_back(static_cast<Extended>(random() % 100000) / 1000000);  // rates
        }
        std::uniform_real_distribution<double> exponent(-4900, 4900);
        for (int i = 0; i < 512; ++i) {
            v.push_back(std::pow(10.0L, static_cast<Extended>(exponent(random))) *
                        (1 + static_cast<Extended>(random() % 1000000) / 1000000));
        }
        return v;
    }();
    return all;
}

const std::vector<std::string>& texts() {
    static const std::vector<std::string> all = [] {
        std::vector<std::string> t;
        for (Extended v : values()) t.push_back(nestora::RealToText(v, '.'));
        return t;
    }();
    return all;
}

void RealToText_Ours(benchmark::State& state) {
    const auto& v = values();
    std::size_t i = 0;
    for (auto _ : state) {
        std::string text = nestora::RealToText(v[i], '.');
        benchmark::DoNotOptimize(text);
        if (++i == v.size()) i = 0;
    }
}
BENCHMARK(RealToText_Ours);

void RealToText_Snprintf(benchmark::State& state) {
    const auto& v = values();
    std::size_t i = 0;
    for (auto _ : state) {
        char buffer[64];
        const int length = std::snprintf(buffer, sizeof buffer, "%.15Lg", v[i]);
        std::string text(buffer, static_cast<std::size_t>(length));
        benchmark::DoNotOptimize(text);
        if (++i == v.size()) i = 0;
    }
}
BENCHMARK(RealToText_Snprintf);

void TextToReal_Ours(benchmark::State& state) {
    const auto& t = texts();
    std::size_t i = 0;
    for (auto _ : state) {
        nestora::RealParse parsed = nestora::TextToReal(t[i]);
        benchmark::DoNotOptimize(parsed);
        if (++i == t.size()) i = 0;
    }
}
BENCHMARK(TextToReal_Ours);

void TextToReal_Strtold(benchmark::State& state) {
    const auto& t = texts();
    std::size_t i = 0;
    for (auto _ : state) {
        Extended value = std::strtold(t[i].c_str(), nullptr);
        benchmark::DoNotOptimize(value);
        if (++i == t.size()) i = 0;
    }
}
BENCHMARK(TextToReal_Strtold);

// Processor time rather than wall time, so that other work on the machine
// weighs less.
void printRatio(const nestora::bench::RatioReporter& reporter, const char* ours, const char* peer) {
    if (const auto r = reporter.ratio(peer, ours))
        std::printf("%-20s is %5.1fx as fast as %s\n", ours, *r, peer);
}

}  // namespace

int main(int argc, char** argv) {
    nestora::InitArithmetic();
    nestora::bench::RatioReporter reporter;
    if (!reporter.run(argc, argv)) return 1;
    printRatio(reporter, "RealToText_Ours", "RealToText_Snprintf");
    printRatio(reporter, "TextToReal_Ours", "TextToReal_Strtold");
    benchmark::Shutdown();
    return 0;
}
