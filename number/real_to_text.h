// SPDX-License-Identifier: MIT
// The display text of a real: 15 significant digits, fixed notation for
// decimal exponents from -3 to 15, the exponent form outside them, no
// grouping and no "+" signs.
//   50000 → "50000"    -1234.5678 → "-1234.5678"    2/3 → "0.666666666666667"
//   0.00001 → "1E-5"   999999999999999.5 → "1E15"    8.5 with ',' → "8,5"
// Zeros and denormals give "0"; infinities "INF" and "-INF"; NaNs "NAN".
// RealToText(v) writes LocaleDecimalSeparator; the two-argument form takes the
// separator so that it can be used and tested without the process locale.
#pragma once

#include <string>

#include "number/arith.h"

namespace nestora {

std::string RealToText(Extended value, char separator);
std::string RealToText(Extended value);

}  // namespace nestora
