// SPDX-License-Identifier: MIT
// Integer text: IntegerToText writes the decimal digits with a leading "-"
// for negatives ("25", "-2147483648"). TextToInteger parses decimal text or a
// hexadecimal form ("$1A", "x10", "0x1a"), with the error position and partial
// value that ParseResult describes:
//   "25" → 25, 0      "12x" → 12, 3      "2147483648" → -2147483648, 11
#pragma once

#include <cstdint>
#include <string>
#include <string_view>

#include "number/parse_result.h"

namespace nestora {

std::string IntegerToText(std::int32_t value);
IntegerParse TextToInteger(std::string_view text);

}  // namespace nestora
