// SPDX-License-Identifier: MIT
#include <gtest/gtest.h>

#include <sstream>
#include <string>
#include <vector>

#include "schedule/schedule.h"
#include "schedule/schedule_csv.h"
#include "schedule/schedule_table.h"
#include "support/planner_fixture.h"

namespace nestora {
namespace {

using testing::PlannerFixture;

std::vector<std::string> Lines(const std::string& text) {
    std::vector<std::string> lines;
    std::istringstream in(text);
    for (std::string line; std::getline(in, line);) lines.push_back(line);
    return lines;
}

struct DefaultSchedule : ::testing::Test {
    PlannerFixture f;
    ScheduleTable table;
    void SetUp() override {
        f.planner.plan = DefaultPlan();
        f.planner.calculate();
        table = MakeScheduleTable(MakeSchedule(f.planner.plan, f.planner.projection), 2026);
    }
    std::string result(Result r) { return f.result(r).text(); }
};

TEST_F(DefaultSchedule, ShowsTheResultFieldsTextsWhereTheyMeet) {
    const std::vector<std::string> lines = Lines(ScheduleCsv(table));
    ASSERT_EQ(lines.size(), 1u + 20u + 27u);  // header, 20 saving, 26 full years and the rest
    EXPECT_EQ(lines[0], "year,phase,saving,draw_today,balance,balance_today");
    EXPECT_EQ(lines[1], "1,saving,12000,0,81875,79490");
    // Row n: Edit3 and Edit4.
    EXPECT_EQ(lines[20],
              "20,saving,12000,0," + result(Result::Edit3) + "," + result(Result::Edit4));
    EXPECT_EQ(result(Result::Edit3), "795766");
    // Each full year draws Edit5; the 27th draws what is left.
    for (std::size_t j = 1; j <= 26; ++j)
        EXPECT_TRUE(lines[20 + j].starts_with(std::to_string(20 + j) + ",retired,0," +
                                              result(Result::Edit5) + ","))
            << lines[20 + j];
    EXPECT_TRUE(lines.back().starts_with("47,retired,0,"));
    EXPECT_TRUE(lines.back().ends_with(",0,0"));
    EXPECT_EQ(ScheduleCsv(table).find('\r'), std::string::npos);
}

TEST(ScheduleCells, MoneyTextsRoundLikeTheResultFieldsWithAPoint) {
    EXPECT_EQ(MoneyCell(2.5L).text, "2");
    EXPECT_EQ(MoneyCell(3.5L).text, "4");
    EXPECT_EQ(MoneyCell(1234567890123465.0L).text, "1.23456789012347E15");
    // Beyond 2^63 the result fields cannot round; the table shows the double.
    EXPECT_EQ(MoneyCell(1e20L).text, "1E20");
    EXPECT_EQ(MoneyCell(1e20L).number, 1e20);
}

// A return far above inflation grows a balance the main window never shows
// beyond 2^63 within the hundred years; the table shows it instead of
// faulting on a plan whose results the main window shows.
TEST(ScheduleCells, BalancesBeyondTheResultFieldsRangeStillShow) {
    PlannerFixture f;
    f.planner.plan = Plan{65000, 12000, 1, 0.25L, 0.065L, 20};
    f.planner.calculate();
    ASSERT_EQ(f.planner.projection.YearsProvided, 1000);
    const ScheduleTable table =
        MakeScheduleTable(MakeSchedule(f.planner.plan, f.planner.projection), 2026);
    ASSERT_EQ(table.rows.size(), 120u);
    EXPECT_EQ(table.rows[19][4].text, f.result(Result::Edit3).text());
    EXPECT_GT(table.rows.back()[4].number, 0x1p63);
    EXPECT_NE(table.rows.back()[4].text.find('E'), std::string::npos) << table.rows.back()[4].text;
}

TEST(ScheduleCells, AnAddedColumnGetsOneCellPerRow) {
    ScheduleTable table;
    table.columns = {{"year", "Year"}};
    table.rows = {{CountCell(1)}, {CountCell(2)}};
    AddColumn(table, {"extra", "Extra"}, [](std::size_t r) { return MoneyCell(10.0L * r); });
    EXPECT_EQ(ScheduleCsv(table), "year,extra\n1,0\n2,10\n");
}

}  // namespace
}  // namespace nestora
