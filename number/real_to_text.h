// SPDX-License-Identifier: MIT
// The display text of a real: 15 significant digits, fixed notation for
// decimal exponents from -3 to 15, the exponent form outside them, no
// grouping and no "+" signs.
//   50000 → "50000"    -1234.5678 → "-1234.5678"    2/3 → "0.666666666666667"
//   0.00001 → "1E-5"   999999999999999.5 → "1E15"    8.5 with ',' → "8,5"
// Zeros and denormals give "0"; infinities "INF" and "-INF"; NaNs "NAN".
// The caller gives the decimal separator: the user's for a field on the
// screen, "." for text that goes into a file.
#pragma once

#include <string>

#include "number/arith.h"

namespace nestora {

std::string RealToText(Extended value, char separator);

}  // namespace nestora
