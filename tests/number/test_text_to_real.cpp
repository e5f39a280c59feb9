// SPDX-License-Identifier: MIT
#include <gtest/gtest.h>

#include <cmath>
#include <cstdint>
#include <limits>
#include <string>

#include "extended_bits.h"
#include "fault_matchers.h"
#include "number/errors.h"
#include "number/text_to_real.h"

namespace nestora {
namespace {

using testing::ExtendedFromFields;
using testing::ImageOf;

constexpr Extended infinity = std::numeric_limits<Extended>::infinity();

struct RealRow {
    const char* text;
    Extended value;  // the result, or the partial value on failure
    std::int32_t position;
};

// Compares images, so that the sign of a zero counts.
void expectRealRows(std::initializer_list<RealRow> rows) {
    for (const RealRow& row : rows) {
        const RealParse parsed = TextToReal(row.text);
        EXPECT_EQ(ImageOf(parsed.value), ImageOf(row.value)) << '"' << row.text << '"';
        EXPECT_EQ(parsed.position, row.position) << '"' << row.text << '"';
    }
}

TEST(TextToReal, AcceptsSignsPointsAndExponents) {
    expectRealRows({
        {"50000", 50000, 0},
        {"  8.5", 8.5L, 0},
        {"+8.5", 8.5L, 0},
        {"-8.5", -8.5L, 0},
        {".5", 0.5L, 0},
        {"5.", 5, 0},
        {".", 0, 0},
        {"-.", -0.0L, 0},
        {"-0", -0.0L, 0},
        {"1e3", 1000, 0},
        {"1E+3", 1000, 0},
        {"1e-3", 0.001L, 0},
        {"E5", 0, 0},
        {"-E5", -0.0L, 0},
        {"0.1", 0.1L, 0},
        {"12.345", 12.345L, 0},
        {"1234.5678E-4", 0.12345678L, 0},
        {"00000000000000000000000000001", 1, 0},
        {"1E0000000000000000000000003", 1000, 0},
    });
}

TEST(TextToReal, FailuresGiveThePositionAndTheDigitsReadSoFar) {
    // clang-format off
    expectRealRows({
        {"", 0, 1},
        {"   ", 0, 4},
        {"-", 0, 2},
        {" +", 0, 3},
        {"8.5 ", 85, 4},
        {"12x", 12, 3},
        {"-12x", 12, 4},  // the sign is not applied to a partial value
        {"1.5x", 15, 4},
        {"1.2.3", 12, 4},
        {"8,5", 8, 2},
        {"$10", 0, 1},
        {"\t1", 0, 1},
        {"- 1", 0, 2},
        {"1e", 1, 3},
        {"1e+", 1, 4},
        {"E", 0, 2},
        {"1ex", 1, 3},
        {"1e+x", 1, 4},
        {"1e5x", 1, 4},  // exponent digits never enter the partial value
        {"1e5 ", 1, 4},
        {"2.5e-3.1", 25, 7},
        {"1..", 1, 3},
    });
    // clang-format on
}

TEST(TextToReal, EffectiveExponentDecidesInfinityAndZero) {
    expectRealRows({
        {"1E6000", infinity, 0},
        {"-1E6000", -infinity, 0},
        {"1E5120", infinity, 0},
        {"1E4932", ExtendedFromFields(false, 0x7FFE, 0xD72CB2A95C7EF6CDull), 0},
        {"1E-5000", 0, 0},
        {"-1E-5000", -0.0L, 0},
        {"10E-5120", 0, 0},  // effective exponent -5120
        // A written exponent never wraps around, however many digits it has.
        {"1E99999999999", infinity, 0},
        {"1E18446744073709551617", infinity, 0},
        {"1E-99999999999", 0, 0},
        {"1E-4294967296", 0, 0},
        // Zero stays zero with any exponent; infinity is only for non-zero digits.
        {"0E6000", 0, 0},
        {"-0E6000", -0.0L, 0},
        {"0.000E99999999999", 0, 0},
        {".E5120", 0, 0},
    });
}

TEST(TextToReal, UnderflowIsSilent) {
    const RealParse denormal = TextToReal("1E-4940");
    EXPECT_EQ(denormal.position, 0);
    EXPECT_TRUE(testing::IsDenormal(denormal.value));
    EXPECT_EQ(TextToReal("3.64519953188247E-4951").value,
              std::numeric_limits<Extended>::denorm_min());
    EXPECT_EQ(TextToReal("1E-4952").value, 0.0L);  // below half the smallest denormal
}

TEST(TextToReal, OverflowRaisesWithoutAResult) {
    EXPECT_FAULT(TextToReal("1E4933"), EOverflow, "Floating point overflow");
    EXPECT_FAULT(TextToReal("-1E4933"), EOverflow, "Floating point overflow");
    // Effective exponent 5119: it is scaled, and the scaling overflows.
    EXPECT_FAULT(TextToReal("1.0E5120"), EOverflow, "Floating point overflow");
    EXPECT_FAULT(TextToReal("1.2E4932"), EOverflow, "Floating point overflow");
    // The digits alone go beyond the range, before the bad character is met.
    EXPECT_FAULT(TextToReal(std::string(4933, '9') + "x"), EOverflow, "Floating point overflow");
    // The largest finite value itself is reached without a fault.
    EXPECT_EQ(TextToReal("1.18973149535723176508E4932").value,
              std::numeric_limits<Extended>::max());
}

TEST(TextToReal, EachDigitIsTwoRoundedSteps) {
    // v × 10 and + digit are rounded separately, and each scaling factor is
    // applied with its own rounding; a single correctly rounded conversion
    // ends one unit higher in all three.
    EXPECT_EQ(ImageOf(TextToReal("38145170902099824179").value), "40408457B7B55B0E838C");
    EXPECT_EQ(ImageOf(TextToReal("1E-30").value), "3F9BA2425FF75E14FC31");
    EXPECT_EQ(ImageOf(TextToReal("1E300").value), "43E3BF21E44003ACDD2C");
    // Up to 19 digits and 10^27 the result is the nearest extended value.
    EXPECT_EQ(TextToReal("9223372036854775807").value, 9223372036854775807.0L);
    EXPECT_EQ(TextToReal("18446744073709551615").value, 0x1p64L - 1);  // 64 bits: exact
    EXPECT_EQ(TextToReal("18446744073709551617").value, 0x1p64L);      // 65 bits: a tie, to even
    EXPECT_EQ(TextToReal("0.085").value, 0.085L);
}

// Rows computed by tests/data/number_text_oracle.py, which replays every
// step with exact rational arithmetic.
struct ParseOracleRow {
    const char* text;
    const char* image;  // or "OVERFLOW"
    std::int32_t position;
};

constexpr ParseOracleRow kParseOracle[] = {
#define TEXT_TO_REAL_ROW(text, image, position) {text, image, position},
#include "data/number_text_oracle.inc"
#undef TEXT_TO_REAL_ROW
};

TEST(TextToReal, AgreesWithTheExactOracle) {
    for (const ParseOracleRow& row : kParseOracle) {
        SCOPED_TRACE(::testing::Message() << "oracle row \"" << row.text << '"');
        if (std::string(row.image) == "OVERFLOW") {
            EXPECT_FAULT(TextToReal(row.text), EOverflow, "Floating point overflow");
            continue;
        }
        const RealParse parsed = TextToReal(row.text);
        EXPECT_EQ(ImageOf(parsed.value), row.image) << '"' << row.text << '"';
        EXPECT_EQ(parsed.position, row.position) << '"' << row.text << '"';
    }
}

}  // namespace
}  // namespace nestora
