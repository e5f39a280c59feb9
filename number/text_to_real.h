// SPDX-License-Identifier: MIT
// Parses entry text into an extended real. Leading blanks, an optional sign,
// digits with an optional "." (always "."), an optional exponent "E"/"e" with
// a sign; the text must end there. Each digit is v × 10 then + digit, each
// step rounded; the effective exponent is applied with ScaleByPowerOfTen.
//   "8.5" → 8.5, 0    "12x" → 12, 3    "1.5x" → 15, 4    "" → 0, 1
//   "1E6000" → infinity, 0    "0E6000" → 0, 0    "-." → -0, 0
// Bad text never raises; EOverflow when the digits or the scaling go beyond
// the extended range ("1E4933").
#pragma once

#include <string_view>

#include "number/parse_result.h"

namespace nestora {

RealParse TextToReal(std::string_view text);

}  // namespace nestora
