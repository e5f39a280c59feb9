// SPDX-License-Identifier: MIT
#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <random>
#include <utility>
#include <vector>

#include "schedule/percentiles.h"

namespace nestora {
namespace {

// The same definition by a full sort: x(⌊h⌋) + (h − ⌊h⌋)·(x(⌊h⌋+1) − x(⌊h⌋)).
double SortedPercentile(std::vector<double> values, double p) {
    std::sort(values.begin(), values.end());
    const double h = static_cast<double>(values.size() - 1) * p;
    const auto k = static_cast<std::size_t>(std::floor(h));
    if (k + 1 >= values.size()) return values[k];
    return values[k] + (h - std::floor(h)) * (values[k + 1] - values[k]);
}

TEST(PercentilesTest, WorkedRows) {
    struct Row {
        const char* name;
        std::vector<double> values;
        Percentiles expected;
    };
    const Row rows[] = {
        {"OneValue", {7}, {7, 7, 7}},
        {"TwoValues", {10, 0}, {1, 5, 9}},
        {"OneToTen", {10, 3, 7, 1, 9, 2, 8, 5, 4, 6}, {1.9, 5.5, 9.1}},
        {"AllEqual", {4, 4, 4, 4, 4}, {4, 4, 4}},
        {"RunOutPathsAreZeros", {0, 0, 0, 0, 0, 0, 0, 0, 100, 200}, {0, 0, 110}},
    };
    for (const Row& row : rows) {
        std::vector<double> values = row.values;
        const Percentiles p = TakePercentiles(values);
        EXPECT_DOUBLE_EQ(p.p10, row.expected.p10) << row.name;
        EXPECT_DOUBLE_EQ(p.p50, row.expected.p50) << row.name;
        EXPECT_DOUBLE_EQ(p.p90, row.expected.p90) << row.name;
    }
    EXPECT_EQ(TakePercentiles({}).p50, 0);
}

// Rows of every small length and of the simulation's lengths, drawn from
// several kinds of rows, against the full sort: the selection and the
// buckets must find the right neighbours.
TEST(PercentilesTest, AgreesWithAFullSort) {
    std::mt19937_64 random(12);
    using Draw = double (*)(std::mt19937_64&);
    const std::pair<const char*, Draw> kinds[] = {
        {"FewDistinct", [](std::mt19937_64& g) { return double(g() % 4); }},
        {"ManyDistinct", [](std::mt19937_64& g) { return double(g() % 1000000); }},
        {"BalancesWithRunOutPaths",
         [](std::mt19937_64& g) {
             return g() % 10 < 4 ? 0.0 : std::exp(std::normal_distribution<>(11, 0.6)(g));
         }},
        {"TinyLeftovers",
         [](std::mt19937_64& g) {
             return g() % 2 ? 1e-300 * double(g() % 7) : double(g() % 1000);
         }},
        {"Negative", [](std::mt19937_64& g) { return double(g() % 2001) - 1000; }},
        {"WithInfinity",
         [](std::mt19937_64& g) { return g() % 500 == 0 ? HUGE_VAL : double(g() % 100); }},
    };
    std::vector<std::size_t> lengths;
    for (std::size_t n = 1; n <= 40; ++n) lengths.push_back(n);
    lengths.insert(lengths.end(), {1000, 2047, 2048, 2049, 10000, 10001});
    for (const auto& [kind, draw] : kinds) {
        for (const std::size_t n : lengths) {
            std::vector<double> values(n);
            for (double& v : values) v = draw(random);
            std::vector<double> work = values;
            const Percentiles p = TakePercentiles(work);
            EXPECT_EQ(p.p10, SortedPercentile(values, 0.1)) << kind << ", " << n << " values";
            EXPECT_EQ(p.p50, SortedPercentile(values, 0.5)) << kind << ", " << n << " values";
            EXPECT_EQ(p.p90, SortedPercentile(values, 0.9)) << kind << ", " << n << " values";
        }
    }
}

}  // namespace
}  // namespace nestora
