// SPDX-License-Identifier: MIT
// What a plan brings in each year besides the market, worked out once for
// every market: the saving of each saving year, the one-off sums, the other
// income, and the amount savings start to pay in retirement. The year rule
// (year_rule.h) takes these.
#pragma once

#include <cstdint>
#include <functional>
#include <vector>

#include "number/arith.h"
#include "projection/plan.h"
#include "schedule/life_plan.h"
#include "schedule/year_rule.h"

namespace nestora {

struct PlanYear {
    Extended saving = 0;       // saving years: P·(1 + g)^(k − 1), money of that year
    Extended oneOffToday = 0;  // the year's one-off sums, today's money
    Extended incomeToday = 0;  // retirement years: the other income, today's money
};

// The price level of year y (y = 0 is today): money of that year per unit
// of today's money, (1 + i)^y for a fixed inflation.
using PriceLevel = std::function<Extended(std::int32_t year)>;
PriceLevel FixedInflation(const Plan& plan);

// Years 1 … years of `life` for `plan` (n saving years, the rest retired).
std::vector<PlanYear> PlanYears(const Plan& plan, const LifePlan& life, std::int32_t years,
                                const PriceLevel& priceLevel);

// True when the saving years are those of the six values alone (no growth
// of the savings, no one-off sum before retirement): the balance at
// retirement is then calculate's.
bool PlainSavingYears(const Plan& plan, const LifePlan& life);

// The balance at retirement in today's money (A) and the spending rule's
// terms for the fixed-return plan: calculate's A and D for plain saving
// years, else the saving years run through the year rule at the plan's
// return, A = Bn ÷ (1 + i)^n and D = d·A.
struct RetirementStart {
    Extended balanceToday = 0;
    RuleTerms<Extended> terms;
};
RetirementStart StartOfRetirement(const Plan& plan, const Projection& projection,
                                  const LifePlan& life, const std::vector<PlanYear>& years);

// The terms in double, for the simulation.
RuleTerms<double> InDouble(const RuleTerms<Extended>& terms);

}  // namespace nestora
