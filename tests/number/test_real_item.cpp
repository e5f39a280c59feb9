// SPDX-License-Identifier: MIT
#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <iostream>
#include <limits>
#include <random>
#include <string>
#include <vector>

#include "extended_bits.h"
#include "number/locale_separator.h"
#include "number/real_item.h"
#include "number/text_to_real.h"
#include "support/property_count.h"

namespace nestora::testing {
namespace {

constexpr Extended inf = std::numeric_limits<Extended>::infinity();

struct Row {
    const char* name;
    Extended value;
    const char* item;
};

void ExpectItems(const std::vector<Row>& rows) {
    for (const auto& row : rows) EXPECT_EQ(RealItemText(row.value), row.item) << row.name;
}

TEST(RealItem, WorkedItems) {
    ExpectItems({
        {"50000", 50000, " 5.00000000000000E+0004"},
        {"10000", 10000, " 1.00000000000000E+0004"},
        {"0.085", 0.085L, " 8.50000000000000E-0002"},
        {"0.03", 0.03L, " 3.00000000000000E-0002"},
        {"0.06", 0.06L, " 6.00000000000000E-0002"},
        {"1", 1, " 1.00000000000000E+0000"},
        {"12000", 12000, " 1.20000000000000E+0004"},
        {"-12345.678", -12345.678L, "-1.23456780000000E+0004"},
        {"0.123456789012345678", 0.123456789012345678L, " 1.23456789012346E-0001"},
        {"1/3", 1.0L / 3, " 3.33333333333333E-0001"},
        {"2/3", 2.0L / 3, " 6.66666666666667E-0001"},
        {"1e20", 1e20L, " 1.00000000000000E+0020"},
        {"plan default 65000", 65000, " 6.50000000000000E+0004"},
        {"plan default 0.075", 0.075L, " 7.50000000000000E-0002"},
    });
}

TEST(RealItem, SignedZerosInfinitiesAndNaNs) {
    ExpectItems({
        {"zero", 0.0L, " 0.00000000000000E+0000"},
        {"negative zero has its sign bit", -0.0L, "-0.00000000000000E+0000"},
        {"+inf", inf, "                   +Inf"},
        {"-inf", -inf, "                   -Inf"},
        {"quiet NaN", std::numeric_limits<Extended>::quiet_NaN(), "                    Nan"},
        {"NaN with its sign bit set", -std::numeric_limits<Extended>::quiet_NaN(),
         "                    Nan"},
    });
}

TEST(RealItem, TheEndsOfTheRangeUseFourExponentDigits) {
    const Extended minNormal = std::numeric_limits<Extended>::min();
    ExpectItems({
        {"largest finite", std::numeric_limits<Extended>::max(), " 1.18973149535723E+4932"},
        {"largest finite, negative", -std::numeric_limits<Extended>::max(),
         "-1.18973149535723E+4932"},
        {"smallest normal", minNormal, " 3.36210314311209E-4932"},
        {"largest denormal", fp::sub(minNormal, std::numeric_limits<Extended>::denorm_min()),
         " 3.36210314311209E-4932"},
        {"smallest denormal", std::numeric_limits<Extended>::denorm_min(),
         " 3.64519953188247E-4951"},
        {"a denormal with its top bit only", ExtendedFromFields(false, 0, std::uint64_t{1} << 62),
         " 1.68105157155605E-4932"},
        {"1e1000", 1e1000L, " 1.00000000000000E+1000"},
        {"1e-100", 1e-100L, " 1.00000000000000E-0100"},
        {"-2.5e-7", -2.5e-7L, "-2.50000000000000E-0007"},
    });
}

TEST(RealItem, SixteenthDigitRoundsHalfUpWithCarries) {
    ExpectItems({
        {"carry out of the first digit", 9.99999999999999999L, " 1.00000000000000E+0001"},
        {"sixteenth digit 5 rounds up", 9.999999999999995L, " 1.00000000000000E+0001"},
        {"sixteenth digit 4 rounds down", 9.999999999999994L, " 9.99999999999999E+0000"},
        {"a tie rounds up, not to even", 1.000000000000005L, " 1.00000000000001E+0000"},
        {"a tie on an odd digit rounds up", 1.000000000000015L, " 1.00000000000002E+0000"},
        {"carry through zeros", 1.099999999999995L, " 1.10000000000000E+0000"},
        {"carry into the exponent, tiny", 9.999999999999999e-4000L, " 1.00000000000000E-3999"},
        // The value is first rounded to 18 digits: ...4999|99 becomes ...500
        // and the sixteenth digit 5 then rounds up; one 9 fewer stays below.
        {"rounded to 18 digits first", 1.23456789012345499999L, " 1.23456789012346E+0000"},
        {"below the 18-digit half", 1.2345678901234549L, " 1.23456789012345E+0000"},
        {"negative values round by magnitude", -2.0L / 3, "-6.66666666666667E-0001"},
    });
}

// The exact decimal expansion of |value| from the C library (which prints
// binary values exactly): 25 significant digits and the decimal exponent.
void ExactDigits(Extended value, std::string& digits, int& exponent) {
    char text[64];
    std::snprintf(text, sizeof text, "%.24Le", std::fabs(testing::ToLongDouble(value)));
    digits.assign(1, text[0]);
    digits.append(text + 2, 24);
    exponent = std::atoi(text + 27);
}

// The item's 15 digits and exponent when the value is rounded to 18 digits
// and then half up to 15, with the sixteenth digit onward worth `tail`
// (digits 16 to 21 as a number) — both outcomes when tail lies so near the
// 18-digit rounding point that the scaling's few roundings may tip it.
std::vector<std::string> ExpectedItems(Extended value) {
    std::string digits;
    int exponent = 0;
    ExactDigits(value, digits, exponent);
    const long tail = std::stol(digits.substr(15, 6));
    const std::uint64_t first = std::stoull(digits.substr(0, 15));
    // 18-digit rounding gives a sixteenth digit of 5 or more from 499500 on.
    constexpr long boundary = 499500;
    constexpr long slack = 450;  // more than the 0.38 units of the 18th digit that scaling may add
    std::vector<std::uint64_t> candidates;
    if (tail < boundary + slack) candidates.push_back(first);
    if (tail >= boundary - slack) candidates.push_back(first + 1);
    std::vector<std::string> items;
    for (std::uint64_t q : candidates) {
        int e = exponent;
        if (q == 1000000000000000ULL) {
            q = 100000000000000ULL;
            ++e;
        }
        char text[32];
        std::snprintf(text, sizeof text, "%c%c.%014lluE%c%04d", fp::signBit(value) ? '-' : ' ',
                      static_cast<char>('0' + q / 100000000000000ULL),
                      static_cast<unsigned long long>(q % 100000000000000ULL), e < 0 ? '-' : '+',
                      std::abs(e));
        items.emplace_back(text);
    }
    return items;
}

// Random finite values over the whole range: any bit pattern, values a few
// steps from a power of ten, and values a few steps from a 16-digit decimal
// ending in 5 (where the item rounds up).
class ValueSource {
  public:
    explicit ValueSource(std::uint64_t seed) : random_(seed) {}

