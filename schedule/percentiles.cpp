// SPDX-License-Identifier: MIT
#include "schedule/percentiles.h"

#include <algorithm>
#include <cmath>
#include <cstddef>

namespace nestora {

namespace {

struct Rank {
    std::size_t k;    // ⌊h⌋
    double fraction;  // h − ⌊h⌋
};

Rank RankOf(std::size_t count, double p) {
    const double h = static_cast<double>(count - 1) * p;
    const double whole = std::floor(h);
    return {static_cast<std::size_t>(whole), h - whole};
}

// x(k) + fraction·(x(k+1) − x(k)), where x(k) is in place at `at` and
// x(k+1) is the smallest value of [at + 1, end).
double Between(const double* at, const double* end, double fraction) {
    if (fraction == 0 || at + 1 >= end) return *at;
    const double next = *std::min_element(at + 1, end);
    return *at + fraction * (next - *at);
}

}  // namespace

Percentiles TakePercentiles(std::span<double> values) {
    const std::size_t count = values.size();
    if (count == 0) return {};
    double* const first = values.data();
    double* const last = first + count;
    const Rank r10 = RankOf(count, 0.1);
    const Rank r50 = RankOf(count, 0.5);
    const Rank r90 = RankOf(count, 0.9);

    // The median first; then the 10th among the values at or below it and
    // the 90th among those at or above it.
    double* const m = first + r50.k;
    std::nth_element(first, m, last);
    double* const lo = first + r10.k;
    std::nth_element(first, lo, m);
    double* const hi = first + r90.k;
    if (hi > m) std::nth_element(m + 1, hi, last);

    // Every value past a selected place is at least its value, and every
    // value past the next selected place is at least that one's: x(k + 1)
    // is the smallest value from k + 1 up to the next selected place.
    const auto endAfter = [&](const double* at) -> const double* {
        for (const double* next : {m, hi})
            if (next > at) return next + 1;
        return last;
    };
    Percentiles out;
    out.p10 = Between(lo, endAfter(lo), r10.fraction);
    out.p50 = Between(m, endAfter(m), r50.fraction);
    out.p90 = Between(hi, last, r90.fraction);
    return out;
}

}  // namespace nestora
