// SPDX-License-Identifier: MIT
#include <gtest/gtest.h>

#include <string>

#include "number/errors.h"
#include "schedule/schedule.h"
#include "schedule/schedule_note.h"
#include "support/planner_fixture.h"

namespace nestora {
namespace {

using testing::PlannerFixture;

// How the count of full retirement years compares with YearsProvided.
enum class Count { Equal, Fewer, Indefinite, BeyondTable };

struct PlanCase {
    const char* name;
    Plan plan;
    Count count;
    const char* fault;  // calculate's fault, "" when it completes
};

Plan plan(Extended C, Extended P, Extended r, Extended i, Extended d, std::int32_t n) {
    return Plan{C, P, r, i, d, n};
}

// clang-format off
const PlanCase kPlans[] = {
    {"Defaults",                plan(65000, 12000, 0.075L, 0.03L, 0.065L, 20), Count::Equal, ""},
    {"HighDrawShortYears",      plan(65000, 12000, 0.075L, 0.03L, 0.25L,  5),  Count::Equal, ""},
    {"SmallRealReturn",         plan(10000, 500,   0.031L, 0.03L, 0.02L,  40), Count::Equal, ""},
    {"ZeroYears",               plan(65000, 12000, 0.075L, 0.03L, 0.065L, 0),  Count::Equal, ""},
    {"LongestSaving",           plan(65000, 12000, 0.075L, 0.03L, 0.065L, 80), Count::Equal, ""},
    // e = r − i exactly 0: the balance only shrinks by the draws, as A ÷ D says.
    {"ReturnEqualToInflation",  plan(65000, 12000, 0.03L,  0.03L, 0.065L, 20), Count::Equal, ""},
    // e < 0: A ÷ D leaves out the shrinking, so the money runs out sooner.
    {"ZeroReturn",              plan(65000, 12000, 0,      0.03L, 0.065L, 20), Count::Fewer, ""},
    {"ReturnBelowInflation",    plan(65000, 12000, 0.02L,  0.05L, 0.04L,  30), Count::Fewer, ""},
    {"DrawCoveredByRealReturn", plan(65000, 12000, 0.1L,   0.03L, 0.065L, 20), Count::Indefinite, ""},
    {"DrawEqualToRealReturn",   plan(65000, 12000, 0.095L, 0.03L, 0.065L, 20), Count::Indefinite, ""},
    // N = ln(91) ÷ ln(1.045) ≈ 102 full years: more than the table shows.
    {"CountBeyondTheTable",     plan(65000, 12000, 0.075L, 0.03L, 0.0455L, 20), Count::BeyondTable, ""},
    {"NoSavings",               plan(0,     0,     0.075L, 0.03L, 0.065L, 20), Count::Indefinite, ""},
    {"NoSavingsNoRealReturn",   plan(0,     0,     0.03L,  0.03L, 0.065L, 20), Count::Equal,
     "Invalid floating point operation"},
    {"SavingsBeyondRounding",   plan(1e19L, 12000, 0.075L, 0.03L, 0.065L, 20), Count::Equal,
     "Invalid floating point operation"},
};
// clang-format on

struct Planned : PlannerFixture {
    explicit Planned(const Plan& p) { planner.plan = p; }
    // calculate's fault message, or "".
    std::string calculate() {
        try {
            planner.calculate();
        } catch (const EMathError& e) {
            return e.what();
        }
        return "";
    }
};

// A failing row prints its name (gtest prints a row through PrintTo).
void PrintTo(const PlanCase& row, std::ostream* os) { *os << row.name; }

class ScheduleOfPlan : public ::testing::TestWithParam<PlanCase> {};

// The saving years end on the main window's figures, bit for bit: the same
// steps in the same order.
void ExpectSavingYears(const Schedule& s, const Projection& p, std::int32_t n) {
    ASSERT_EQ(s.savingYears, n);
    for (std::int32_t k = 1; k <= n; ++k) {
        EXPECT_EQ(s.rows[k - 1].year, k);
        EXPECT_EQ(s.rows[k - 1].phase, Phase::Saving);
    }
    if (n > 0) {
        EXPECT_EQ(s.rows[n - 1].balance, p.SavingsAtRetirement);
        EXPECT_EQ(s.rows[n - 1].balanceToday, p.AdjustedSavings);
    }
}

// The retirement years pay the main window's draw for as long as it says.
void ExpectRetiredYears(const PlanCase& c, const Schedule& s, const Projection& p, std::int32_t n) {
    const std::int32_t retired = static_cast<std::int32_t>(s.rows.size()) - n;
    switch (c.count) {
        case Count::Equal:
            EXPECT_EQ(s.fullYears, p.YearsProvided);
            EXPECT_EQ(s.end, ScheduleEnd::RunsOut);
            break;
        case Count::Fewer:
            EXPECT_LT(s.fullYears, p.YearsProvided);
            EXPECT_EQ(s.end, ScheduleEnd::RunsOut);
            break;
        case Count::BeyondTable:
            EXPECT_GT(p.YearsProvided, MaxRetirementYears);
            EXPECT_EQ(s.fullYears, MaxRetirementYears);
            EXPECT_EQ(s.end, ScheduleEnd::YearLimit);
            break;
        case Count::Indefinite:
            EXPECT_EQ(p.YearsProvided, YearsWhenNeverSpent);
            EXPECT_EQ(s.fullYears, MaxRetirementYears);
            EXPECT_EQ(s.end, ScheduleEnd::Indefinite);
            break;
    }
    EXPECT_LE(retired, MaxRetirementYears);
    for (std::int32_t j = 1; j <= retired; ++j) {
        const YearRow& row = s.rows[n + j - 1];
        EXPECT_EQ(row.year, n + j);
        EXPECT_EQ(row.phase, Phase::Retired);
        if (j <= s.fullYears) {
            EXPECT_EQ(row.drawToday, p.AdjustedDraw);
        }
    }
    if (s.end == ScheduleEnd::RunsOut) {
        EXPECT_EQ(s.rows.back().balanceToday, 0);
    }
}

// The sentences under the table: the end, and the shrinking for e < 0.
void ExpectNotes(const PlanCase& c, const Schedule& s) {
    const std::vector<std::string> notes = ScheduleNotes(c.plan, s, 2026);
    ASSERT_FALSE(notes.empty());
    if (c.count == Count::Indefinite) {
        EXPECT_EQ(notes[0], "The savings last indefinitely: the real return covers the draw.");
    } else if (c.count == Count::BeyondTable) {
        EXPECT_EQ(notes[0], "The table stops after 100 retirement years; the money lasts longer.");
    } else {
        EXPECT_EQ(notes[0],
                  "The money runs out in year " + std::to_string(s.rows.back().year) + ".");
    }
    EXPECT_EQ(notes.size() == 2 && notes[1] == ShrinkingNote, c.count == Count::Fewer);
}

TEST_P(ScheduleOfPlan, MeetsTheMainWindowsResults) {
    const PlanCase& c = GetParam();
    Planned f(c.plan);
    ASSERT_EQ(f.calculate(), c.fault);
    if (*c.fault != '\0') return;  // no schedule without the results
    const Projection& p = f.planner.projection;
    const Schedule s = MakeSchedule(f.planner.plan, p);
    const std::int32_t n = c.plan.YearsToRetirement;
    ASSERT_NO_FATAL_FAILURE(ExpectSavingYears(s, p, n));
    ExpectRetiredYears(c, s, p, n);
    ExpectNotes(c, s);
}

INSTANTIATE_TEST_SUITE_P(Schedule, ScheduleOfPlan, ::testing::ValuesIn(kPlans),
                         [](const auto& row) { return std::string(row.param.name); });

}  // namespace
}  // namespace nestora
