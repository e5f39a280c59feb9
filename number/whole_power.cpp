// SPDX-License-Identifier: MIT
#include "number/whole_power.h"

namespace nestora {

Extended PowerOf(Extended base, std::int32_t n) { return WholePower<CheckedArithmetic>(base, n); }

}  // namespace nestora
