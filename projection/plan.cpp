// SPDX-License-Identifier: MIT
#include "projection/plan.h"

namespace nestora {

// The rate literals are the extended values nearest 0.075, 0.03 and 0.065:
// the same values as "7.5", "3" and "6.5" parsed (exactly) and divided by 100
// with one rounding.
Plan DefaultPlan() {
    Plan plan;
    plan.CurrentSavings = 65000;
    plan.AnnualSavings = 12000;
    plan.InvestmentReturn = 0.075L;
    plan.InflationRate = 0.03L;
    plan.RetirementDraw = 0.065L;
    plan.YearsToRetirement = 20;
    return plan;
}

}  // namespace nestora
