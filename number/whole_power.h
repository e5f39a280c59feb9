// SPDX-License-Identifier: MIT
// A value to a whole power by squaring, the one way the program raises to a
// power (the growth factors of the projection, the factor 10^d of
// RoundToPower).
//   PowerOf(2, 10) = 1024   PowerOf(2, -2) = 0.25   PowerOf(x, 0) = 1 for any x
//   PowerOf(1.075, 20) = x^4 · x^16 with x^2, x^4, x^8, x^16 each rounded,
//   which differs in the last bits from twenty products in a row.
#pragma once

#include <cstdint>

#include "number/arith.h"

namespace nestora {

// base to the whole power n by squaring: n = 0 gives 1 whatever the base, a
// base of 0 gives 0 for n > 0; otherwise result and square start at 1 and
// base, each set bit of |n| from the lowest multiplies the result by the
// square, and the square is squared only while a higher bit remains (so
// 10^4096 does not overflow on a square it never uses). A negative n gives
// 1 ÷ result. Every operation is checked: EOverflow, or EZeroDivide for
// 0 to a negative power.
Extended PowerOf(Extended base, std::int32_t n);

// The same steps with the checked operations `Ops` of any kind of extended T.
template <class Ops, class T>
T WholePower(T base, std::int32_t n) {
    if (n == 0) return T(1);
    if (base == T(0) && n > 0) return T(0);
    // |n| as unsigned, so that -2147483648 has a magnitude too.
    std::uint32_t bits = n < 0 ? 0u - static_cast<std::uint32_t>(n) : static_cast<std::uint32_t>(n);
    T result = T(1);
    T square = base;
    for (;;) {
        if (bits & 1u) result = Ops::mul(result, square);
        bits >>= 1;
        if (bits == 0) break;
        square = Ops::mul(square, square);
    }
    return n < 0 ? Ops::div(T(1), result) : result;
}

}  // namespace nestora
