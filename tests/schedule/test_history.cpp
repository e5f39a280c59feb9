// SPDX-License-Identifier: MIT
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "schedule/history.h"

namespace nestora {
namespace {

// Three years worked by hand: stocks, bonds, inflation.
const MarketYear kThreeYears[] = {
    {2001, 0.10, 0.02, 0.05},
    {2002, -0.20, 0.04, 0.10},
    {2003, 0.30, 0.00, -0.02},
};

Plan SavingPlan(Extended C, Extended P, std::int32_t n) {
    Plan plan;
    plan.CurrentSavings = C;
    plan.AnnualSavings = P;
    // The plan's own return and inflation play no part in history.
    plan.InvestmentReturn = 0.5L;
    plan.InflationRate = 0.25L;
    plan.YearsToRetirement = n;
    return plan;
}

Projection DrawOf(Extended D) {
    Projection projection;
    projection.AdjustedDraw = D;
    return projection;
}

HistoryOptions Options(double stockShare, std::int32_t horizon) {
    HistoryOptions options;
    options.stockShare = stockShare;
    options.horizon = horizon;
    return options;
}

struct HandCase {
    const char* name;
    std::int32_t n, horizon;
    double C, P, D, w;
    std::int32_t fullYears;
    double end;  // in today's money after the third year
};

// The growth factors 1 + w·stocks + (1 − w)·bonds of the three years:
//   w = 1: 1.10, 0.80, 1.30   w = 0: 1.02, 1.04, 1.00   w = 0.6: 1.068, 0.896, 1.18
// and the saving of 100 in today's money: 100 ÷ 1.05 = 95.238095 in the
// first year, 100 ÷ (1.05·1.10) = 86.580087 in the second.
// clang-format off
const HandCase kHandCases[] = {
    // Two saving years and one retirement year with a draw of 50:
    //   1000·1.10 + 95.238095 = 1195.238095; ·0.80 + 86.580087 = 1042.770563; ·1.30 − 50
    {"SaveTwiceStocks", 2, 1, 1000, 100, 50,   1.0, 1, 1305.601732},
    //   1000·1.02 + 95.238095 = 1115.238095; ·1.04 + 86.580087 = 1246.427706; − 50
    {"SaveTwiceBonds",  2, 1, 1000, 100, 50,   0.0, 1, 1196.427706},
    //   1068 + 95.238095 = 1163.238095; ·0.896 + 86.580087 = 1128.841420; ·1.18 − 50
    {"SaveTwiceMix",    2, 1, 1000, 100, 50,   0.6, 1, 1282.032875},
    // Three retirement years drawing 300: 800, 340, 142 (stocks);
    // 720, 448.8, 148.8 (bonds); 768, 388.128, 157.99104 (the mix).
    {"DrawStocks",      0, 3, 1000, 0,   300,  1.0, 3, 142},
    {"DrawBonds",       0, 3, 1000, 0,   300,  0.0, 3, 148.8},
    {"DrawMix",         0, 3, 1000, 0,   300,  0.6, 3, 157.99104},
    // Drawing 400 the third year falls short: 208 < 400 (stocks),
    // 244.8 (bonds), 234.26304 (the mix); it takes what is left.
    {"RunsOutStocks",   0, 3, 1000, 0,   400,  1.0, 2, 0},
    {"RunsOutBonds",    0, 3, 1000, 0,   400,  0.0, 2, 0},
    {"RunsOutMix",      0, 3, 1000, 0,   400,  0.6, 2, 0},
    // One saving year, two retirement years drawing 500:
    //   1195.238095·0.80 − 500 = 456.190476; ·1.30 − 500
    {"SaveOnceStocks",  1, 2, 1000, 100, 500,  1.0, 2, 93.047619},
    {"SaveOnceBonds",   1, 2, 1000, 100, 500,  0.0, 2, 159.847619},
    {"SaveOnceMix",     1, 2, 1000, 100, 500,  0.6, 2, 139.868373},
    // Saving, then a first retirement year that cannot pay 2000.
    {"FailsAtOnce",     2, 1, 1000, 100, 2000, 0.6, 0, 0},
};
// clang-format on

TEST(History, HandWorkedStretches) {
    for (const HandCase& c : kHandCases) {
        SCOPED_TRACE(c.name);
        const History h = RunHistory(SavingPlan(c.C, c.P, c.n), DrawOf(c.D),
                                     Options(c.w, c.horizon), {}, kThreeYears);
        ASSERT_EQ(h.stretches.paths, 1);
        EXPECT_EQ(h.startYear(0), 2001);
        EXPECT_EQ(h.fullYears(0), c.fullYears);
        EXPECT_NEAR(h.endBalance(0), c.end, 1e-6);
        EXPECT_EQ(h.summary.fundedPaths, c.fullYears == c.horizon ? 1 : 0);
        // The balance of every year is the stretch's own, as percentiles of one.
        EXPECT_DOUBLE_EQ(h.summary.years.back().p50Today, h.endBalance(0));
    }
}

TEST(History, EachStartYearRunsThroughItsOwnYears) {
    // Stocks only, no saving, no draw: the end balance is the product of the
    // stretch's own growth factors.
    const auto markets = UsMarkets();
    const History h = RunHistory(SavingPlan(1000, 0, 1), DrawOf(0), Options(1, 2), {}, markets);
    ASSERT_EQ(h.stretches.paths, static_cast<std::int32_t>(markets.size()) - 2);
    for (std::int32_t p = 0; p < h.stretches.paths; ++p) {
        const auto at = static_cast<std::size_t>(p);
        const double expected = 1000 * (1 + markets[at].stocks) * (1 + markets[at + 1].stocks) *
                                (1 + markets[at + 2].stocks);
        EXPECT_NEAR(h.endBalance(p), expected, 1e-9 * expected) << h.startYear(p);
        EXPECT_EQ(h.startYear(p), markets[at].year);
    }
    // January 1929 to January 1932: stocks lost more than half, in real terms.
    EXPECT_EQ(h.startYear(1929 - 1871), 1929);
    EXPECT_GT(h.endBalance(1929 - 1871), 400);
    EXPECT_LT(h.endBalance(1929 - 1871), 500);
}

TEST(History, TheSavingIsDeflatedByTheStretchsOwnInflation) {
    // Bonds only, a saving of 1000 a year and nothing at the start: the
    // first saving year is worth 1000 ÷ (1 + its inflation) in today's money.
    const auto markets = UsMarkets();
    const History h = RunHistory(SavingPlan(0, 1000, 1), DrawOf(0), Options(0, 1), {}, markets);
    for (std::int32_t p = 0; p < h.stretches.paths; ++p) {
        const MarketYear& y = markets[static_cast<std::size_t>(p)];
        EXPECT_NEAR(h.stretches.at(1, p), 1000 / (1 + y.inflation), 1e-9) << y.year;
    }
}

TEST(History, StretchCountIsTheDataYearsLessThePlansYearsPlusOne) {
    const auto markets = UsMarkets();
    const auto held = static_cast<std::int32_t>(markets.size());
    struct Span {
        std::int32_t n, horizon;
    };
    for (const Span s :
         {Span{0, 1}, Span{20, 30}, Span{0, 30}, Span{40, 40}, Span{held - 80, 80}}) {
        const History h = RunHistory(SavingPlan(65000, 12000, s.n), DrawOf(5000),
                                     Options(0.6, s.horizon), {}, markets);
        EXPECT_EQ(h.stretches.paths, held - (s.n + s.horizon) + 1) << s.n << " + " << s.horizon;
        EXPECT_EQ(h.summary.paths, h.stretches.paths);
        EXPECT_EQ(h.startYear(h.stretches.paths - 1), markets.back().year - (s.n + s.horizon) + 1);
    }
    EXPECT_EQ(StretchCount(30, markets), held - 29);
    EXPECT_EQ(StretchCount(held, markets), 1);
    EXPECT_EQ(StretchCount(held + 1, markets), 0);
}

TEST(History, APlanLongerThanTheDataSaysHowManyYearsItHolds) {
    try {
        RunHistory(SavingPlan(1000, 100, 2), DrawOf(50), Options(0.6, 2), {}, kThreeYears);
        FAIL() << "no error";
    } catch (const HistoryTooLong& e) {
        EXPECT_EQ(e.yearsNeeded, 4);
        EXPECT_EQ(e.yearsHeld, 3);
        EXPECT_STREQ(e.what(),
                     "The plan needs 4 years of market history, but the data holds 3 years "
                     "(2001 to 2003).");
    }
}

TEST(History, OptionsOutOfRangeAreRefused) {
    const Plan plan = SavingPlan(1000, 100, 0);
    for (const double w : {-0.01, 1.01}) {
        EXPECT_THROW(RunHistory(plan, DrawOf(50), Options(w, 1), {}, kThreeYears),
                     std::invalid_argument);
    }
    for (const std::int32_t horizon : {MinHorizon - 1, MaxHorizon + 1}) {
        EXPECT_THROW(RunHistory(plan, DrawOf(50), Options(0.6, horizon)), std::invalid_argument);
    }
}

TEST(History, TheWorstStartHasFewestFullYearsThenTheSmallestEndBalance) {
    // Stocks only, drawing 500 from 1000: a year of −50 % ends a stretch at
    // once; after +100 % the money lasts.
    const MarketYear years[] = {
        {1, 0.00, 0, 0}, {2, 0.00, 0, 0}, {3, -0.50, 0, 0}, {4, 1.00, 0, 0}, {5, 0.10, 0, 0},
    };
    const History h = RunHistory(SavingPlan(1000, 0, 0), DrawOf(300), Options(1, 2), {}, years);
    // Starts 1: 700, 400 (full, ends 400); 2: 700, 50 (full, ends 50);
    // 3: 500 − 300 = 200, 400 − 300 = 100 (full, ends 100); 4: 1700, 1570.
    ASSERT_EQ(h.stretches.paths, 4);
    EXPECT_EQ(h.summary.fundedPaths, 4);
    EXPECT_EQ(h.startYear(h.worstStretch), 2);

    const History shorter =
        RunHistory(SavingPlan(1000, 0, 0), DrawOf(600), Options(1, 2), {}, years);
    // Start 1: 400, then 400 < 600: one year; start 2: 400, 200 < 600: one
    // year; start 3: 500 < 600: none; start 4: 1400, 940.
    EXPECT_EQ(shorter.startYear(shorter.worstStretch), 3);
    EXPECT_EQ(shorter.summary.fundedPaths, 1);
    EXPECT_EQ(shorter.fullYears(shorter.worstStretch), 0);
}

}  // namespace
}  // namespace nestora
