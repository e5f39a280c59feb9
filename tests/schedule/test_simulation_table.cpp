// SPDX-License-Identifier: MIT
#include <gtest/gtest.h>

#include <stdexcept>
#include <string>

#include "schedule/schedule.h"
#include "schedule/schedule_csv.h"
#include "schedule/schedule_table.h"
#include "schedule/simulation_note.h"
#include "schedule/simulation_table.h"
#include "simulation_support.h"

namespace nestora {
namespace {

using testing::Projected;

// Rounded half to even, except that a share is never shown as all while
// some market fell short, nor as none while some paid.
TEST(SimulationTableTest, FundedTextHasFourDecimalsRoundedHalfToEven) {
    struct Row {
        std::int32_t funded, paths;
        const char* text;
    };
    const Row rows[] = {
        {8412, 10000, "0.8412"},   {10000, 10000, "1.0000"}, {0, 10000, "0.0000"},
        {2, 3, "0.6667"},          {1, 3, "0.3333"},         {1, 8, "0.1250"},
        {1, 20000, "0.0001"},      {3, 20000, "0.0002"},     {99999, 100000, "0.9999"},
        {1, 1, "1.0000"},          {0, 1, "0.0000"},         {19999, 20000, "0.9999"},
        {99995, 100000, "0.9999"}, {5, 100000, "0.0001"},    {4, 100000, "0.0001"},
    };
    for (const Row& row : rows)
        EXPECT_EQ(FundedText(row.funded, row.paths), row.text) << row.funded << "/" << row.paths;
    EXPECT_THROW(FundedText(3, 2), std::invalid_argument);
    EXPECT_THROW(FundedText(0, 0), std::invalid_argument);
}

struct Tabled {
    explicit Tabled(std::int32_t horizon, double volatility = 0.12) : p(DefaultPlan()) {
        schedule = MakeSchedule(p.plan(), p.projection());
        SimulationOptions options;
        options.volatility = volatility;
        options.horizon = horizon;
        options.paths = 1000;
        simulation = Simulate(p.plan(), p.projection(), options);
        table = MakeScheduleTable(schedule, 2026);
        AddSimulationColumns(table, simulation);
    }
    Projected p;
    Schedule schedule;
    Simulation simulation;
    ScheduleTable table;
};

// The default plan saves for 20 years and its schedule runs out in year 47.
TEST(SimulationTableTest, RunsToTheHorizonWithZerosAfterTheScheduleRunsOut) {
    const Tabled t(30);
    ASSERT_EQ(t.schedule.rows.size(), 47u);
    ASSERT_EQ(t.table.rows.size(), 50u);
    const std::string csv = ScheduleCsv(t.table);
    EXPECT_EQ(csv.substr(0, csv.find('\n')),
              "year,phase,saving,draw_today,balance,balance_today,"
              "p10_today,p50_today,p90_today,funded");
    for (std::size_t r = 47; r < 50; ++r) {
        const auto& row = t.table.rows[r];
        ASSERT_EQ(row.size(), 10u);
        EXPECT_EQ(row[0].text, std::to_string(r + 1));
        EXPECT_EQ(row[1].text, "retired");
        for (std::size_t c = 2; c < 6; ++c) EXPECT_EQ(row[c].text, "0") << "row " << r + 1;
        EXPECT_EQ(row[9].text, FundedText(t.simulation.years[r].fundedPaths, 1000));
    }
    EXPECT_EQ(t.table.rows[0][9].text, "1.0000");  // no draw while saving
}

TEST(SimulationTableTest, RunsToTheScheduleWithEmptyCellsPastTheHorizon) {
    const Tabled t(10);
    ASSERT_EQ(t.table.rows.size(), 47u);
    EXPECT_NE(t.table.rows[29][6].text, "");
    for (std::size_t r = 30; r < 47; ++r)
        for (std::size_t c = 6; c < 10; ++c) EXPECT_EQ(t.table.rows[r][c].text, "") << r + 1;
}

// With no volatility every percentile shows the schedule's balance in
// today's money, as the same text.
TEST(SimulationTableTest, WithoutVolatilityThePercentilesShowTheSchedulesBalance) {
    const Tabled t(30, 0);
    for (std::size_t r = 0; r < t.table.rows.size(); ++r) {
        const auto& row = t.table.rows[r];
        for (std::size_t c = 6; c < 9; ++c) EXPECT_EQ(row[c].text, row[5].text) << "row " << r + 1;
        EXPECT_EQ(row[9].text, r < 20 + 26 ? "1.0000" : "0.0000") << "row " << r + 1;
    }
}

using testing::Grouped;

TEST(SimulationNoteTest, OneSentenceWithCountsAndAWholePercent) {
    const Projected p(DefaultPlan());
    SimulationOptions options;
    const Simulation s = Simulate(p.plan(), p.projection(), options);
    EXPECT_EQ(SimulationSentence(s, Grouped),
              "In 3,073 of 10,000 simulated markets (31 %) the savings pay the full draw for 30 "
              "years.");
    options.horizon = 1;
    options.paths = 500;
    EXPECT_EQ(SimulationSentence(Simulate(p.plan(), p.projection(), options), Grouped),
              "In 500 of 500 simulated markets (100 %) the savings pay the full draw for 1 year.");
}

TEST(SimulationNoteTest, PercentNeverRoundsToAllOrNone) {
    struct Row {
        std::int32_t funded, paths, percent;
    };
    const Row rows[] = {{8412, 10000, 84}, {8450, 10000, 85}, {9996, 10000, 99},
                        {4, 10000, 1},     {0, 10000, 0},     {10000, 10000, 100}};
    for (const Row& row : rows)
        EXPECT_EQ(FundedPercent(row.funded, row.paths), row.percent) << row.funded;
}

}  // namespace
}  // namespace nestora
