// SPDX-License-Identifier: MIT
// Stretches of history with the life around the plan, worked by hand over
// three years of given markets.
#include <gtest/gtest.h>

#include <optional>

#include "schedule/history.h"

namespace nestora {
namespace {

// Stocks only (w = 1): growth 1.10, 0.80, 1.30; prices of each year's end
// against today's 1.05, 1.155, 1.1319.
const MarketYear kLifeYears[] = {
    {2001, 0.10, 0.02, 0.05},
    {2002, -0.20, 0.04, 0.10},
    {2003, 0.30, 0.00, -0.02},
};

struct StretchCase {
    const char* name;
    std::int32_t n, horizon;
    double C, P, D, d;
    LifePlan life;
    std::int32_t fullYears;
    double end;  // in today's money after the third year
};

LifePlan StretchSpending(double spend, std::vector<IncomeStream> incomes = {},
                         std::vector<OneOffSum> sums = {}, double growth = 0) {
    LifePlan life;
    life.spendToday = spend;
    life.incomes = std::move(incomes);
    life.oneOffs = std::move(sums);
    life.savingGrowth = growth;
    return life;
}

LifePlan StretchRule(SpendingRule rule) {
    LifePlan life;
    life.rule = rule;
    return life;
}

TEST(HistoryLifePlan, HandWorkedStretches) {
    const IncomeStream indexedFromTwo{"rent", 150, 2, std::nullopt, true};
    const IncomeStream fixedFromOne{"pension", 100, 1, std::nullopt, false};
    const IncomeStream fromThree{"pension", 100, 3, std::nullopt, true};
    // clang-format off
    const StretchCase cases[] = {
        // Spending 400, income 150 from the second year:
        //   1100 − 400 = 700; 560 − 250 = 310; 403 − 250 = 153.
        {"IncomeCoversPart", 0, 3, 1000, 0, 0, 0, StretchSpending(400, {indexedFromTwo}), 3, 153},
        // An income of 100 that is not indexed is worth 100·1.05 ÷ 1.155 =
        // 90.909091 in the second year and 100·1.05 ÷ 1.1319 = 92.764378 in
        // the third: 1100 − 300 = 800; 640 − 309.090909 = 330.909091;
        // 430.181818 − 307.235622.
        {"IncomeNotIndexed", 0, 3, 1000, 0, 0, 0, StretchSpending(400, {fixedFromOne}), 3, 122.946197},
        // Saving 100 growing 10 % a year, a sum of 200 in the first year and
        // of −50 in the third: 1100 + 100 ÷ 1.05 + 200 = 1395.238095;
        // ·0.80 + 110 ÷ 1.155 = 1211.428571; ·1.30 − 50 − 50.
        {"SumsAndGrowth", 2, 1, 1000, 100, 0, 0,
         StretchSpending(50, {}, {{200, 1}, {-50, 3}}, 0.1), 1, 1474.857143},
        // Spending 700 with income only from the third year runs out in the
        // second: 1100 − 700 = 400; 320 < 700.
        {"RunsOut", 0, 3, 1000, 0, 0, 0, StretchSpending(700, {fromThree}), 1, 0},
        // Percent, d = 10 %: pays 100, 100, 70: 1000, 700, 910 − 70.
        {"Percent", 0, 3, 1000, 0, 0, 0.1, StretchRule(SpendingRule::Percent), 3, 840},
        // Guardrails from D = 100 (s0 = 10 %): 1000, then 100 within 80 … 120
        // of 1000's 100: 700; then 100 above 1.2·70: cut to 90: 910 − 90.
        {"Guardrails", 0, 3, 1000, 0, 100, 0, StretchRule(SpendingRule::Guardrails), 3, 820},
    };
    // clang-format on
    for (const StretchCase& c : cases) {
        SCOPED_TRACE(c.name);
        Plan plan;
        plan.CurrentSavings = c.C;
        plan.AnnualSavings = c.P;
        plan.InvestmentReturn = 0.5L;  // the plan's own return and inflation
        plan.InflationRate = 0.25L;    // play no part in history
        plan.RetirementDraw = c.d;
        plan.YearsToRetirement = c.n;
        Projection projection;
        projection.AdjustedDraw = c.D;
        HistoryOptions options;
        options.stockShare = 1;
        options.horizon = c.horizon;
        const History h = RunHistory(plan, projection, options, c.life, kLifeYears);
        ASSERT_EQ(h.stretches.paths, 1);
        EXPECT_EQ(h.fullYears(0), c.fullYears);
        EXPECT_NEAR(h.endBalance(0), c.end, 1e-6);
        EXPECT_EQ(h.summary.fundedPaths, c.fullYears == c.horizon ? 1 : 0);
    }
}

}  // namespace
}  // namespace nestora
