// SPDX-License-Identifier: MIT
#include "number/whole_power.h"

namespace nestora {

Extended PowerOf(Extended base, std::int32_t n) {
    if (n == 0) return 1;
    if (base == 0 && n > 0) return 0;
    // |n| as unsigned, so that -2147483648 has a magnitude too.
    std::uint32_t bits = n < 0 ? 0u - static_cast<std::uint32_t>(n) : static_cast<std::uint32_t>(n);
    Extended result = 1;
    Extended square = base;
    for (;;) {
        if (bits & 1u) result = fp::mul(result, square);
        bits >>= 1;
        if (bits == 0) break;
        square = fp::mul(square, square);
    }
    return n < 0 ? fp::div(1, result) : result;
}

}  // namespace nestora
