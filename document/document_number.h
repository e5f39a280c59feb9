// SPDX-License-Identifier: MIT
// Sums and percents of a plan document as JSON numbers. A sum is written
// with the 15 significant digits the fields show, and read back through
// that same decimal text, so a sum typed as "30000.1" is the same extended
// value after a save and an open as when it was typed.
#pragma once

#include <string>

#include "number/arith.h"

namespace nestora {

// The JSON number text of a finite value: "30000.1", "-2E-5".
std::string JsonNumberText(Extended value);
std::string JsonNumberText(double value);

// The extended value of the decimal text that a JSON number read as `value`
// was written with (its shortest decimal form).
Extended ExtendedOfJson(double value);

}  // namespace nestora
