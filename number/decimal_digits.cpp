// SPDX-License-Identifier: MIT
#include "number/decimal_digits.h"

#include <cstring>

namespace nestora {
namespace {

// floor(a / b) for b > 0, also for negative a.
int floorDiv(int a, int b) { return a >= 0 ? a / b : -((-a + b - 1) / b); }

}  // namespace

int ExponentField(Extended value) {
    unsigned char bytes[sizeof(Extended)];
    std::memcpy(bytes, &value, sizeof bytes);
    return ((bytes[9] & 0x7F) << 8) | bytes[8];
}

int BinaryExponent(Extended x) {
    const int biased = ExponentField(x);
    if (biased != 0) return biased - 16383;
    // A denormal is significand × 2^(-16382 - 63); its top bit sets the exponent.
    std::uint64_t significand = 0;
    std::memcpy(&significand, &x, sizeof significand);
    return -16382 - __builtin_clzll(significand);
}

// 1292913986 / 2^32 lies 1.2e-10 below log10 2, so the product is off by less
// than 2e-6 over the whole range, while b × log10 2 never comes nearer than
// 2.7e-5 to a whole number for b != 0: the floor is exact. (The right shift
// of a negative value rounds down.)
int FloorLog10OfPow2(int b) {
    return static_cast<int>((static_cast<std::int64_t>(b) * 1292913986) >> 32);
}

// With magnitude = 1.f × 2^e, log10(magnitude) lies in [e·log10 2,
// (e+1)·log10 2), and 19728 / 65536 = 0.3010254 is a little below
// log10 2 = 0.3010300. So floor(e × 19728 / 65536) + 1 is E or one too
// small; for very negative e the shortfall of the ratio can make it one too
// large instead.
int DisplayExponentGuess(int e) { return floorDiv(e * 19728, 65536) + 1; }

std::uint64_t FifteenDigitsHalfUp(std::uint64_t whole, int dropped, int& decimalExponent) {
    const std::uint64_t unit = WholePowerOfTen(dropped);
    std::uint64_t fifteen = whole / unit;
    if (whole % unit >= unit / 2) ++fifteen;  // the first dropped digit is 5 or more
    if (fifteen == WholePowerOfTen(15)) {     // the carry ran out of the first digit
        fifteen = WholePowerOfTen(14);
        ++decimalExponent;
    }
    return fifteen;
}

}  // namespace nestora
