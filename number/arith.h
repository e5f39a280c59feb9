// SPDX-License-Identifier: MIT
// The arithmetic environment: 80-bit extended reals, every operation rounded
// once to nearest (ties to even), and three faults raised as errors: invalid
// operation (EInvalidOp), division of a non-zero value by zero (EZeroDivide)
// and a result beyond the range (EOverflow). Underflow, denormal operands and
// inexact results pass silently.
//
// The faults are detected here and nowhere else, by testing operands and
// results: every real operation of the program that can fault goes through
// one of these functions.
//
// Extended is the compiler's long double where that is the x87 format (x86
// and x86-64, Linux and Windows), and the software type of the same format
// elsewhere (arm64) or when the build asks for it (NESTORA_SOFT_EXTENDED).
// Both give the same bits; code outside number/ sees one type and uses only
// these functions, comparisons, negation and conversions from whole numbers,
// doubles and literals.
#pragma once

#include <cmath>
#include <cstdint>
#include <limits>

#include "number/soft_extended.h"

#if defined(NESTORA_SOFT_EXTENDED) || __LDBL_MANT_DIG__ != 64
#define NESTORA_EXTENDED_IN_SOFTWARE 1
#endif

namespace nestora {

#ifdef NESTORA_EXTENDED_IN_SOFTWARE
using Extended = SoftExtended;
#else
using Extended = long double;
#endif
static_assert(std::numeric_limits<Extended>::digits == 64,
              "Extended must have the x87 80-bit extended format");
static_assert(std::numeric_limits<Extended>::max_exponent == 16384);

// Puts the x87 unit in the program's mode: 64-bit significand, rounding to
// nearest. Called once at start-up before any number is formed; the faults
// stay masked in the unit because the functions below detect them.
void InitArithmetic();

namespace fp {

Extended add(Extended a, Extended b);
Extended sub(Extended a, Extended b);
Extended mul(Extended a, Extended b);
Extended div(Extended a, Extended b);
Extended ln(Extended x);

// Rounds to the nearest whole number (ties to even) or truncates toward zero;
// EInvalidOp when the whole number lies outside the 64-bit signed range or x
// is an infinity or a NaN.
std::int64_t roundToInt64(Extended x);
std::int64_t truncToInt64(Extended x);
// The nearest whole number as unsigned; EInvalidOp outside [0, 2^64).
std::uint64_t roundToUint64(Extended x);

// The nearest double (ties to even); EOverflow when x is finite but the
// double would be infinite.
double toDouble(Extended x);

// Classification and magnitude, exact and never faulting.
inline bool isNan(long double x) { return std::isnan(x); }
inline bool isInf(long double x) { return std::isinf(x); }
inline bool isFinite(long double x) { return std::isfinite(x); }
inline bool signBit(long double x) { return std::signbit(x); }
inline long double abs(long double x) { return std::fabs(x); }
inline bool isNan(SoftExtended x) { return x.isNan(); }
inline bool isInf(SoftExtended x) { return x.isInf(); }
inline bool isFinite(SoftExtended x) { return x.isFinite(); }
inline bool signBit(SoftExtended x) { return x.signBit(); }
inline SoftExtended abs(SoftExtended x) { return x.abs(); }

}  // namespace fp

// The checked operations as one type, for rules written once for either kind
// of extended (whole_power.h, projection/savings_rules.h).
struct CheckedArithmetic {
    static Extended add(Extended a, Extended b) { return fp::add(a, b); }
    static Extended sub(Extended a, Extended b) { return fp::sub(a, b); }
    static Extended mul(Extended a, Extended b) { return fp::mul(a, b); }
    static Extended div(Extended a, Extended b) { return fp::div(a, b); }
};

}  // namespace nestora
