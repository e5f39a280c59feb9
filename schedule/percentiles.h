// SPDX-License-Identifier: MIT
// The 10th, 50th and 90th percentiles of a row of values, each between the
// two order statistics around it: with the values sorted x(0) ≤ … ≤ x(N−1),
// the p-th percentile is x(⌊h⌋) + (h − ⌊h⌋)·(x(⌊h⌋+1) − x(⌊h⌋)) with
// h = (N − 1)·p. For 10,000 values the median is halfway between x(4999)
// and x(5000), the 10th percentile is x(999) + 0.9·(x(1000) − x(999)).
// Equal values give that value; one value is all three percentiles.
#pragma once

#include <span>

namespace nestora {

struct Percentiles {
    double p10 = 0;
    double p50 = 0;
    double p90 = 0;
};

// May reorder `values`. An empty row gives zeros. A long row of
// non-negative values (balances) goes by buckets of their bit patterns in
// three passes; others by selection in place. Both give the same order
// statistics, so the same percentiles to the last bit.
Percentiles TakePercentiles(std::span<double> values);

}  // namespace nestora
