// SPDX-License-Identifier: MIT
#include <gtest/gtest.h>

#include <cstdint>

#include "extended_bits.h"
#include "number/decimal_digits.h"

namespace nestora {
namespace {

using testing::ExtendedFromFields;

TEST(BinaryExponent, ReadsNormalsAndDenormalsFromTheBits) {
    EXPECT_EQ(BinaryExponent(1.0L), 0);
    EXPECT_EQ(BinaryExponent(0.75L), -1);
    EXPECT_EQ(BinaryExponent(1024.0L), 10);
    EXPECT_EQ(BinaryExponent(ExtendedFromFields(false, 32766, ~0ull)), 16383);
    // Denormals: the top set bit of the significand decides.
    EXPECT_EQ(BinaryExponent(ExtendedFromFields(false, 0, 1ull << 62)), -16383);
    EXPECT_EQ(BinaryExponent(ExtendedFromFields(false, 0, 1)), -16445);
    EXPECT_EQ(ExponentField(ExtendedFromFields(true, 0, 1)), 0);
}

TEST(DecimalExponent, ExactFloorAndTheDisplaysGuessAgreeWhereTheRatioIsCloseEnough) {
    EXPECT_EQ(FloorLog10OfPow2(0), 0);
    EXPECT_EQ(FloorLog10OfPow2(10), 3);    // 1024
    EXPECT_EQ(FloorLog10OfPow2(-1), -1);   // 0.5
    EXPECT_EQ(FloorLog10OfPow2(-10), -4);  // 0.000976…
    EXPECT_EQ(FloorLog10OfPow2(16383), 4931);
    EXPECT_EQ(FloorLog10OfPow2(-16445), -4951);
    // 8.5 = 0.85 × 10^1 with e = 3; 0.05 = 0.5 × 10^-1 with e = -5.
    EXPECT_EQ(DisplayExponentGuess(3), 1);
    EXPECT_EQ(DisplayExponentGuess(-5), -1);
}

struct CutRow {
    std::uint64_t whole;
    int dropped;
    std::uint64_t fifteen;
    int exponentStep;  // how much the decimal exponent moves
};

TEST(FifteenDigitsHalfUp, FirstDroppedDigitDecidesAndTheCarryMovesTheExponent) {
    const CutRow rows[] = {
        {123456789012345678ull, 3, 123456789012346ull, 0},
        {123456789012345499ull, 3, 123456789012345ull, 0},  // 4 then 9s: down
        {123456789012345500ull, 3, 123456789012346ull, 0},  // half: up
        {1234567890123454ull, 1, 123456789012345ull, 0},
        {1234567890123455ull, 1, 123456789012346ull, 0},
        {1234567890123454999ull, 4, 123456789012345ull, 0},
        {1234567890123455000ull, 4, 123456789012346ull, 0},
        {999999999999999500ull, 3, 100000000000000ull, 1},
        {999999999999999499ull, 3, 999999999999999ull, 0},
    };
    for (const CutRow& row : rows) {
        int exponent = 7;
        EXPECT_EQ(FifteenDigitsHalfUp(row.whole, row.dropped, exponent), row.fifteen)
            << row.whole << " dropping " << row.dropped;
        EXPECT_EQ(exponent, 7 + row.exponentStep) << row.whole;
    }
}

}  // namespace
}  // namespace nestora
