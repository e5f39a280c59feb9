// SPDX-License-Identifier: MIT
#include "number/real_item.h"

#include <cmath>
#include <cstdint>
#include <cstring>

#include "number/decimal_digits.h"
#include "number/power_of_ten.h"

namespace nestora {
namespace {

void rightAligned(char* out, const char* text) {
    const std::size_t length = std::strlen(text);
    std::memset(out, ' ', RealItemLength - length);
    std::memcpy(out + RealItemLength - length, text, length);
}

}  // namespace

void FormatRealItem(Extended value, char* out) {
    if (fp::isNan(value)) {
        rightAligned(out, "Nan");
        return;
    }
    const bool negative = fp::signBit(value);
    if (fp::isInf(value)) {
        rightAligned(out, negative ? "-Inf" : "+Inf");
        return;
    }

    std::uint64_t digits = 0;  // d1 … d15 as one whole number
    int exponent = 0;
    if (value != 0) {
        const Extended magnitude = negative ? -value : value;
        // 10^decimal <= magnitude < 2 × 10^(decimal + 1): one step of
        // correction brings the scaled value into [1, 10). Rounding in the
        // scaling can still leave it a hair outside; the digit count below
        // copes with that.
        int decimal = FloorLog10OfPow2(BinaryExponent(magnitude));
        Extended scaled = ScaleByPowerOfTen(magnitude, -decimal);
        if (scaled >= 10) {
            ++decimal;
            scaled = ScaleByPowerOfTen(magnitude, -decimal);
        }
        // scaled < 10.0000…, so the product stays far below 2^63.
        const auto whole = static_cast<std::uint64_t>(fp::roundToInt64(fp::mul(scaled, 1e17L)));
        // whole has 18 digits for scaled in [1, 10); 19 when it rounded up to
        // 10^18 or the scaling left it just at 10, 17 when just below 1.
        const int count = whole >= WholePowerOfTen(18)   ? 19
                          : whole >= WholePowerOfTen(17) ? 18
                                                         : 17;
        exponent = decimal + (count - 18);
        digits = FifteenDigitsHalfUp(whole, count - 15, exponent);
    }

    out[0] = negative ? '-' : ' ';
    for (int i = 16; i >= 3; --i) {
        out[i] = static_cast<char>('0' + digits % 10);
        digits /= 10;
    }
    out[1] = static_cast<char>('0' + digits);
    out[2] = '.';
    out[17] = 'E';
    out[18] = exponent < 0 ? '-' : '+';
    unsigned e = static_cast<unsigned>(exponent < 0 ? -exponent : exponent);
    for (int i = 22; i >= 19; --i) {
        out[i] = static_cast<char>('0' + e % 10);
        e /= 10;
    }
}

std::string RealItemText(Extended value) {
    std::string text(RealItemLength, ' ');
    FormatRealItem(value, text.data());
    return text;
}

}  // namespace nestora
