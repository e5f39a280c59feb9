// SPDX-License-Identifier: MIT
#include "number/round_to_power.h"

#include <cstdint>

#include "number/arith.h"
#include "number/whole_power.h"

namespace nestora {

double RoundToPower(double value, int digit) {
    // The factor is made a double before it is used: for digit -2 it is the
    // double nearest 0.01, a little above 0.01, and that is what the quotient
    // is taken by. Up to 10^27 every step of the squaring is exact.
    const Extended factorAsDouble = fp::toDouble(PowerOf(10, digit));

    const Extended quotient = fp::div(static_cast<Extended>(value), factorAsDouble);
    const std::int64_t whole = fp::roundToInt64(quotient);
    return fp::toDouble(fp::mul(static_cast<Extended>(whole), factorAsDouble));
}

}  // namespace nestora
