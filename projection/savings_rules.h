// SPDX-License-Identifier: MIT
// Two rules of the projection, kept here once for every place that applies
// them: the main window's results (Planner::calculate), the year-by-year
// schedule, and the bit-for-bit test, which runs them with both kinds of
// extended. `Ops` gives the checked add, sub, mul and div of the kind T
// (CheckedArithmetic for Extended), so each step faults as calculate's does.
#pragma once

#include <cstdint>

#include "number/whole_power.h"

namespace nestora {

// The nominal savings after k saving years: C compounded for k years plus k
// yearly savings P added at each year's end, g·C + (g − 1)·P ÷ r with
// g = (1 + r)^k, or k·P + C when r = 0; in this order of operations, so that
// after n years it is SavingsAtRetirement to the last bit.
template <class Ops, class T>
T SavingsAfterYears(T C, T P, T r, std::int32_t k) {
    if (r == T(0)) return Ops::add(Ops::mul(T(k), P), C);
    const T g = WholePower<Ops>(Ops::add(T(1), r), k);
    const T grown = Ops::mul(g, C);
    const T saved = Ops::div(Ops::mul(Ops::sub(g, T(1)), P), r);
    return Ops::add(grown, saved);
}

// Whether a yearly draw D from savings A earning the real return e never
// runs them down: e is positive and a year's earnings e·A cover the draw.
template <class Ops, class T>
bool NeverSpent(T e, T A, T D) {
    return e > T(0) && !(D > Ops::mul(e, A));
}

}  // namespace nestora
