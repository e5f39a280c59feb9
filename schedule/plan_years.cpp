// SPDX-License-Identifier: MIT
#include "schedule/plan_years.h"

#include "number/whole_power.h"

namespace nestora {

PriceLevel FixedInflation(const Plan& plan) {
    const Extended onePlusI = fp::add(1, plan.InflationRate);
    return [onePlusI](std::int32_t year) { return PowerOf(onePlusI, year); };
}

namespace {

// A stream's worth in today's money in year y (a retirement year within its years).
Extended IncomeInYear(const IncomeStream& stream, std::int32_t year, const PriceLevel& priceLevel) {
    if (stream.indexed) return stream.amountToday;
    // The same in money of its own years: worth amountToday in its first year.
    return fp::div(fp::mul(stream.amountToday, priceLevel(stream.firstYear)), priceLevel(year));
}

}  // namespace

std::vector<PlanYear> PlanYears(const Plan& plan, const LifePlan& life, std::int32_t years,
                                const PriceLevel& priceLevel) {
    const std::int32_t n = plan.YearsToRetirement > 0 ? plan.YearsToRetirement : 0;
    std::vector<PlanYear> out(static_cast<std::size_t>(years > 0 ? years : 0));
    const Extended growth = fp::add(1, life.savingGrowth);
    for (std::int32_t y = 1; y <= years; ++y) {
        PlanYear& year = out[static_cast<std::size_t>(y - 1)];
        if (y <= n) {
            year.saving = life.savingGrowth == 0
                              ? plan.AnnualSavings
                              : fp::mul(plan.AnnualSavings, PowerOf(growth, y - 1));
            continue;
        }
        for (const IncomeStream& stream : life.incomes) {
            const bool paid = y >= stream.firstYear && (!stream.lastYear || y <= *stream.lastYear);
            if (paid)
                year.incomeToday = fp::add(year.incomeToday, IncomeInYear(stream, y, priceLevel));
        }
    }
    for (const OneOffSum& sum : life.oneOffs)
        if (sum.year >= 1 && sum.year <= years) {
            PlanYear& year = out[static_cast<std::size_t>(sum.year - 1)];
            year.oneOffToday = fp::add(year.oneOffToday, sum.amountToday);
        }
    return out;
}

bool PlainSavingYears(const Plan& plan, const LifePlan& life) {
    if (life.savingGrowth != 0) return false;
    for (const OneOffSum& sum : life.oneOffs)
        if (sum.year <= plan.YearsToRetirement && sum.amountToday != 0) return false;
    return true;
}

RetirementStart StartOfRetirement(const Plan& plan, const Projection& projection,
                                  const LifePlan& life, const std::vector<PlanYear>& years) {
    RetirementStart start;
    RuleTerms<Extended>& terms = start.terms;
    terms.rule = life.rule;
    terms.drawRate = plan.RetirementDraw;
    terms.spends = life.spendToday.has_value();
    terms.spend = life.spendToday.value_or(0);
    if (PlainSavingYears(plan, life)) {
        start.balanceToday = projection.AdjustedSavings;
        terms.draw = projection.AdjustedDraw;
        return start;
    }
    const std::int32_t n = plan.YearsToRetirement;
    const PriceLevel price = FixedInflation(plan);
    const Extended growth = fp::add(1, plan.InvestmentReturn);
    Extended balance = plan.CurrentSavings;
    for (std::int32_t k = 1; k <= n; ++k) {
        const PlanYear& year = years[static_cast<std::size_t>(k - 1)];
        balance = SavingYear(balance, growth, year.saving, fp::mul(year.oneOffToday, price(k)));
    }
    start.balanceToday = fp::div(balance, price(n));
    terms.draw = fp::mul(start.balanceToday, plan.RetirementDraw);
    return start;
}

RuleTerms<double> InDouble(const RuleTerms<Extended>& terms) {
    RuleTerms<double> out;
    out.rule = terms.rule;
    out.draw = fp::toDouble(terms.draw);
    out.drawRate = fp::toDouble(terms.drawRate);
    out.spends = terms.spends;
    out.spend = fp::toDouble(terms.spend);
    return out;
}

}  // namespace nestora
