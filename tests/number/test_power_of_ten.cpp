// SPDX-License-Identifier: MIT
#include <gtest/gtest.h>

#include <climits>
#include <cmath>
#include <cstdint>
#include <limits>

#include "extended_bits.h"
#include "fault_matchers.h"
#include "number/errors.h"
#include "number/power_of_ten.h"

namespace nestora {
namespace {

using testing::ImageOf;

struct TableRow {
    int power;
    std::uint64_t significand;
    int exponent;
};

// The constants as tests/data/power_of_ten_tables.py computes them exactly.
constexpr TableRow kExpected[] = {
#include "data/power_of_ten_expected.inc"
};

TEST(PowerOfTen, TablesHoldTheNearestExtendedPowers) {
    // 1 × a table factor is the factor itself, so scaling 1 by each power
    // that one table holds reads that table entry.
    for (const TableRow& row : kExpected) {
        const Extended expected = testing::ExtendedFromFields(
            false, static_cast<unsigned>(16383 + 63 + row.exponent), row.significand);
        EXPECT_EQ(ImageOf(ScaleByPowerOfTen(1.0L, row.power)), ImageOf(expected))
            << "10^" << row.power;
    }
}

TEST(PowerOfTen, FactorsApplyInOrderEachRounded) {
    // 10^4932 is 10^4 × 10^320 × 10^4608, in that order; the largest power
    // that fits the range.
    EXPECT_EQ(ImageOf(ScaleByPowerOfTen(1.0L, 4932)), "7FFED72CB2A95C7EF6CD");
    // Dividing: 1E-30 is 1 / 10^30 rounded once, one unit below the nearest.
    EXPECT_EQ(ImageOf(ScaleByPowerOfTen(1.0L, -30)), "3F9BA2425FF75E14FC31");
    // Up to 10^27 the factors are exact, so one step is correctly rounded.
    EXPECT_EQ(ScaleByPowerOfTen(1.0L, -1), 0.1L);
    EXPECT_EQ(ScaleByPowerOfTen(3.0L, -27), 3e-27L);
    EXPECT_EQ(ScaleByPowerOfTen(-7.0L, 20), -7e20L);
}

TEST(PowerOfTen, ZeroPowerAndSpecialValuesPassUnchanged) {
    constexpr Extended inf = std::numeric_limits<Extended>::infinity();
    EXPECT_EQ(ScaleByPowerOfTen(8.5L, 0), 8.5L);
    EXPECT_TRUE(fp::signBit(ScaleByPowerOfTen(-0.0L, 300)));
    EXPECT_EQ(ScaleByPowerOfTen(inf, -4000), inf);
    EXPECT_TRUE(fp::isNan(ScaleByPowerOfTen(std::numeric_limits<Extended>::quiet_NaN(), 7)));
}

TEST(PowerOfTen, OverflowRaisesUnderflowIsSilent) {
    EXPECT_FAULT(ScaleByPowerOfTen(1.0L, 4933), EOverflow, "Floating point overflow");
    EXPECT_FAULT(ScaleByPowerOfTen(std::numeric_limits<Extended>::max(), 1), EOverflow,
                 "Floating point overflow");
    const Extended denormal = ScaleByPowerOfTen(1.0L, -4940);
    EXPECT_TRUE(testing::IsDenormal(denormal));
    EXPECT_EQ(ScaleByPowerOfTen(1.0L, -5000), 0.0L);
}

TEST(PowerOfTen, PowersBeyondTheTablesStayInBounds) {
    // Nothing in the program asks for |n| >= 5120, but such a call must not
    // read past the tables: the surplus is applied in steps of 10^4608.
    const Extended tiny = std::numeric_limits<Extended>::denorm_min();  // about 3.6452E-4951
    const Extended scaled = ScaleByPowerOfTen(tiny, 5120);
    EXPECT_NEAR(fp::toDouble(fp::div(scaled, 3.6451995318824746025e169L)), 1.0, 1e-15);
    EXPECT_EQ(ScaleByPowerOfTen(1.0L, INT_MIN), 0.0L);
    EXPECT_EQ(ScaleByPowerOfTen(0.0L, INT_MAX), 0.0L);
    EXPECT_FAULT(ScaleByPowerOfTen(1.0L, INT_MAX), EOverflow, "Floating point overflow");
}

}  // namespace
}  // namespace nestora
