// SPDX-License-Identifier: MIT
#include <gtest/gtest.h>

#include <cmath>
#include <cstdint>
#include <vector>

#include "schedule/normal_deviates.h"
#include "schedule/simulation.h"

namespace nestora {
namespace {

TEST(NormalDeviatesTest, GeneratorIsThePublishedPcg32) {
    // The first outputs of the seed 42, stream 54 example of the generator's
    // own documentation: a different header or engine fails here first.
    pcg32 rng(42u, 54u);
    const std::uint32_t expected[] = {0xa15c02b7, 0x7b47f409, 0xba1d3330,
                                      0x83d2f293, 0xbfa4784b, 0xcbed606e};
    for (const std::uint32_t value : expected) EXPECT_EQ(rng(), value);
}

TEST(NormalDeviatesTest, UniformIsExactAndInRange) {
    // Two outputs, the first as the high half, top 53 bits, scaled to [-1, 1).
    pcg32 a(DefaultSeed);
    pcg32 b(DefaultSeed);
    const std::uint64_t bits = ((std::uint64_t{b()} << 32) | b()) >> 11;
    EXPECT_EQ(SignedUniform(a), std::ldexp(static_cast<double>(bits), -52) - 1);
    for (int k = 0; k < 100000; ++k) {
        const double u = SignedUniform(a);
        ASSERT_GE(u, -1.0);
        ASSERT_LT(u, 1.0);
    }
}

// The first deviates of the default seed's stream. Any standard library
// gives these; a math library whose log differs in the last bit moves them
// by an ulp or two, which the comparison allows.
TEST(NormalDeviatesTest, PinnedDeviatesForTheDefaultSeed) {
    NormalDeviates normal{pcg32(DefaultSeed)};
    const double expected[] = {-1.3622219720557789, -0.3419976951882453,  0.056885970739818797,
                               -1.4550715392577176, -0.37568763777266651, 1.3866973334138344};
    for (const double value : expected) EXPECT_DOUBLE_EQ(normal.next(), value);
}

// Moments and shape of many deviates against their standard errors; each
// check is four standard errors wide, so a correct transform fails it about
// once in 16,000 seeds, and this seed is fixed.
TEST(NormalDeviatesTest, MomentsTailAndPairsMatchTheNormal) {
    constexpr int Count = 400000;
    NormalDeviates normal{pcg32(7)};
    std::vector<double> x(Count);
    for (double& value : x) value = normal.next();

    double sum = 0;
    double squares = 0;
    double cubes = 0;
    double fourths = 0;
    int beyond196 = 0;
    double pairProducts = 0;  // first × second of each pair
    double lagProducts = 0;   // second of a pair × first of the next
    for (int k = 0; k < Count; ++k) {
        const double v = x[static_cast<std::size_t>(k)];
        sum += v;
        squares += v * v;
        cubes += v * v * v;
        fourths += v * v * v * v;
        beyond196 += std::fabs(v) > 1.959963984540054;
        if (k + 1 < Count) {
            const double product = v * x[static_cast<std::size_t>(k) + 1];
            (k % 2 == 0 ? pairProducts : lagProducts) += product;
        }
    }
    const double n = Count;
    const double se = 1 / std::sqrt(n);
    EXPECT_NEAR(sum / n, 0, 4 * se);                        // mean 0
    EXPECT_NEAR(squares / n, 1, 4 * std::sqrt(2.0) * se);   // variance 1
    EXPECT_NEAR(cubes / n, 0, 4 * std::sqrt(15.0) * se);    // skew 0
    EXPECT_NEAR(fourths / n, 3, 4 * std::sqrt(96.0) * se);  // kurtosis 3
    EXPECT_NEAR(beyond196 / n, 0.05, 4 * std::sqrt(0.05 * 0.95) * se);
    // The two deviates of a pair, and neighbours across pairs, are independent.
    EXPECT_NEAR(pairProducts / (n / 2), 0, 4 * std::sqrt(2.0) * se);
    EXPECT_NEAR(lagProducts / (n / 2), 0, 4 * std::sqrt(2.0) * se);
}

}  // namespace
}  // namespace nestora
