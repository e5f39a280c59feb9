// SPDX-License-Identifier: MIT
// What a parse gives back. position is 0 on success, otherwise the 1-based
// position of the first character not accepted, or a position past the end
// when the text ended where more was required. value is always set: on
// failure it is the partial value (the digits read so far as one whole number,
// with no sign, point or exponent applied).
#pragma once

#include <cstddef>
#include <cstdint>

#include "number/arith.h"

namespace nestora {

struct RealParse {
    Extended value;
    std::int32_t position;
    bool ok() const { return position == 0; }
};

struct IntegerParse {
    std::int32_t value;
    std::int32_t position;
    bool ok() const { return position == 0; }
};

// A 1-based character position as a parse reports it; a text too long for
// 32 bits reports the largest position instead of wrapping to a negative one.
inline std::int32_t ParsePosition(std::size_t oneBased) {
    constexpr std::size_t largest = 2147483647;
    return static_cast<std::int32_t>(oneBased < largest ? oneBased : largest);
}

}  // namespace nestora
