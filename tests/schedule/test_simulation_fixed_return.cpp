// SPDX-License-Identifier: MIT
// With returns that do not vary, every simulated market is the year-by-year
// schedule: the three percentiles are its balance in today's money to the
// whole unit, and the funded share is 1 for its full years and 0 after.
#include <gtest/gtest.h>

#include <cmath>
#include <ostream>

#include "schedule/schedule.h"
#include "schedule/simulation.h"
#include "simulation_support.h"

namespace nestora {
namespace {

using testing::MakePlan;
using testing::Projected;

struct FixedCase {
    const char* name;
    Plan plan;
};

void PrintTo(const FixedCase& c, std::ostream* os) { *os << c.name; }

// clang-format off
const FixedCase kFixedReturnPlans[] = {
    {"Defaults",               MakePlan(65000,  12000, 0.075L, 0.03L, 0.065L, 20)},
    {"HighDrawShortYears",     MakePlan(65000,  12000, 0.075L, 0.03L, 0.25L,  5)},
    {"SmallRealReturn",        MakePlan(10000,  500,   0.031L, 0.03L, 0.02L,  40)},
    {"NoSavingYears",          MakePlan(65000,  12000, 0.075L, 0.03L, 0.065L, 0)},
    {"LongestSaving",          MakePlan(65000,  12000, 0.075L, 0.03L, 0.065L, 80)},
    {"ReturnEqualToInflation", MakePlan(65000,  12000, 0.03L,  0.03L, 0.065L, 20)},
    // Twenty draws of 5 % empty the savings exactly at the last one's end.
    {"RunsOutAtAYearsEnd",     MakePlan(65000,  12000, 0.03L,  0.03L, 0.05L,  20)},
    {"RunsOutAtAYearsEndNow",  MakePlan(100000, 0,     0.03L,  0.03L, 0.05L,  0)},
    {"ZeroReturn",             MakePlan(65000,  12000, 0,      0.03L, 0.065L, 20)},
    {"ReturnBelowInflation",   MakePlan(65000,  12000, 0.02L,  0.05L, 0.04L,  30)},
    {"DrawCoveredForever",     MakePlan(65000,  12000, 0.1L,   0.03L, 0.065L, 20)},
    {"HighReturnLargeSums",    MakePlan(9e12L,  1e11L, 0.3L,   0.25L, 0.25L,  25)},
    {"NoSavings",              MakePlan(0,      0,     0.075L, 0.03L, 0.065L, 20)},
};
// clang-format on

class FixedReturnSimulation : public ::testing::TestWithParam<FixedCase> {};

TEST_P(FixedReturnSimulation, IsTheSchedule) {
    const Projected p(GetParam().plan);
    const Schedule schedule = MakeSchedule(p.plan(), p.projection());
    SimulationOptions options;
    options.volatility = 0;
    options.horizon = MaxHorizon;
    options.paths = 8;
    const Simulation s = Simulate(p.plan(), p.projection(), options);

    const std::int32_t n = p.plan().YearsToRetirement;
    ASSERT_EQ(s.years.size(), static_cast<std::size_t>(n + MaxHorizon));
    for (const SimulatedYear& year : s.years) {
        const auto index = static_cast<std::size_t>(year.year) - 1;
        const double expected =
            index < schedule.rows.size() ? fp::toDouble(schedule.rows[index].balanceToday) : 0;
        EXPECT_EQ(std::nearbyint(year.p50Today), std::nearbyint(expected)) << "year " << year.year;
        EXPECT_EQ(year.p10Today, year.p50Today) << "year " << year.year;
        EXPECT_EQ(year.p90Today, year.p50Today) << "year " << year.year;
        const bool funded = year.year <= n + schedule.fullYears;
        EXPECT_EQ(year.funded, funded ? 1 : 0) << "year " << year.year;
    }
}

INSTANTIATE_TEST_SUITE_P(Simulation, FixedReturnSimulation, ::testing::ValuesIn(kFixedReturnPlans),
                         [](const auto& row) { return std::string(row.param.name); });

}  // namespace
}  // namespace nestora
