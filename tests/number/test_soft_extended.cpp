// SPDX-License-Identifier: MIT
// The software extended type's rounding, in every build: a few operations
// whose exact result lies on a tie or carries out of the 64-bit significand,
// with the bits the x87 unit gives for them. The bit-for-bit run compares
// millions of random pairs; these rows name the cases a slip would break.
#include <gtest/gtest.h>

#include <cstdint>
#include <functional>
#include <ios>

#include "number/soft_extended.h"

namespace nestora {
namespace {

constexpr unsigned kOne = 16383;  // the exponent field of [1, 2)
constexpr std::uint64_t kLead = 1ull << 63;

// 2^power × significand / 2^63, positive.
constexpr SoftExtended Bits(int power, std::uint64_t significand) {
    return SoftExtended::fromFields(false, static_cast<unsigned>(static_cast<int>(kOne) + power),
                                    significand);
}
constexpr SoftExtended PowerOfTwo(int power) { return Bits(power, kLead); }

struct RoundingRow {
    const char* what;
    std::function<SoftExtended(SoftExtended, SoftExtended)> op;
    SoftExtended a;
    SoftExtended b;
    SoftExtended expected;
};

const RoundingRow kRoundingRows[] = {
    {"a tie below an even last bit stays: 1 + 2^-64 = 1", soft::add, PowerOfTwo(0), PowerOfTwo(-64),
     PowerOfTwo(0)},
    {"a tie below an odd last bit rounds up to even", soft::add, Bits(0, kLead | 1),
     PowerOfTwo(-64), Bits(0, kLead | 2)},
    {"just above the tie rounds up", soft::add, PowerOfTwo(0), Bits(-64, kLead | 1),
     Bits(0, kLead | 1)},
    {"just below the tie rounds down", soft::add, Bits(0, kLead | 1), Bits(-65, ~0ull),
     Bits(0, kLead | 1)},
    {"a tie that carries out of the significand: (2 - 2^-63) + 2^-64 = 2", soft::add,
     Bits(0, ~0ull), PowerOfTwo(-64), PowerOfTwo(1)},
    {"a difference that rounds up into the next binade: 1 - 2^-65 = 1", soft::sub, PowerOfTwo(0),
     PowerOfTwo(-65), PowerOfTwo(0)},
    {"a product on a tie stays even: (1 + 2^-32)^2 = 1 + 2^-31", soft::mul,
     Bits(0, kLead | (1ull << 31)), Bits(0, kLead | (1ull << 31)), Bits(0, kLead | (1ull << 32))},
    {"a product that carries out: (2 - 2^-63)(1 + 2^-63) = 2", soft::mul, Bits(0, ~0ull),
     Bits(0, kLead | 1), PowerOfTwo(1)},
    {"a carry past the largest value is an infinity", soft::add, Bits(16383, ~0ull),
     PowerOfTwo(16383 - 64), SoftExtended::fromFields(false, 0x7FFF, kLead)},
    {"a denormal quotient on a tie rounds to even: 3 × 2^-16445 / 2 = 2 × 2^-16445", soft::div,
     SoftExtended::fromFields(false, 0, 3), PowerOfTwo(1), SoftExtended::fromFields(false, 0, 2)},
    {"half the smallest denormal is a tie that rounds to 0", soft::div,
     SoftExtended::fromFields(false, 0, 1), PowerOfTwo(1), SoftExtended::fromFields(false, 0, 0)},
};

testing::AssertionResult SameBits(SoftExtended got, SoftExtended expected) {
    if (got.signBit() == expected.signBit() && got.exponentField() == expected.exponentField() &&
        got.significand() == expected.significand())
        return testing::AssertionSuccess();
    return testing::AssertionFailure()
           << std::hex << "got field " << got.exponentField() << " significand "
           << got.significand() << ", expected field " << expected.exponentField()
           << " significand " << expected.significand();
}

TEST(SoftExtendedRounding, TiesGoToEvenAndCarriesMoveTheExponent) {
    for (const RoundingRow& row : kRoundingRows)
        EXPECT_TRUE(SameBits(row.op(row.a, row.b), row.expected)) << row.what;
}

struct DoubleRow {
    const char* what;
    SoftExtended value;
    double expected;
};

const DoubleRow kDoubleRows[] = {
    {"a tie below an even last bit stays: 1 + 2^-53", Bits(0, kLead | (1ull << 10)), 1.0},
    {"a tie below an odd last bit rounds up", Bits(0, kLead | (3ull << 10)), 1.0 + 0x1p-51},
    {"just above the tie rounds up", Bits(0, kLead | (1ull << 10) | 1), 1.0 + 0x1p-52},
    {"a tie that carries out of 53 bits: 2 - 2^-53 = 2", Bits(0, ~0ull >> 10 << 10), 2.0},
    {"a denormal tie goes to even: 2^-1075 = 0", PowerOfTwo(-1075), 0.0},
    {"above the denormal tie: 3 × 2^-1076 = 2^-1074", Bits(-1075, kLead | (1ull << 62)), 0x1p-1074},
};

TEST(SoftExtendedRounding, ToDoubleTiesGoToEvenAndCarriesMoveTheExponent) {
    for (const DoubleRow& row : kDoubleRows)
        EXPECT_EQ(soft::toDouble(row.value), row.expected) << row.what;
}

TEST(SoftExtendedRounding, WholeNumbersTieToEven) {
    struct Row {
        SoftExtended value;
        std::int64_t expected;
    };
    const Row rows[] = {{2.5, 2}, {3.5, 4}, {-2.5, -2}, {0.5, 0}, {1.5, 2}, {-0.5, 0}};
    for (const Row& row : rows) {
        std::int64_t whole = 99;
        ASSERT_TRUE(soft::roundToInt64(row.value, whole));
        EXPECT_EQ(whole, row.expected) << soft::toDouble(row.value);
    }
}

}  // namespace
}  // namespace nestora
