// SPDX-License-Identifier: MIT
#include <gtest/gtest.h>

#include <bit>
#include <cmath>
#include <cstdint>
#include <limits>

#include "fault_matchers.h"
#include "number/errors.h"
#include "number/real_to_text.h"
#include "number/round_to_power.h"

namespace nestora {
namespace {

struct RoundRow {
    double value;
    int digit;
    double result;
    const char* text;  // RealToText of the result
};

TEST(RoundToPower, TiesGoToEvenAtBothDigitPositions) {
    const RoundRow rows[] = {
        {2.5, 0, 2, "2"},
        {3.5, 0, 4, "4"},
        {-2.5, 0, -2, "-2"},
        {0.5, 0, 0, "0"},
        {1234.5, 0, 1234, "1234"},
        {1235.5, 0, 1236, "1236"},
        {-0.4, 0, 0, "0"},
        {8.5, -2, 8.5, "8.5"},
        {12.3456, -2, 12.35, "12.35"},
        {2.675, -2, 2.67, "2.67"},  // the double nearest 2.675 lies below it
        {2.345, -2, 2.35, "2.35"},  // the double nearest 2.345 lies above it
        {0.125, -2, 0.12, "0.12"},
        {3.0, -2, 3, "3"},
        {12.345, -2, 12.35, "12.35"},
        // The quotient is taken by the double nearest 0.01, in extended.
        {618.485, -2, 618.49, "618.49"},
        {2500, 3, 2000, "2000"},
        {1234567, 2, 1234600, "1234600"},
    };
    for (const RoundRow& row : rows) {
        const double result = RoundToPower(row.value, row.digit);
        EXPECT_EQ(result, row.result) << row.value << " at " << row.digit;
        EXPECT_EQ(RealToText(result, '.'), row.text) << row.value << " at " << row.digit;
    }
}

TEST(RoundToPower, ProductOfTheInexactFactorIsRoundedToDouble) {
    // 812 × (the double nearest 0.01) lies above 8.12 by more than half a
    // step: the result is the double after the one nearest 8.12.
    const double result = RoundToPower(8.125, -2);
    EXPECT_EQ(result, std::nextafter(8.12, 100.0));
    EXPECT_EQ(RealToText(result, '.'), "8.12");
}

TEST(RoundToPower, WholeMultipleMustFitSixtyFourBits) {
    constexpr double two63 = 0x1p63;
    EXPECT_EQ(RoundToPower(-two63, 0), -two63);
    EXPECT_EQ(RoundToPower(std::nextafter(two63, 0.0), 0), std::nextafter(two63, 0.0));
    EXPECT_FAULT(RoundToPower(two63, 0), EInvalidOp, "Invalid floating point operation");
    EXPECT_FAULT(RoundToPower(-two63 - 2048.0, 0), EInvalidOp, "Invalid floating point operation");
    EXPECT_FAULT(RoundToPower(1e300, 0), EInvalidOp, "Invalid floating point operation");
    // At digit -2 the quotient is a hundred times larger.
    EXPECT_FAULT(RoundToPower(1e17, -2), EInvalidOp, "Invalid floating point operation");
    EXPECT_FAULT(RoundToPower(std::numeric_limits<double>::infinity(), 0), EInvalidOp,
                 "Invalid floating point operation");
    EXPECT_FAULT(RoundToPower(-std::numeric_limits<double>::infinity(), -2), EInvalidOp,
                 "Invalid floating point operation");
    EXPECT_FAULT(RoundToPower(std::numeric_limits<double>::quiet_NaN(), 0), EInvalidOp,
                 "Invalid floating point operation");
}

// Rows computed by tests/data/number_text_oracle.py, which replays every
// step with exact rational arithmetic.
struct RoundingOracleRow {
    std::uint64_t value;
    int digit;
    bool invalid;
    std::uint64_t result;
};

constexpr RoundingOracleRow kRoundingOracle[] = {
#define ROUND_TO_POWER_ROW(value, digit, invalid, result) {value, digit, invalid, result},
#include "data/number_text_oracle.inc"
#undef ROUND_TO_POWER_ROW
};

TEST(RoundToPower, AgreesWithTheExactOracle) {
    for (const RoundingOracleRow& row : kRoundingOracle) {
        const double value = std::bit_cast<double>(row.value);
        SCOPED_TRACE(::testing::Message() << "oracle row " << value << " at " << row.digit);
        if (row.invalid) {
            EXPECT_FAULT(RoundToPower(value, row.digit), EInvalidOp,
                         "Invalid floating point operation");
        } else {
            EXPECT_EQ(std::bit_cast<std::uint64_t>(RoundToPower(value, row.digit)), row.result)
                << value << " at " << row.digit;
        }
    }
}

}  // namespace
}  // namespace nestora
