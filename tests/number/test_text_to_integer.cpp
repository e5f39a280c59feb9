// SPDX-License-Identifier: MIT
#include <gtest/gtest.h>

#include <cstdint>
#include <limits>
#include <string>

#include "number/integer_text.h"

namespace nestora {
namespace {

struct IntegerRow {
    const char* text;
    std::int32_t value;  // the result, or the partial value on failure
    std::int32_t position;
};

void expectIntegerRows(std::initializer_list<IntegerRow> rows) {
    for (const IntegerRow& row : rows) {
        const IntegerParse parsed = TextToInteger(row.text);
        EXPECT_EQ(parsed.value, row.value) << '"' << row.text << '"';
        EXPECT_EQ(parsed.position, row.position) << '"' << row.text << '"';
    }
}

TEST(TextToInteger, AcceptsDecimalAndHexadecimal) {
    expectIntegerRows({
        {"25", 25, 0},
        {"  25", 25, 0},
        {"+7", 7, 0},
        {"-5", -5, 0},
        {" -5", -5, 0},
        {"007", 7, 0},
        {"0", 0, 0},
        {"-0", 0, 0},
        {"$1A", 26, 0},
        {"$1a", 26, 0},
        {"0x1A", 26, 0},
        {"0X1a", 26, 0},
        {"$1E", 30, 0},
        {"0x1e", 30, 0},
        {"x10", 16, 0},
        {"X10", 16, 0},
        {"0x0", 0, 0},
        {"2147483647", 2147483647, 0},
        {"-2147483648", std::numeric_limits<std::int32_t>::min(), 0},
        {"$7FFFFFFF", 2147483647, 0},
        // The hexadecimal digits are the result's 32 bits.
        {"$FFFFFFFF", -1, 0},
        {"$80000000", std::numeric_limits<std::int32_t>::min(), 0},
        {"$0FFFFFFFF", -1, 0},  // a leading zero digit is no ninth digit
    });
}

TEST(TextToInteger, TextEndingTooSoonFailsPastTheEnd) {
    expectIntegerRows({
        {"", 0, 1},
        {"   ", 0, 4},
        {"-", 0, 2},
        {"  +", 0, 4},
        // A hexadecimal prefix with no digit fails two beyond the end.
        {"$", 0, 3},
        {"x", 0, 3},
        {"0x", 0, 4},
        {" $", 0, 4},
    });
}

TEST(TextToInteger, BadCharacterFailsAtItsPositionWithThePartialValue) {
    expectIntegerRows({
        {"25 ", 25, 3},
        {"12x", 12, 3},
        {"-12x", 12, 4},  // the sign is not applied to a partial value
        {"1.5", 1, 2},
        {"\t5", 0, 1},
        {"- 5", 0, 2},
        {"-$10", 0, 2},  // no prefix after a sign
        {"+0x1", 0, 3},
        {"00x1", 0, 3},  // only a leading "0x" is a prefix
        {"$G", 0, 2},
        {"$1G", 1, 3},
        {"0x1g", 1, 4},
        {"$-1", 0, 2},
    });
}

TEST(TextToInteger, DigitsBeyondThirtyTwoBitsStopTheParse) {
    expectIntegerRows({
        // The accumulator already exceeds 214748364 when the tenth digit comes.
        {"4294967295", 429496729, 10},
        {"21474836470", 2147483647, 11},
        // Within 32 bits but out of range: the result's bits, past the end.
        {"2147483648", std::numeric_limits<std::int32_t>::min(), 11},
        {"-2147483649", 2147483647, 12},
        {"2147483649", -2147483647, 11},
        {"-2147483650", 214748365, 11},  // 214748365 already exceeds the limit
        // A ninth hexadecimal digit arrives after FFFFFFF has been passed.
        {"$100000000", 268435456, 10},
        {"$123456789", 0x12345678, 10},
        {"0x1FFFFFFFF", 0x1FFFFFFF, 11},
    });
}

TEST(IntegerToText, WritesDigitsAndMinusOnly) {
    EXPECT_EQ(IntegerToText(0), "0");
    EXPECT_EQ(IntegerToText(25), "25");
    EXPECT_EQ(IntegerToText(-7), "-7");
    EXPECT_EQ(IntegerToText(1000), "1000");
    EXPECT_EQ(IntegerToText(2147483647), "2147483647");
    EXPECT_EQ(IntegerToText(std::numeric_limits<std::int32_t>::min()), "-2147483648");
}

}  // namespace
}  // namespace nestora
