// SPDX-License-Identifier: MIT
#include "schedule/schedule.h"

#include "number/whole_power.h"
#include "projection/savings_rules.h"
#include "schedule/plan_years.h"
#include "schedule/year_rule.h"

namespace nestora {

namespace {

void AddSavingYears(const Plan& plan, const LifePlan& life, const std::vector<PlanYear>& years,
                    Schedule& schedule) {
    const std::int32_t n = schedule.savingYears;
    const PriceLevel price = FixedInflation(plan);
    const bool plain = PlainSavingYears(plan, life);
    const Extended growth = fp::add(1, plan.InvestmentReturn);
    Extended balance = plan.CurrentSavings;
    for (std::int32_t k = 1; k <= n; ++k) {
        const PlanYear& year = years[static_cast<std::size_t>(k - 1)];
        YearRow row;
        row.year = k;
        row.phase = Phase::Saving;
        row.saving = year.saving;
        row.oneOffToday = year.oneOffToday;
        const Extended level = price(k);
        balance = plain
                      ? SavingsAfterYears<CheckedArithmetic>(
                            plan.CurrentSavings, plan.AnnualSavings, plan.InvestmentReturn, k)
                      : SavingYear(balance, growth, year.saving, fp::mul(year.oneOffToday, level));
        row.balance = balance;
        row.balanceToday = fp::div(balance, level);
        schedule.rows.push_back(row);
    }
}

}  // namespace

Schedule MakeSchedule(const Plan& plan, const Projection& projection, const LifePlan& life) {
    Schedule schedule;
    const std::int32_t n = plan.YearsToRetirement > 0 ? plan.YearsToRetirement : 0;
    const Extended inflation = fp::add(1, plan.InflationRate);
    schedule.savingYears = n;
    schedule.ageNow = life.ageNow;
    schedule.detailed = ChangesMoney(life);
    schedule.rule = life.rule;
    schedule.rows.reserve(static_cast<std::size_t>(n + MaxRetirementYears));

    const std::vector<PlanYear> years =
        PlanYears(plan, life, n + MaxRetirementYears, FixedInflation(plan));
    AddSavingYears(plan, life, years, schedule);

    const RetirementStart start = StartOfRetirement(plan, projection, life, years);
    const Extended D = start.terms.draw;
    const Extended e = fp::sub(plan.InvestmentReturn, plan.InflationRate);
    const Extended growth = fp::add(1, e);
    // calculate's own test for YearsWhenNeverSpent: the year's earnings cover
    // the draw, so the balance never falls.
    const bool indefinite =
        !schedule.detailed && NeverSpent<CheckedArithmetic>(e, start.balanceToday, D);
    schedule.end = indefinite ? ScheduleEnd::Indefinite : ScheduleEnd::YearLimit;
    RetiredBalance<Extended> state;
    state.today = start.balanceToday;
    for (std::int32_t j = 1; j <= MaxRetirementYears; ++j) {
        const PlanYear& year = years[static_cast<std::size_t>(n + j - 1)];
        YearRow row;
        row.year = n + j;
        row.phase = Phase::Retired;
        const RetiredYearResult<Extended> paid =
            RetiredYear(start.terms, state, growth, year.incomeToday, year.oneOffToday);
        row.drawToday = paid.paid;
        row.incomeToday = year.incomeToday;
        row.spendToday = year.incomeToday != 0 ? fp::add(paid.paid, year.incomeToday) : paid.paid;
        row.oneOffToday = paid.full ? year.oneOffToday : Extended(0);
        row.balanceToday = state.today;
        row.balance = fp::mul(state.today, PowerOf(inflation, n + j));
        schedule.rows.push_back(row);
        if (paid.full) ++schedule.fullYears;
        if (state.ranOut) {
            schedule.end = ScheduleEnd::RunsOut;
            break;
        }
    }
    return schedule;
}

}  // namespace nestora
