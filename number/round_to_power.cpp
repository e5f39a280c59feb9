// SPDX-License-Identifier: MIT
#include "number/round_to_power.h"

#include <cstdint>

#include "number/arith.h"

namespace nestora {
namespace {

// 10^m for m > 0 by repeated squaring: the squares 10, 10^2, 10^4, ... are
// multiplied in for the bits of m, each product rounded to extended. Up to
// 10^27 every step is exact.
Extended tenToThe(unsigned m) {
    Extended result = 1.0L;
    Extended square = 10.0L;
    for (;;) {
        if (m & 1u) result = fp::mul(result, square);
        m >>= 1;
        if (m == 0) return result;
        square = fp::mul(square, square);
    }
}

}  // namespace

double RoundToPower(double value, int digit) {
    // The factor is made a double before it is used: for digit -2 it is the
    // double nearest 0.01, a little above 0.01, and that is what the quotient
    // is taken by.
    Extended factor = 1.0L;
    if (digit > 0) {
        factor = tenToThe(static_cast<unsigned>(digit));
    } else if (digit < 0) {
        factor = fp::div(1.0L, tenToThe(0u - static_cast<unsigned>(digit)));
    }
    const Extended factorAsDouble = fp::toDouble(factor);

    const Extended quotient = fp::div(static_cast<Extended>(value), factorAsDouble);
    const std::int64_t whole = fp::roundToInt64(quotient);
    return fp::toDouble(fp::mul(static_cast<Extended>(whole), factorAsDouble));
}

}  // namespace nestora
