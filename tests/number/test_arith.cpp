// SPDX-License-Identifier: MIT
#include <gtest/gtest.h>

#include <cmath>
#include <limits>

#include "fault_matchers.h"
#include "number/arith.h"
#include "number/errors.h"

namespace nestora {
namespace {

constexpr Extended inf = std::numeric_limits<Extended>::infinity();
constexpr Extended maxExt = std::numeric_limits<Extended>::max();
constexpr Extended minDenormal = std::numeric_limits<Extended>::denorm_min();

TEST(Arith, TheThreeFaultsCarryTheirMessages) {
    EXPECT_FAULT(fp::mul(0.0L, inf), EInvalidOp, "Invalid floating point operation");
    EXPECT_FAULT(fp::sub(inf, inf), EInvalidOp, "Invalid floating point operation");
    EXPECT_FAULT(fp::div(0.0L, 0.0L), EInvalidOp, "Invalid floating point operation");
    EXPECT_FAULT(fp::div(inf, inf), EInvalidOp, "Invalid floating point operation");
    EXPECT_FAULT(fp::div(1.0L, 0.0L), EZeroDivide, "Floating point division by zero");
    EXPECT_FAULT(fp::div(-3.0L, -0.0L), EZeroDivide, "Floating point division by zero");
    EXPECT_FAULT(fp::mul(maxExt, 2.0L), EOverflow, "Floating point overflow");
    EXPECT_FAULT(fp::add(maxExt, maxExt), EOverflow, "Floating point overflow");
    EXPECT_FAULT(fp::div(maxExt, 0.5L), EOverflow, "Floating point overflow");
    EXPECT_FAULT(fp::ln(-1.0L), EInvalidOp, "Invalid floating point operation");
    EXPECT_FAULT(fp::ln(0.0L), EZeroDivide, "Floating point division by zero");
}

TEST(Arith, InfinitiesAndUnderflowPassSilently) {
    EXPECT_EQ(fp::mul(inf, 2.0L), inf);  // an infinite operand is no overflow
    EXPECT_EQ(fp::div(inf, 0.0L), inf);
    EXPECT_EQ(fp::add(inf, 1.0L), inf);
    EXPECT_EQ(fp::ln(inf), inf);
    EXPECT_EQ(fp::mul(minDenormal, 0.5L), 0.0L);        // underflow to zero
    EXPECT_EQ(fp::div(1.0L, 0x1p16383L), 0x1p-16383L);  // a denormal result
    EXPECT_EQ(fp::toDouble(inf), std::numeric_limits<double>::infinity());
}

TEST(Arith, RoundingToWholeNumbersTiesToEven) {
    EXPECT_EQ(fp::roundToInt64(2.5L), 2);
    EXPECT_EQ(fp::roundToInt64(3.5L), 4);
    EXPECT_EQ(fp::roundToInt64(-2.5L), -2);
    EXPECT_EQ(fp::truncToInt64(26.999L), 26);
    EXPECT_EQ(fp::truncToInt64(-26.999L), -26);
    EXPECT_EQ(fp::roundToInt64(-0x1p63L), std::numeric_limits<std::int64_t>::min());
    EXPECT_EQ(fp::truncToInt64(0x1p63L - 1), std::numeric_limits<std::int64_t>::max());
}

TEST(Arith, WholeNumbersOutsideSixtyFourBitsAreInvalid) {
    EXPECT_FAULT(fp::roundToInt64(0x1p63L), EInvalidOp, "Invalid floating point operation");
    EXPECT_FAULT(fp::roundToInt64(0x1p63L - 0.5L), EInvalidOp,
                 "Invalid floating point operation");  // rounds up to 2^63
    EXPECT_FAULT(fp::truncToInt64(-0x1p63L - 1), EInvalidOp, "Invalid floating point operation");
    EXPECT_FAULT(fp::truncToInt64(inf), EInvalidOp, "Invalid floating point operation");
    EXPECT_FAULT(fp::roundToInt64(std::numeric_limits<Extended>::quiet_NaN()), EInvalidOp,
                 "Invalid floating point operation");
}

TEST(Arith, DoublesBeyondTheirRangeOverflow) {
    EXPECT_FAULT(fp::toDouble(1e309L), EOverflow, "Floating point overflow");
    EXPECT_EQ(fp::toDouble(0.1L), 0.1);     // nearest double of the extended 0.1
    EXPECT_EQ(fp::toDouble(1e-400L), 0.0);  // underflow is silent
}

}  // namespace
}  // namespace nestora
