// SPDX-License-Identifier: MIT
// The steps that the display text (RealToText) and the file's real item
// (FormatRealItem) share on their way from an extended value to 15 decimal
// digits: reading the base-2 exponent from the bits, estimating the decimal
// exponent from it, and cutting a longer digit string to 15 digits half up.
//   ExponentField(1.0L) = 16383, BinaryExponent(1.0L) = 0, BinaryExponent(0.75L) = -1
//   FloorLog10OfPow2(10) = 3 (2^10 = 1024), FloorLog10OfPow2(-1) = -1
//   FifteenDigitsHalfUp(123456789012345678, 3, E) = 123456789012346, E unchanged
//   FifteenDigitsHalfUp(999999999999999500, 3, E) = 100000000000000, E + 1
#pragma once

#include <cstdint>

#include "number/arith.h"

namespace nestora {

// 10^n as a whole number, for 0 <= n <= 19.
constexpr std::uint64_t WholePowerOfTen(int n) {
    std::uint64_t p = 1;
    while (n-- > 0) p *= 10;
    return p;
}

// The biased exponent field of an extended value (bits 64 to 78): 0 for zeros
// and denormals, 32767 for infinities and NaNs, 16383 for [1, 2).
int ExponentField(Extended value);

// The base-2 exponent b of a finite non-zero magnitude, 2^b <= x < 2^(b+1),
// read from its bits so that denormals come out right too.
int BinaryExponent(Extended x);

// floor(b × log10 2) exactly, for |b| <= 16445.
int FloorLog10OfPow2(int b);

// The display's first guess at E, the decimal exponent with
// magnitude = 0.d1d2… × 10^E, from the base-2 exponent e of a normal value:
// floor(e × 19728 / 65536) + 1. It is E or one too small, and for very
// negative e one too large; the display corrects it by the digit count. The
// display keeps this coarser ratio rather than FloorLog10OfPow2: its digits
// are made by scaling with the power of ten the guess picks, and another
// guess could round a last digit differently.
int DisplayExponentGuess(int e);

// The first 15 digits of whole, a number of 15 + dropped digits (dropped from
// 1 to 4), the first dropped digit 5 or more rounding the fifteenth up (half
// up). A carry out of the first digit gives 10^14 and raises decimalExponent
// by one.
std::uint64_t FifteenDigitsHalfUp(std::uint64_t whole, int dropped, int& decimalExponent);

}  // namespace nestora
