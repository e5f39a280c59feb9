// SPDX-License-Identifier: MIT
// Rounds a double to a whole multiple of 10^d, ties to even:
//   RoundToPower(2.5, 0) = 2, RoundToPower(3.5, 0) = 4,
//   RoundToPower(618.485, -2) = 618.49, RoundToPower(2.675, -2) = 2.67.
// The factor 10^d is made a double first (for d = -2 the double nearest 0.01),
// the quotient is taken in extended precision and rounded through a 64-bit
// integer: EInvalidOp when that integer is out of range or value is not finite.
#pragma once

namespace nestora {

double RoundToPower(double value, int digit);

}  // namespace nestora
