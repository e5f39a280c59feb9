// SPDX-License-Identifier: MIT
// The schedule of a plan with its LifePlan against a reference written here
// from the plan's description alone, in plain long double and one loop per
// phase: the same years, full years, payments, income and balances.
#include <gtest/gtest.h>

#include <cmath>
#include <optional>
#include <ostream>
#include <string>
#include <vector>

#include "schedule/schedule.h"
#include "schedule/schedule_note.h"
#include "simulation_support.h"

namespace nestora {
namespace {

using testing::MakePlan;
using testing::Projected;

struct ReferenceYear {
    long double saving = 0, paid = 0, income = 0, balanceToday = 0;
    bool full = true;
};

long double Ld(Extended x) { return static_cast<long double>(fp::toDouble(x)); }

// The plan as a person would work it out, year by year.
std::vector<ReferenceYear> Reference(const Plan& plan, const LifePlan& life) {
    const long double r = Ld(plan.InvestmentReturn), i = Ld(plan.InflationRate);
    const long double d = Ld(plan.RetirementDraw), g = Ld(life.savingGrowth);
    const int n = plan.YearsToRetirement;
    const auto oneOff = [&](int year) {
        long double sum = 0;
        for (const OneOffSum& s : life.oneOffs)
            if (s.year == year) sum += Ld(s.amountToday);
        return sum;
    };
    std::vector<ReferenceYear> years;
    long double nominal = Ld(plan.CurrentSavings);
    for (int k = 1; k <= n; ++k) {
        ReferenceYear y;
        y.saving = Ld(plan.AnnualSavings) * std::pow(1 + g, k - 1);
        nominal = nominal * (1 + r) + y.saving + oneOff(k) * std::pow(1 + i, k);
        y.balanceToday = nominal / std::pow(1 + i, k);
        years.push_back(y);
    }
    const long double atRetirement = nominal / std::pow(1 + i, n);
    const long double D = d * atRetirement;
    long double balance = atRetirement;
    long double level = life.spendToday ? Ld(*life.spendToday) : D;
    long double startRate = 0;
    for (int j = 1; j <= MaxRetirementYears; ++j) {
        const int year = n + j;
        ReferenceYear y;
        for (const IncomeStream& s : life.incomes) {
            if (year < s.firstYear || (s.lastYear && year > *s.lastYear)) continue;
            const long double amount = Ld(s.amountToday);
            y.income += s.indexed ? amount : amount / std::pow(1 + i, year - s.firstYear);
        }
        const auto fromSavings = [&](long double spending) {
            return life.spendToday ? std::max(0.0L, spending - y.income) : spending;
        };
        long double amount = fromSavings(level);
        if (life.rule == SpendingRule::Percent) amount = d * balance;
        if (life.rule == SpendingRule::Guardrails) {
            if (j == 1) {
                startRate = balance > 0 ? amount / balance : 0;
            } else if (startRate > 0 && amount > 1.2L * startRate * balance) {
                level *= 0.9L;
            } else if (startRate > 0 && amount < 0.8L * startRate * balance) {
                level *= 1.1L;
            }
            amount = fromSavings(level);
        }
        const long double grown = balance * (1 + r - i);
        y.full = grown >= amount;
        y.paid = y.full ? amount : grown;
        balance = y.full ? std::max(0.0L, grown - amount + oneOff(year)) : 0;
        y.balanceToday = balance;
        years.push_back(y);
        if (!y.full || (balance <= 0 && amount > 0)) break;
    }
    return years;
}

IncomeStream Income(Extended amount, std::int32_t first, std::optional<std::int32_t> last = {},
                    bool indexed = true) {
    return IncomeStream{"", amount, first, last, indexed};
}

struct LifeCase {
    const char* name;
    Plan plan;
    LifePlan life;
    std::int32_t lastYear;  // the table's last year: 20 + 100 when the money lasts
    bool runsOut;
};

void PrintTo(const LifeCase& c, std::ostream* os) { *os << c.name; }

const Plan kDefaults = MakePlan(65000, 12000, 0.075L, 0.03L, 0.065L, 20);
const Plan kLean = MakePlan(65000, 12000, 0.05L, 0.03L, 0.065L, 20);

LifePlan With(void (*edit)(LifePlan&)) {
    LifePlan life;
    edit(life);
    return life;
}

// clang-format off
const LifeCase kLifeCases[] = {
    // The draw is a share of the balance at retirement, so its years stay 27.
    {"SavingsGrow", kDefaults, With([](LifePlan& l) { l.savingGrowth = 0.03L; }), 47, true},
    {"SavingsShrink", kDefaults, With([](LifePlan& l) { l.savingGrowth = -0.2L; }), 47, true},
    {"SavingsGrowForASpending", kDefaults,
     With([](LifePlan& l) { l.savingGrowth = 0.04L; l.spendToday = 70000; }), 0, true},
    {"IndexedIncomeOnTop", kDefaults,
     With([](LifePlan& l) { l.incomes = {Income(15000, 22)}; }), 47, true},
    // A pension from year 12 that is not indexed: counted from year 21, by
    // then worth 15000 ÷ 1.03^9 in today's money, and less each year.
    {"FixedIncomeFromBeforeRetirement", kLean,
     With([](LifePlan& l) { l.incomes = {Income(15000, 12, 60, false)}; l.spendToday = 40000; }),
     0, true},
    {"SpendCovered", kLean,
     With([](LifePlan& l) { l.incomes = {Income(20000, 21), Income(10000, 25)}; l.spendToday = 18000; }),
     120, false},
    {"SpendNotCovered", kLean,
     With([](LifePlan& l) { l.incomes = {Income(12000, 21, 30)}; l.spendToday = 50000; }), 0, true},
    {"OneOffsInBothPhases", kDefaults,
     With([](LifePlan& l) { l.oneOffs = {{50000, 10}, {-20000, 15}, {-150000, 30}, {80000, 40}}; }),
     0, true},
    {"SumTakenBeyondTheBalance", kDefaults,
     With([](LifePlan& l) { l.oneOffs = {{-2000000, 25}}; }), 25, true},
    {"Percent", kLean, With([](LifePlan& l) { l.rule = SpendingRule::Percent; }), 120, false},
    {"PercentWithIncomeAndSums", kLean,
     With([](LifePlan& l) { l.rule = SpendingRule::Percent; l.incomes = {Income(9000, 30)};
                            l.oneOffs = {{30000, 5}, {-40000, 33}}; }), 120, false},
    // Where the fixed draw runs out, the cuts make the money last.
    {"Guardrails", kLean, With([](LifePlan& l) { l.rule = SpendingRule::Guardrails; }), 120, false},
    {"GuardrailsRaise", MakePlan(65000, 12000, 0.09L, 0.02L, 0.04L, 20),
     With([](LifePlan& l) { l.rule = SpendingRule::Guardrails; }), 120, false},
    {"GuardrailsWithSpendAndIncome", kDefaults,
     With([](LifePlan& l) { l.rule = SpendingRule::Guardrails; l.spendToday = 70000;
                            l.incomes = {Income(20000, 25, {}, false)}; }), 0, true},
};
// clang-format on

class LifePlanSchedule : public ::testing::TestWithParam<LifeCase> {};

TEST_P(LifePlanSchedule, FollowsTheReference) {
    const LifeCase& c = GetParam();
    CheckLifePlan(c.life);
    const Projected p(c.plan);
    const Schedule s = MakeSchedule(p.plan(), p.projection(), c.life);
    const std::vector<ReferenceYear> ref = Reference(c.plan, c.life);
    ASSERT_EQ(s.rows.size(), ref.size());
    if (c.lastYear != 0) {
        EXPECT_EQ(s.rows.back().year, c.lastYear);
    }
    EXPECT_EQ(s.end == ScheduleEnd::RunsOut, c.runsOut);
    std::int32_t full = 0;
    for (std::size_t y = 0; y < ref.size(); ++y) {
        const YearRow& row = s.rows[y];
        const auto near = [](Extended got, long double want) {
            return std::fabs(Ld(got) - want) <= 1e-9L * std::max(1.0L, std::fabs(want));
        };
        EXPECT_TRUE(near(row.saving, ref[y].saving)) << "year " << row.year;
        EXPECT_TRUE(near(row.drawToday, ref[y].paid)) << "year " << row.year;
        EXPECT_TRUE(near(row.incomeToday, ref[y].income)) << "year " << row.year;
        EXPECT_TRUE(near(row.spendToday, ref[y].paid + ref[y].income)) << "year " << row.year;
        EXPECT_TRUE(near(row.balanceToday, ref[y].balanceToday))
            << "year " << row.year << ": " << Ld(row.balanceToday) << " against "
            << ref[y].balanceToday;
        if (row.phase == Phase::Retired && ref[y].full) ++full;
    }
    EXPECT_EQ(s.fullYears, full);
}

INSTANTIATE_TEST_SUITE_P(Schedule, LifePlanSchedule, ::testing::ValuesIn(kLifeCases),
                         [](const auto& row) { return std::string(row.param.name); });

TEST(LifePlanRules, PercentNeverRunsOutAndGuardrailsMoveAtMostATenthAYear) {
    for (const Plan& plan : {kDefaults, kLean, MakePlan(0, 30000, 0.02L, 0.04L, 0.25L, 30)}) {
        const Projected p(plan);
        LifePlan percent;
        percent.rule = SpendingRule::Percent;
        const Schedule kept = MakeSchedule(p.plan(), p.projection(), percent);
        EXPECT_EQ(kept.fullYears, MaxRetirementYears);
        EXPECT_NE(kept.end, ScheduleEnd::RunsOut);

        LifePlan guarded;
        guarded.rule = SpendingRule::Guardrails;
        const Schedule s = MakeSchedule(p.plan(), p.projection(), guarded);
        const auto n = static_cast<std::size_t>(plan.YearsToRetirement);
        bool moved = false;
        for (std::size_t y = n + 1; y < n + static_cast<std::size_t>(s.fullYears); ++y) {
            const long double change = Ld(s.rows[y].drawToday) / Ld(s.rows[y - 1].drawToday);
            EXPECT_GE(change, 0.9L - 1e-12L) << "year " << s.rows[y].year;
            EXPECT_LE(change, 1.1L + 1e-12L) << "year " << s.rows[y].year;
            moved |= change != 1;
        }
        EXPECT_TRUE(moved);
    }
}

TEST(LifePlanRules, TheYearAndAgeTheMoneyRunsOut) {
    const Projected p(kDefaults);
    LifePlan life;
    life.ageNow = 40;
    const Schedule s = MakeSchedule(p.plan(), p.projection(), life);
    ASSERT_EQ(s.end, ScheduleEnd::RunsOut);
    ASSERT_EQ(s.rows.back().year, 47);
    EXPECT_EQ(ScheduleNotes(p.plan(), s, 2026)[0], "The money runs out at age 87, in 2073.");
    // The age alone changes no money.
    const Schedule plain = MakeSchedule(p.plan(), p.projection());
    ASSERT_EQ(plain.rows.size(), s.rows.size());
    for (std::size_t y = 0; y < s.rows.size(); ++y)
        EXPECT_EQ(plain.rows[y].balance, s.rows[y].balance);
}

TEST(LifePlanRules, CheckNamesTheFieldOutOfRange) {
    const auto message = [](void (*edit)(LifePlan&)) {
        try {
            CheckLifePlan(With(edit));
        } catch (const std::invalid_argument& e) {
            return std::string(e.what());
        }
        return std::string();
    };
    EXPECT_EQ(message([](LifePlan&) {}), "");
    EXPECT_NE(message([](LifePlan& l) { l.ageNow = 14; }).find("age"), std::string::npos);
    EXPECT_NE(message([](LifePlan& l) { l.savingGrowth = 0.51L; }).find("growth"),
              std::string::npos);
    EXPECT_NE(message([](LifePlan& l) { l.incomes = {Income(-1, 3)}; }).find("income"),
              std::string::npos);
    EXPECT_NE(message([](LifePlan& l) { l.incomes = {Income(1, 30, 29)}; }).find("last year"),
              std::string::npos);
    EXPECT_NE(message([](LifePlan& l) { l.spendToday = -5; }).find("spending"), std::string::npos);
    EXPECT_NE(message([](LifePlan& l) {
                  l.oneOffs = {{5, 0}};
              }).find("one-off"),
              std::string::npos);
    EXPECT_EQ(SpendingRuleNamed("guardrails"), SpendingRule::Guardrails);
    EXPECT_EQ(SpendingRuleNamed("Fixed"), std::nullopt);
}

}  // namespace
}  // namespace nestora
