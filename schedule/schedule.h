// SPDX-License-Identifier: MIT
// The year-by-year schedule behind the four results: the saving years that
// lead to the savings at retirement, then the retirement years that draw
// them down, in the same checked extended arithmetic as calculate.
//
// Saving year k = 1 .. n: the nominal balance Bk = g·C + (g − 1)·P ÷ r with
// g = (1 + r)^k (r = 0: k·P + C), so Bn is SavingsAtRetirement to the last
// bit; in today's money Tk = Bk ÷ (1 + i)^k, so Tn is AdjustedSavings.
//
// Retirement year j = 1, 2, ... in today's money with the real return
// e = r − i: R0 = A; the year earns e and the draw D is taken at its end. A
// full year is one where R(j−1)·(1 + e) ≥ D; in the first year where it is
// not, the remainder is drawn and the balance is 0. The nominal balance is
// Rj·(1 + i)^(n + j).
//
// For e > 0 the number of full years is YearsProvided (except where the
// count's quotient lies on a whole number). For e < 0 YearsProvided is A ÷ D,
// which leaves out the shrinking, and the schedule runs out sooner.
//
// With a LifePlan that changes money (ChangesMoney), every year follows the
// year rule (year_rule.h) at the plan's fixed return: saving years
// nominal with the growing savings and the one-off sums, retirement years in
// today's money by the spending rule, with the other income beside them.
// Saving years without growth or one-off sums keep the closed form above,
// so the balance at retirement stays calculate's.
#pragma once

#include <cstdint>
#include <optional>
#include <vector>

#include "number/arith.h"
#include "projection/plan.h"
#include "schedule/life_plan.h"

namespace nestora {

enum class Phase { Saving, Retired };

struct YearRow {
    std::int32_t year = 0;  // k for a saving year, n + j for retirement year j
    Phase phase = Phase::Saving;
    Extended saving = 0;     // added at the year's end (P·(1 + g)^(k − 1) while saving, else 0)
    Extended drawToday = 0;  // what savings paid at the year's end, in today's money
    Extended incomeToday = 0;   // other income of the year, in today's money
    Extended spendToday = 0;    // drawToday + incomeToday
    Extended oneOffToday = 0;   // the one-off sums counted that year
    Extended balance = 0;       // at the year's end, in money of that year
    Extended balanceToday = 0;  // the same in today's money
};

// Why the retirement years stop.
enum class ScheduleEnd {
    RunsOut,     // the last row drew what was left; the balance is 0
    Indefinite,  // the real return covers the draw (YearsProvided is 1000); only
                 // for a plan that LifePlan does not change
    YearLimit,   // still money after MaxRetirementYears
};

inline constexpr std::int32_t MaxRetirementYears = 100;

struct Schedule {
    std::vector<YearRow> rows;  // the saving years, then the retirement years
    std::int32_t savingYears = 0;
    std::int32_t fullYears = 0;  // retirement years with the whole draw paid
    ScheduleEnd end = ScheduleEnd::RunsOut;
    std::optional<std::int32_t> ageNow;  // the LifePlan's
    bool detailed = false;               // ChangesMoney of the LifePlan
    SpendingRule rule = SpendingRule::Fixed;
};

// The schedule of `plan`, whose results calculate has put in `projection`.
// Raises the arithmetic faults that its steps meet (none for a plan whose
// calculate ended without a fault, within the entry ranges). `life` must
// pass CheckLifePlan.
Schedule MakeSchedule(const Plan& plan, const Projection& projection, const LifePlan& life = {});

}  // namespace nestora
