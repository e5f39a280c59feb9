// SPDX-License-Identifier: MIT
// Every market follows the schedule's year rule: with returns that do not
// vary each one is the schedule of the whole plan to the whole unit, and
// income that covers the spending funds every market.
#include <gtest/gtest.h>

#include <cmath>
#include <string>

#include "schedule/schedule.h"
#include "schedule/simulation.h"
#include "simulation_support.h"

namespace nestora {
namespace {

using testing::MakePlan;
using testing::Projected;

LifePlan EveryInput(SpendingRule rule, bool spends) {
    LifePlan life;
    life.ageNow = 45;
    life.savingGrowth = 0.025L;
    life.incomes = {{"State pension", 11000, 23, {}, true}, {"Works pension", 6000, 15, 60, false}};
    if (spends) life.spendToday = 52000;
    life.oneOffs = {{25000, 8}, {-15000, 19}, {120000, 31}, {-30000, 26}};
    life.rule = rule;
    return life;
}

class FixedReturnLifePlan : public ::testing::TestWithParam<std::tuple<SpendingRule, bool, Plan>> {
};

TEST_P(FixedReturnLifePlan, IsTheScheduleToTheWholeUnit) {
    const auto& [rule, spends, plan] = GetParam();
    const LifePlan life = EveryInput(rule, spends);
    const Projected p(plan);
    const Schedule schedule = MakeSchedule(p.plan(), p.projection(), life);
    SimulationOptions options;
    options.volatility = 0;
    options.horizon = MaxHorizon;
    options.paths = 4;
    const Simulation s = Simulate(p.plan(), p.projection(), options, life);
    const std::int32_t n = plan.YearsToRetirement;
    for (const SimulatedYear& year : s.years) {
        const auto index = static_cast<std::size_t>(year.year) - 1;
        const double expected =
            index < schedule.rows.size() ? fp::toDouble(schedule.rows[index].balanceToday) : 0;
        EXPECT_EQ(std::nearbyint(year.p50Today), std::nearbyint(expected)) << "year " << year.year;
        EXPECT_EQ(year.funded, year.year <= n + schedule.fullYears ? 1 : 0) << "year " << year.year;
    }
}

INSTANTIATE_TEST_SUITE_P(
    Simulation, FixedReturnLifePlan,
    ::testing::Combine(::testing::Values(SpendingRule::Fixed, SpendingRule::Percent,
                                         SpendingRule::Guardrails),
                       ::testing::Bool(),
                       ::testing::Values(MakePlan(65000, 12000, 0.075L, 0.03L, 0.065L, 20),
                                         MakePlan(65000, 12000, 0.04L, 0.03L, 0.065L, 20),
                                         MakePlan(400000, 0, 0.02L, 0.05L, 0.08L, 0))));

TEST(SimulatedLifePlan, IncomeThatCoversTheSpendingFundsEveryMarket) {
    for (const double sigma : {0.12, 0.5}) {
        const Projected p(MakePlan(1000, 0, 0.01L, 0.04L, 0.25L, 5));
        LifePlan life;
        life.incomes = {{"", 30000, 1, {}, true}, {"", 5000, 6, 20, true}};
        life.spendToday = 30000;
        life.oneOffs = {{-5000000, 12}};  // taken beyond the balance: it takes what is there
        for (const SpendingRule rule : {SpendingRule::Fixed, SpendingRule::Guardrails}) {
            life.rule = rule;
            SimulationOptions options;
            options.volatility = sigma;
            options.horizon = MaxHorizon;
            options.paths = 2000;
            const Simulation s = Simulate(p.plan(), p.projection(), options, life);
            EXPECT_EQ(s.fundedPaths, s.paths);
            EXPECT_EQ(s.funded(), 1.0);
            EXPECT_EQ(s.years.back().funded, 1.0);
        }
    }
}

TEST(SimulatedLifePlan, SpendingBeyondIncomeFundsFewerMarketsThanAPlainDraw) {
    const Projected p(MakePlan(65000, 12000, 0.075L, 0.03L, 0.065L, 20));
    SimulationOptions options;
    options.paths = 2000;
    const Simulation plain = Simulate(p.plan(), p.projection(), options);
    LifePlan life;
    life.spendToday = 80000;
    life.incomes = {{"", 20000, 22, {}, true}};
    const Simulation spending = Simulate(p.plan(), p.projection(), options, life);
    EXPECT_LT(spending.fundedPaths, plain.fundedPaths);
    life.rule = SpendingRule::Percent;
    EXPECT_EQ(Simulate(p.plan(), p.projection(), options, life).fundedPaths, options.paths);
}

}  // namespace
}  // namespace nestora
