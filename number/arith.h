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
#pragma once

#include <cstdint>
#include <limits>

namespace nestora {

using Extended = long double;
static_assert(std::numeric_limits<Extended>::digits == 64,
              "Nestora needs long double to be the x87 80-bit extended format");
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

// The nearest double (ties to even); EOverflow when x is finite but the
// double would be infinite.
double toDouble(Extended x);

}  // namespace fp
}  // namespace nestora
