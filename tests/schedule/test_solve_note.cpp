// SPDX-License-Identifier: MIT
#include <gtest/gtest.h>

#include <string>

#include "schedule/simulation_note.h"
#include "schedule/solve_note.h"
#include "simulation_support.h"

namespace nestora {
namespace {

using testing::Grouped;

Solution Answer(SolveFor quantity, std::int64_t value, bool found, std::int32_t funded,
                SolvedMarkets on = SolvedMarkets::Simulated) {
    Solution s;
    s.quantity = quantity;
    s.value = value;
    s.found = found;
    s.fundedMarkets = funded;
    s.markets = 10000;
    s.measuredOn = on;
    s.horizon = 30;
    return s;
}

struct NoteCase {
    const char* name;
    Solution solution;
    const char* sentence;
};

Solution WithYearly(Solution s, Extended yearly) {
    s.yearlyToday = yearly;
    return s;
}

Solution Spending(Solution s) {
    s.spends = true;
    return s;
}

class Sentence : public ::testing::TestWithParam<NoteCase> {};

TEST_P(Sentence, SaysTheAnswer) {
    EXPECT_EQ(SolveSentence(GetParam().solution, Grouped), GetParam().sentence);
}

// clang-format off
INSTANTIATE_TEST_SUITE_P(
    SolveNote, Sentence,
    ::testing::Values(
        NoteCase{"Draw", WithYearly(Answer(SolveFor::Draw, 587, true, 9012), 34119.6L),
                 "You can draw 5.87 % (34,120 a year in today's money): 90 % of markets pay the "
                 "full draw for 30 years."},
        NoteCase{"Spend", Spending(Answer(SolveFor::Spend, 41200, true, 9000)),
                 "You can spend 41,200 a year in today's money: 90 % of markets pay the full "
                 "spending for 30 years."},
        NoteCase{"RetireLater", Answer(SolveFor::Retire, 14, true, 9999),
                 "You can retire in 14 years: 99 % of markets pay the full draw for 30 years."},
        NoteCase{"RetireNow", Answer(SolveFor::Retire, 0, true, 10000, SolvedMarkets::Fixed),
                 "You can retire now: the savings pay the full draw for 30 years."},
        NoteCase{"Save", Answer(SolveFor::Saving, 9300, true, 5100, SolvedMarkets::History),
                 "Save 9,300 a year: 51 % of the stretches of history pay the full draw for 30 "
                 "years."},
        NoteCase{"NoSaving", Answer(SolveFor::Saving, 0, true, 10000, SolvedMarkets::Fixed),
                 "You need not save: the savings pay the full draw for 30 years."},
        NoteCase{"EvenRetiring", Answer(SolveFor::Retire, 80, false, 7100),
                 "Even retiring in 80 years, 71 % of markets pay the full draw."},
        NoteCase{"EvenDrawing", Answer(SolveFor::Draw, 1, false, 0, SolvedMarkets::Fixed),
                 "Even drawing 0.01 %, the savings do not pay the full draw for 30 years."},
        NoteCase{"EvenSaving", Spending(Answer(SolveFor::Saving, MaxSolvedSum, false, 8999)),
                 "Even saving 1,000,000,000,000 a year, 90 % of markets pay the full spending."},
        NoteCase{"EvenSpending", Answer(SolveFor::Spend, 0, false, 1, SolvedMarkets::History),
                 "Even spending nothing, 1 % of the stretches of history pay the full draw."}),
    [](const auto& row) { return std::string(row.param.name); });
// clang-format on

TEST(SolveNote, WritesTheValueAsItsFieldTakesIt) {
    EXPECT_EQ(SolvedValueText(Answer(SolveFor::Draw, 587, true, 1)), "5.87");
    EXPECT_EQ(SolvedValueText(Answer(SolveFor::Draw, 1205, true, 1), ','), "12,05");
    EXPECT_EQ(SolvedValueText(Answer(SolveFor::Spend, 41200, true, 1), ','), "41200");
    EXPECT_EQ(SolvedValueText(Answer(SolveFor::Retire, 0, true, 1)), "0");
}

TEST(SolveNote, SaysASolversAnswerWithAtLeastItsLevel) {
    SolveOptions options;
    options.simulation.paths = 2000;
    const Solution s = Solve(DefaultPlan(), {}, SolveFor::Draw, options);
    ASSERT_TRUE(s.found);
    const std::string sentence = SolveSentence(s, Grouped);
    EXPECT_EQ(sentence.rfind("You can draw " + SolvedValueText(s) + " % (", 0), 0u) << sentence;
    EXPECT_GE(FundedPercent(s.fundedMarkets, s.markets), 90);
}

}  // namespace
}  // namespace nestora
