// SPDX-License-Identifier: MIT
// The six plan values the user enters and the four results computed from
// them. Money is in currency units; rates are fractions (7.5 % is 0.075).
#pragma once

#include <cstdint>

#include "number/arith.h"

namespace nestora {

struct Plan {
    Extended CurrentSavings = 0;
    Extended AnnualSavings = 0;
    Extended InvestmentReturn = 0;
    Extended InflationRate = 0;
    Extended RetirementDraw = 0;
    std::int32_t YearsToRetirement = 0;
};

// 65000, 12000, 7.5 %, 3 %, 6.5 %, 20 years; each rate is the value that
// typing its percent into its field gives.
Plan DefaultPlan();

// The count of years shown when the draw never runs the savings down (the
// real return's earnings cover every year's draw): a round number far beyond
// any retirement, standing for "as long as you like".
inline constexpr std::int32_t YearsWhenNeverSpent = 1000;

struct Projection {
    Extended SavingsAtRetirement = 0;
    Extended AdjustedSavings = 0;
    Extended AdjustedDraw = 0;
    std::int32_t YearsProvided = 0;  // YearsWhenNeverSpent when the draw never ends
};

}  // namespace nestora