    Extended next() {
        switch (random_() % 3) {
            case 0:
                return anyBits();
            case 1:
                return stepped(TextToReal("1E" + std::to_string(exponent())).value);
            default: {
                std::string text =
                    std::to_string(100000000000000ULL + random_() % 900000000000000ULL);
                // Below 1.2E4932, so that the text stays within the range.
                text += "5E" + std::to_string(std::min(exponent(), 4931) - 15);
                return stepped(TextToReal(text).value);
            }
        }
    }

  private:
    Extended anyBits() {
        const unsigned field = static_cast<unsigned>(random_() % 32767);  // 32767 is inf and NaN
        std::uint64_t significand = random_();
        if (field == 0)
            significand >>= random_() % 64;  // denormals of every width
        else
            significand |= std::uint64_t{1} << 63;
        return ExtendedFromFields(random_() & 1, field, significand);
    }
    int exponent() { return static_cast<int>(random_() % (4932 + 4951 + 1)) - 4951; }
    Extended stepped(Extended v) {
        const int steps = static_cast<int>(random_() % 7) - 3;
        for (int i = 0; i < std::abs(steps) && !(steps < 0 && v == 0); ++i)
            v = testing::NextFromZero(v, steps > 0);
        return (random_() & 1) ? -v : v;
    }

    std::mt19937_64 random_;
};

// Writing a real item, reading its text back and writing again gives the
// same 23 characters, and those carry the value's own first 15 digits.
TEST(RealItem, RoundTripOverTheWholeRange) {
    constexpr std::uint64_t seed = 0x4E6573746F7261ULL;
    const int count = testing::PropertyCount(1'000'000);
    std::cout << "[ seed     ] " << seed << "\n";
    ValueSource source(seed);
    int failures = 0;
    for (int i = 0; i < count && failures < 10; ++i) {
        const Extended value = source.next();
        const std::string item = RealItemText(value);
        const RealParse back = TextToReal(item);
        const std::string again = RealItemText(back.value);
        bool ok = item.size() == 23 && back.ok() && again == item;
        // The exact digits are slow to come by for large exponents: every
        // 16th value is checked against them.
        if (ok && value != 0 && i % 16 == 0) {
            const auto expected = ExpectedItems(value);
            ok = std::find(expected.begin(), expected.end(), item) != expected.end();
        }
        if (!ok) {
            ++failures;
            ADD_FAILURE() << "value " << ImageOf(value) << " wrote \"" << item << "\", read back "
                          << ImageOf(back.value) << " (position " << back.position
                          << "), wrote again \"" << again << "\"; expected \""
                          << (value != 0 ? ExpectedItems(value).front() : "zero") << "\"";
        }
    }
}

}  // namespace
}  // namespace nestora::testing
