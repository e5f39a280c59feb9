// SPDX-License-Identifier: MIT
#include "schedule/schedule.h"

#include "number/whole_power.h"
#include "projection/planner.h"
#include "projection/savings_rules.h"

namespace nestora {

Schedule MakeSchedule(const Plan& plan, const Projection& projection) {
    Schedule schedule;
    const std::int32_t n = plan.YearsToRetirement > 0 ? plan.YearsToRetirement : 0;
    const Extended inflation = fp::add(1, plan.InflationRate);
    schedule.savingYears = n;
    schedule.rows.reserve(static_cast<std::size_t>(n + MaxRetirementYears));

    for (std::int32_t k = 1; k <= n; ++k) {
        YearRow row;
        row.year = k;
        row.phase = Phase::Saving;
        row.saving = plan.AnnualSavings;
        row.balance = SavingsAfterYears<CheckedArithmetic>(plan.CurrentSavings, plan.AnnualSavings,
                                                           plan.InvestmentReturn, k);
        row.balanceToday = fp::div(row.balance, PowerOf(inflation, k));
        schedule.rows.push_back(row);
    }

    const Extended A = projection.AdjustedSavings;
    const Extended D = projection.AdjustedDraw;
    const Extended e = fp::sub(plan.InvestmentReturn, plan.InflationRate);
    const Extended growth = fp::add(1, e);
    // calculate's own test for YearsWhenNeverSpent: the year's earnings cover
    // the draw, so the balance never falls.
    schedule.end =
        NeverSpent<CheckedArithmetic>(e, A, D) ? ScheduleEnd::Indefinite : ScheduleEnd::YearLimit;
    Extended left = A;
    for (std::int32_t j = 1; j <= MaxRetirementYears; ++j) {
        YearRow row;
        row.year = n + j;
        row.phase = Phase::Retired;
        const Extended grown = fp::mul(left, growth);
        const bool full = grown >= D;
        row.drawToday = full ? D : grown;
        left = full ? fp::sub(grown, D) : 0;
        row.balanceToday = left;
        row.balance = fp::mul(left, PowerOf(inflation, n + j));
        schedule.rows.push_back(row);
        if (full) ++schedule.fullYears;
        // A balance drawn to exactly 0 has run out as well; with no draw at
        // all there is nothing to run out of.
        if (!full || (left <= 0 && D > 0)) {
            schedule.end = ScheduleEnd::RunsOut;
            break;
        }
    }
    return schedule;
}

}  // namespace nestora
