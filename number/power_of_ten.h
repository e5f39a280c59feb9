// SPDX-License-Identifier: MIT
// Scaling by a power of ten, the way every conversion of the program does it:
// 10^|n| is applied as up to three factors taken from three tables of
// extended constants (each the extended value nearest the exact power),
//   10^(|n| mod 32), 10^(32 × ((|n| div 32) mod 16)), 10^(512 × (|n| div 512)),
// in that order, skipping a factor of 1. Each factor multiplies (n > 0) or
// divides (n < 0) the running value, rounded to extended after each step.
// Powers up to 10^27 are exact, so small scalings are correctly rounded;
// larger ones are not, and that is the program's rule, not a defect.
#pragma once

#include "number/arith.h"

namespace nestora {

// v × 10^n for 0 < |n| < 5120 (n = 0 returns v). EOverflow when a step goes
// beyond the extended range; underflow to a denormal or zero is silent.
// The conversions never ask for |n| >= 5120; such a call applies the factors
// of the remainder and then 10^4608 as often as needed, never reading past
// the tables.
Extended ScaleByPowerOfTen(Extended v, int n);

}  // namespace nestora
