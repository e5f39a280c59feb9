// SPDX-License-Identifier: MIT
// The 23-character real item of a text file: a sign (blank or "-", from the
// sign bit), one digit, ".", 14 digits, "E", the exponent's sign and four
// exponent digits. The value is scaled to [1, 10) with ScaleByPowerOfTen,
// multiplied by 10^17 and rounded to a whole number (ties to even); its 16th
// digit then rounds the first 15 half up.
//   50000 → " 5.00000000000000E+0004"   -0 → "-0.00000000000000E+0000"
//   0.085 → " 8.50000000000000E-0002"   +∞ → "                   +Inf"
//   9.99999999999999999 → " 1.00000000000000E+0001" (the carry moves the exponent)
// The point is always ".", whatever the locale. Nothing is raised: infinities
// and NaNs ("Nan") have written forms.
#pragma once

#include <cstddef>
#include <string>

#include "number/arith.h"

namespace nestora {

inline constexpr std::size_t RealItemLength = 23;

// Writes the item's 23 characters to out (no terminator).
void FormatRealItem(Extended value, char* out);

std::string RealItemText(Extended value);

}  // namespace nestora
