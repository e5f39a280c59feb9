// SPDX-License-Identifier: MIT
// The 23-character real item of a text file: a sign (blank or "-", from the
// sign bit), one digit, ".", 14 digits, "E", the exponent's sign and four
// exponent digits; 15 significant digits rounded half up from 17.
//   50000 → " 5.00000000000000E+0004"   -0 → "-0.00000000000000E+0000"
//   0.085 → " 8.50000000000000E-0002"   +∞ → "                   +Inf"
#pragma once

#include <string>

#include "number/arith.h"

namespace nestora {

std::string RealItemText(Extended value);

}  // namespace nestora
