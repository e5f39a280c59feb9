// SPDX-License-Identifier: MIT
#include <gtest/gtest.h>

#include <string>

#include "schedule/history_note.h"
#include "schedule/history_table.h"
#include "schedule/schedule_csv.h"
#include "schedule/simulation_table.h"
#include "simulation_support.h"

namespace nestora {
namespace {

using testing::MakePlan;
using testing::Projected;

HistoryOptions HistoryFor(std::int32_t horizon, double stockShare = 0.6) {
    HistoryOptions options;
    options.horizon = horizon;
    options.stockShare = stockShare;
    return options;
}

std::string Plain(std::int64_t n) { return std::to_string(n); }

TEST(HistoryTable, ColumnsBesideTheScheduleRunToTheHorizonsEnd) {
    // A draw of 9 % with 30 % stocks: some stretches fail, most do not.
    const Projected p(MakePlan(65000, 12000, 0.075L, 0.03L, 0.09L, 20));
    const History h = RunHistory(p.plan(), p.projection(), HistoryFor(30, 0.3));
    ASSERT_GT(h.summary.fundedPaths, 0);
    ASSERT_LT(h.summary.fundedPaths, h.summary.paths);

    ScheduleTable table = MakeScheduleTable(MakeSchedule(p.plan(), p.projection()), 2026);
    AddHistoryColumns(table, h);
    const std::string csv = ScheduleCsv(table);
    EXPECT_EQ(csv.substr(0, csv.find('\n')),
              "year,phase,saving,draw_today,balance,balance_today,"
              "hist_p10_today,hist_p50_today,hist_p90_today,hist_funded");
    ASSERT_EQ(table.rows.size(), 50u);
    for (std::size_t r = 0; r < table.rows.size(); ++r) {
        const SimulatedYear& y = h.summary.years[r];
        EXPECT_EQ(table.rows[r][7].number, std::nearbyint(y.p50Today)) << r;
        EXPECT_EQ(table.rows[r][9].text, FundedText(y.fundedPaths, h.summary.paths)) << r;
    }
    EXPECT_EQ(table.rows[19][9].text, "1.0000");
    EXPECT_NE(table.rows.back()[9].text, "1.0000");
}

TEST(HistoryTable, FundedIsBelowOneWhileOneStretchFails) {
    // One stretch of every count the data can hold fails: the share shows it.
    for (std::int32_t paths = 2; paths <= 1000; ++paths)
        EXPECT_NE(FundedText(paths - 1, paths), "1.0000") << paths;
}

TEST(HistoryTable, StartsTableHasOneLinePerStartYear) {
    const Projected p(MakePlan(65000, 12000, 0.075L, 0.03L, 0.09L, 20));
    const History h = RunHistory(p.plan(), p.projection(), HistoryFor(30, 0.3));
    const ScheduleTable table = MakeHistoryStartsTable(h);
    ASSERT_EQ(static_cast<std::int32_t>(table.rows.size()), h.stretches.paths);
    const std::string csv = ScheduleCsv(table);
    EXPECT_EQ(csv.substr(0, csv.find('\n')), "start_year,full_years,end_balance_today");
    EXPECT_EQ(table.rows.front()[0].text, "1871");
    for (std::int32_t s = 0; s < h.stretches.paths; ++s) {
        const auto& row = table.rows[static_cast<std::size_t>(s)];
        EXPECT_EQ(row[0].number, h.startYear(s));
        EXPECT_EQ(row[1].number, h.fullYears(s));
        EXPECT_EQ(row[2].number, std::nearbyint(h.endBalance(s)));
        if (h.fullYears(s) < 30) {
            EXPECT_EQ(row[2].text, "0");
        }
    }
}

TEST(HistorySentence, SaysTheShareAndTheWorstStart) {
    const MarketYear years[] = {
        {1901, 0.00, 0, 0}, {1902, 0.00, 0, 0}, {1903, -0.50, 0, 0},
        {1904, 1.00, 0, 0}, {1905, 0.10, 0, 0},
    };
    struct Case {
        double draw;
        std::int32_t horizon;
        const char* text;
    };
    const Case cases[] = {
        {300, 2,
         "In 4 of 4 stretches of history since 1901 (100 %) the savings paid the full draw for "
         "2 years. The worst start was 1902: the money lasted the full 2 years."},
        {600, 2,
         "In 1 of 4 stretches of history since 1901 (25 %) the savings paid the full draw for "
         "2 years. The worst start was 1903: the money did not last a year."},
        {450, 3,
         "In 0 of 3 stretches of history since 1901 (0 %) the savings paid the full draw for "
         "3 years. The worst start was 1902: the money lasted 1 year."},
        {10, 1,
         "In 5 of 5 stretches of history since 1901 (100 %) the savings paid the full draw for "
         "1 year. The worst start was 1903: the money lasted the full 1 year."},
    };
    for (const Case& c : cases) {
        Projection projection;
        projection.AdjustedDraw = c.draw;
        const History h = RunHistory(MakePlan(1000, 0, 0, 0, 0, 0), projection,
                                     HistoryFor(c.horizon, 1), {}, years);
        EXPECT_EQ(HistorySentence(h, Plain), c.text) << c.draw;
    }
}

}  // namespace
}  // namespace nestora
