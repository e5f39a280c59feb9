// SPDX-License-Identifier: MIT
#include <gtest/gtest.h>

#include <algorithm>
#include <clocale>
#include <cmath>
#include <cstdlib>
#include <limits>
#include <string>

#include "extended_bits.h"
#include "number/locale_separator.h"
#include "number/real_to_text.h"
#ifndef _WIN32
#include "support/scoped_environment.h"
#endif

namespace nestora {
namespace {

using testing::ExtendedFromFields;
using testing::ExtendedFromImage;

struct TextRow {
    Extended value;
    const char* text;  // with "." as the separator
};

// Each row is checked with "." and again with ",", the only character that
// the separator changes.
void expectRows(std::initializer_list<TextRow> rows) {
    for (const TextRow& row : rows) {
        std::string comma = row.text;
        std::replace(comma.begin(), comma.end(), '.', ',');
        EXPECT_EQ(RealToText(row.value, '.'), row.text) << testing::ImageOf(row.value);
        EXPECT_EQ(RealToText(row.value, ','), comma) << testing::ImageOf(row.value);
    }
}

TEST(RealToText, FixedAndExponentForms) {
    expectRows({
        {50000, "50000"},
        {8.5L, "8.5"},
        {-1234.5678L, "-1234.5678"},
        {1.0L / 3, "0.333333333333333"},
        {2.0L / 3, "0.666666666666667"},
        {0.0001L, "0.0001"},
        {0.000123L, "0.000123"},
        {0.00001L, "1E-5"},
        {0.0000123L, "1.23E-5"},
        {999999999999999.0L, "999999999999999"},
        {1000000000000000.0L, "1E15"},
        {1234567890123456.0L, "1.23456789012346E15"},
        {1.5e20L, "1.5E20"},
        {-2.5e-7L, "-2.5E-7"},
        {1, "1"},
        {0.5L, "0.5"},
        {150000000000000.0L, "150000000000000"},  // zeros added up to E digits
        {123456789.125L, "123456789.125"},
        {1e100L, "1E100"},
        {-1e-100L, "-1E-100"},
    });
}

TEST(RealToText, SpecialValues) {
    constexpr Extended inf = std::numeric_limits<Extended>::infinity();
    EXPECT_EQ(RealToText(inf, '.'), "INF");
    EXPECT_EQ(RealToText(-inf, '.'), "-INF");
    EXPECT_EQ(RealToText(std::numeric_limits<Extended>::quiet_NaN(), '.'), "NAN");
    EXPECT_EQ(RealToText(-std::numeric_limits<Extended>::quiet_NaN(), '.'), "NAN");
    // Zeros and denormals (exponent field 0) are "0" without a sign.
    EXPECT_EQ(RealToText(0.0L, '.'), "0");
    EXPECT_EQ(RealToText(-0.0L, '.'), "0");
    EXPECT_EQ(RealToText(std::numeric_limits<Extended>::denorm_min(), '.'), "0");
    EXPECT_EQ(RealToText(ExtendedFromFields(true, 0, 0x7FFFFFFFFFFFFFFFull), '.'), "0");
    // The ends of the normal range.
    EXPECT_EQ(RealToText(std::numeric_limits<Extended>::max(), '.'), "1.18973149535723E4932");
    EXPECT_EQ(RealToText(-std::numeric_limits<Extended>::max(), '.'), "-1.18973149535723E4932");
    EXPECT_EQ(RealToText(std::numeric_limits<Extended>::min(), '.'), "3.36210314311209E-4932");
}

TEST(RealToText, SixteenthDigitRoundsHalfUpAfterEighteenDigits) {
    expectRows({
        // 16th digit 5 rounds the 15th up, even when the 15th is even.
        {1234567890123465.0L, "1.23456789012347E15"},
        {1234567890123455.0L, "1.23456789012346E15"},
        {1234567890123454.0L, "1.23456789012345E15"},
        // 0.29821229708059749998…: 18 digits ...597500, then cut to 15.
        {ExtendedFromImage("3FFD98AF483E73D0D1B3"), "0.298212297080598"},
    });
}

TEST(RealToText, CarryOutOfTheFirstDigitMovesTheExponent) {
    expectRows({
        // Fixed form to exponent form at 10^15.
        {999999999999999.5L, "1E15"},
        {-999999999999999.5L, "-1E15"},
        // Stays fixed: 10^14 still has E = 15.
        {99999999999999.95L, "100000000000000"},
        {9.9999999999999995L, "10"},
        // Exponent form (E = -4) to fixed form (E = -3).
        {0.000099999999999999995L, "0.0001"},
        // A carry through a run of nines inside the digits.
        {1.2999999999999995L, "1.3"},
        {9.99999999999999e-300L, "9.99999999999999E-300"},
        {9.999999999999995e-300L, "1E-299"},
    });
}

TEST(RealToText, NineteenDigitsAreRoundedToEighteenWithTiesToEven) {
    // From 10^18 to 2^60 the exponent estimate is one low: the 19-digit
    // integer loses its last digit by rounding, ties to even, before the cut
    // to 15 digits sees it.
    expectRows({
        {1000000000000004995.0L, "1.00000000000001E18"},  // ...499.5 → 500 → up
        {1000000000000004985.0L, "1E18"},                 // ...498.5 → 498 → down
        {1234567890123454995.0L, "1.23456789012346E18"},  // same tie above 2^60
        {1234567890123454985.0L, "1.23456789012345E18"},
    });
}

TEST(RealToText, ExponentEstimateOneTooHighIsScaledAgain) {
    // For these powers of two e × 19728 / 65536 lies above the next whole
    // number while e × log10 2 lies below it: the first scaling gives only 17
    // digits and the digits are taken again one decade lower.
    expectRows({
        {0x1p-681L, "9.96719495109757E-206"},
        {0x1p-877L, "9.9241610332961E-265"},
        {0x1p-16374L, "8.60698404636696E-4930"},
    });
}

TEST(RealToText, WritesTheSeparatorItIsGiven) {
    EXPECT_EQ(RealToText(8.5L, ','), "8,5");
    EXPECT_EQ(RealToText(1.5e20L, ','), "1,5E20");
    EXPECT_EQ(RealToText(8.5L, '.'), "8.5");
}

TEST(DecimalSeparatorFrom, OnlyASingleCharacterCounts) {
    EXPECT_EQ(DecimalSeparatorFrom(","), ',');
    EXPECT_EQ(DecimalSeparatorFrom("."), '.');
    EXPECT_EQ(DecimalSeparatorFrom(""), '.');
    EXPECT_EQ(DecimalSeparatorFrom(nullptr), '.');
    EXPECT_EQ(DecimalSeparatorFrom("\xD9\xAB"), '.');  // a two-byte symbol
}

// The environment's locale is how POSIX systems give the user's symbol;
// Windows gives it in the regional settings instead.
#ifndef _WIN32
using testing::ScopedEnvironment;

TEST(ReadLocaleDecimalSeparator, ReadsTheEnvironmentWithoutTouchingTheProcessLocale) {
    const std::string processLocale = std::setlocale(LC_NUMERIC, nullptr);
    {
        ScopedEnvironment locale("LC_ALL", "C.UTF-8");
        EXPECT_EQ(ReadLocaleDecimalSeparator(), '.');
    }
    {
        // A locale that does not exist: the query fails and "." is used.
        ScopedEnvironment locale("LC_ALL", "xx_NOWHERE.UTF-8");
        EXPECT_EQ(ReadLocaleDecimalSeparator(), '.');
    }
    EXPECT_EQ(std::setlocale(LC_NUMERIC, nullptr), processLocale);
}
#endif

// Rows computed by tests/data/number_text_oracle.py, which replays every
// step with exact rational arithmetic.
struct OracleRow {
    const char* image;
    const char* text;
};

constexpr OracleRow kOracle[] = {
#define REAL_TO_TEXT_ROW(image, text) {image, text},
#include "data/number_text_oracle.inc"
#undef REAL_TO_TEXT_ROW
};

TEST(RealToText, AgreesWithTheExactOracle) {
    for (const OracleRow& row : kOracle) {
        EXPECT_EQ(RealToText(ExtendedFromImage(row.image), '.'), row.text) << row.image;
    }
}

}  // namespace
}  // namespace nestora
