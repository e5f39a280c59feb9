// SPDX-License-Identifier: MIT
#include <gtest/gtest.h>

#include <cmath>
#include <string>
#include <vector>

#include "planner_test_support.h"

namespace nestora {
namespace {

using testing::PlannerOnPlainFields;
using Calls = std::vector<std::string>;

Calls warned(const char* message) { return {std::string("warning: ") + message, "beep"}; }

constexpr const char* kCurrent = "Error in Current Investments entry.";
constexpr const char* kAnnual = "Error in Annual Savings entry.";
constexpr const char* kReturn = "Error in Investment Return entry.";
constexpr const char* kInflation = "Error in Inflation Rate entry.";
constexpr const char* kDraw = "Error in Retirement % Draw entry.";
constexpr const char* kYears = "Error in Years Till Retirement entry.";

struct EntryCase {
    const char* name;
    Entry entry;
    const char* typed;  // the whole new text, as typed over a selection
    const char* shown;  // the field's text when every run has ended
    bool selected;      // the whole text selected at the end
    Extended value;     // the plan value at the end (years as a real)
    Calls calls;        // warning boxes and beeps, in order
    int calculations;   // calculate runs that wrote the results
};

// The fields start at the default plan: "65000", "12000", "7.5", "3", "6.5", "20".
const EntryCase kEntryCases[] = {
    // An emptied field becomes "0" through a nested run; the draw's "0" then
    // becomes "1" through a third.
    {"EmptiedMoney", Entry::Edit1, "", "0", true, 0, {}, 2},
    {"EmptiedAnnual", Entry::Edit2, "", "0", true, 0, {}, 2},
    {"EmptiedReturn", Entry::Edit9, "", "0", true, 0, {}, 2},
    {"EmptiedYears", Entry::Edit11, "", "0", true, 0, {}, 2},
    {"EmptiedDraw", Entry::Edit8, "", "1", true, 0.01L, {}, 3},
    {"ZeroDraw", Entry::Edit8, "0", "1", true, 0.01L, {}, 2},
    {"HalfPercentDrawStays", Entry::Edit8, "0.5", "0.5", false, 0.005L, {}, 1},

    // Upper rules are strict.
    {"ReturnAtCeiling", Entry::Edit9, "100", "100", false, 1, {}, 1},
    {"InflationAtCeiling", Entry::Edit10, "25", "25", false, 0.25L, {}, 1},
    {"DrawAtCeiling", Entry::Edit8, "25", "25", false, 0.25L, {}, 1},
    {"YearsAtCeiling", Entry::Edit11, "80", "80", false, 80, {}, 1},
    {"ReturnAbove", Entry::Edit9, "150", "100", true, 1, {}, 2},
    {"ReturnJustAbove", Entry::Edit9, "100.01", "100", true, 1, {}, 2},
    {"InflationAbove", Entry::Edit10, "25.5", "25", true, 0.25L, {}, 2},
    {"DrawAbove", Entry::Edit8, "25.5", "25", true, 0.25L, {}, 2},
    {"YearsAbove", Entry::Edit11, "81", "80", true, 80, {}, 2},

    // Lower rules.
    {"NegativeYears", Entry::Edit11, "-1", "0", true, 0, {}, 2},
    {"NegativeFraction", Entry::Edit1, "-0.5", "0", true, 0, {}, 2},
    {"NegativeMoney", Entry::Edit1, "-5", "0", true, 0, {}, 2},
    {"NegativeInflation", Entry::Edit10, "-3", "0", true, 0, {}, 2},
    {"NegativeZeroStays", Entry::Edit1, "-0", "-0", false, -0.0L, {}, 1},

    // A failed parse keeps its partial value, unscaled, then the rules apply.
    {"SignAlone", Entry::Edit1, "-", "-", false, 0, warned(kCurrent), 1},
    {"TrailingLetter", Entry::Edit1, "12a", "12a", false, 12, warned(kCurrent), 1},
    {"PartialDropsSign", Entry::Edit2, "-5x", "-5x", false, 5, warned(kAnnual), 1},
    {"PercentSignUnscaled", Entry::Edit9, "8.5%", "100", true, 1, warned(kReturn), 2},
    {"PartialOneIsWholeReturn", Entry::Edit9, "1x", "1x", false, 1, warned(kReturn), 1},
    {"TrailingBlank", Entry::Edit9, "8.5 ", "100", true, 1, warned(kReturn), 2},
    {"CommaIsNotAPoint", Entry::Edit9, "7,5", "100", true, 1, warned(kReturn), 2},
    {"PercentInInflation", Entry::Edit10, "3%", "25", true, 0.25L, warned(kInflation), 2},
    {"BlankMoney", Entry::Edit1, " ", " ", false, 0, warned(kCurrent), 1},
    {"BlankDraw", Entry::Edit8, " ", "1", true, 0.01L, warned(kDraw), 2},
    {"YearsTrailingLetter", Entry::Edit11, "8x", "8x", false, 8, warned(kYears), 1},

    // Hexadecimal years.
    {"HexYears", Entry::Edit11, "$1E", "$1E", false, 30, {}, 1},
    {"HexYearsAbove", Entry::Edit11, "$51", "80", true, 80, {}, 2},
};

// A failing row prints its name (gtest prints a row through PrintTo).
void PrintTo(const EntryCase& row, std::ostream* os) { *os << row.name; }

class EntryTable : public ::testing::TestWithParam<EntryCase> {};

TEST_P(EntryTable, TypedTextEndsAs) {
    const EntryCase& c = GetParam();
    PlannerOnPlainFields f;
    f.entry(c.entry).type(c.typed);

    EXPECT_EQ(f.entry(c.entry).text(), c.shown);
    EXPECT_EQ(f.entry(c.entry).allSelected, c.selected);
    const Extended value = f.planValue(c.entry);
    EXPECT_EQ(value, c.value);
    EXPECT_EQ(fp::signBit(value), fp::signBit(c.value));
    EXPECT_EQ(f.desktop.calls, c.calls);
    EXPECT_EQ(f.calculations(), c.calculations);
}

INSTANTIATE_TEST_SUITE_P(EntryRules, EntryTable, ::testing::ValuesIn(kEntryCases),
                         [](const auto& row) { return std::string(row.param.name); });

TEST(EntryRules, LastCalculationSeesTheFinalPlan) {
    PlannerOnPlainFields f;
    f.entry(Entry::Edit9).type("150");  // return 100 %
    PlannerOnPlainFields expected;
    expected.planner.plan.InvestmentReturn = 1;
    expected.planner.calculate();
    EXPECT_EQ(f.resultTexts(), expected.resultTexts());
}

TEST(EntryRules, SameTextRunsNothing) {
    PlannerOnPlainFields f;
    f.planner.plan.InvestmentReturn = 0.5L;  // not what "7.5" gives
    f.entry(Entry::Edit9).type("7.5");
    EXPECT_EQ(f.planner.plan.InvestmentReturn, 0.5L);
    EXPECT_EQ(f.calculations(), 0);
    EXPECT_TRUE(f.desktop.calls.empty());
}

// The value is stored before the warning, unscaled.
TEST(EntryRules, WarningComesAfterThePartialValueIsStored) {
    PlannerOnPlainFields f;
    std::vector<Extended> seen;
    f.desktop.whileWarning = [&] { seen.push_back(f.planner.plan.InflationRate); };
    f.entry(Entry::Edit10).type("3%");
    EXPECT_EQ(seen, std::vector<Extended>{3});
}

TEST(EntryRules, DisabledCalculationStillClamps) {
    PlannerOnPlainFields f;
    f.planner.CalcEnabled = false;
    f.entry(Entry::Edit8).type("");
    f.entry(Entry::Edit10).type("3%");
    EXPECT_EQ(f.entry(Entry::Edit8).text(), "1");
    EXPECT_EQ(f.planner.plan.RetirementDraw, 0.01L);
    EXPECT_EQ(f.entry(Entry::Edit10).text(), "25");
    EXPECT_EQ(f.planner.plan.InflationRate, 0.25L);
    EXPECT_EQ(f.desktop.calls, warned(kInflation));
    EXPECT_EQ(f.resultTexts(), (std::array<std::string, 4>{"r3", "r4", "r5", "r6"}));
    EXPECT_EQ(f.calculations(), 0);
}

TEST(EntryRules, ReplacementTextsParseBackToTheirValues) {
    for (Entry entry : AllEntries) {
        const EntryRule& rule = RuleOf(entry);
        PlannerOnPlainFields f;
        f.entry(entry).type(std::string(rule.lowerText));
        EXPECT_EQ(f.planValue(entry), rule.lowerValue) << rule.message;
        if (!rule.hasUpper) continue;
        f.entry(entry).type(std::string(rule.upperText));
        EXPECT_EQ(f.planValue(entry), rule.upperLimit) << rule.message;
        EXPECT_TRUE(f.desktop.calls.empty()) << rule.message;
    }
}

// Faults inside a run: each run is its own catch point.

constexpr const char* kInvalidBox = "error: Plan|Invalid floating point operation.";

// No savings and a return equal to inflation: every calculation divides 0 by 0.
void makeEveryCalculationFault(PlannerOnPlainFields& f) {
    f.planner.plan.AnnualSavings = 0;
    f.planner.plan.InvestmentReturn = 0.03L;
}

TEST(EntryFaults, NestedRunShowsTheBoxAndTheOuterRunCarriesOn) {
    PlannerOnPlainFields f;
    makeEveryCalculationFault(f);
    f.planner.plan.CurrentSavings = 5;
    f.entry(Entry::Edit1).type("");

    EXPECT_EQ(f.desktop.calls, (Calls{kInvalidBox, kInvalidBox}));
    EXPECT_EQ(f.entry(Entry::Edit1).text(), "0");
    EXPECT_TRUE(f.entry(Entry::Edit1).allSelected);
    EXPECT_EQ(f.planner.plan.CurrentSavings, 0);
    EXPECT_EQ(f.resultTexts(), (std::array<std::string, 4>{"r3", "r4", "r5", "r6"}));
}

TEST(EntryFaults, EmptiedDrawFaultsInEachOfItsThreeRuns) {
    PlannerOnPlainFields f;
    makeEveryCalculationFault(f);
    f.planner.plan.CurrentSavings = 0;
    f.entry(Entry::Edit8).type("");

    EXPECT_EQ(f.desktop.calls, (Calls{kInvalidBox, kInvalidBox, kInvalidBox}));
    EXPECT_EQ(f.entry(Entry::Edit8).text(), "1");
    EXPECT_TRUE(f.entry(Entry::Edit8).allSelected);
    EXPECT_EQ(f.planner.plan.RetirementDraw, 0.01L);
}

TEST(EntryFaults, PlanKeepsTheStoredValueAndTheNextChangeComputesAnew) {
    PlannerOnPlainFields f;
    f.planner.plan.CurrentSavings = 0;
    f.planner.plan.AnnualSavings = 0;
    f.entry(Entry::Edit9).type("3");  // return equal to inflation, nothing saved

    EXPECT_EQ(f.desktop.calls, (Calls{kInvalidBox}));
    EXPECT_EQ(f.entry(Entry::Edit9).text(), "3");
    EXPECT_EQ(f.planner.plan.InvestmentReturn, 0.03L);
    EXPECT_EQ(f.resultTexts(), (std::array<std::string, 4>{"r3", "r4", "r5", "r6"}));

    f.entry(Entry::Edit1).type("1000");
    EXPECT_EQ(f.desktop.calls.size(), 1u);
    EXPECT_EQ(f.resultTexts()[0], "1806");  // 1000 × 1.03^20
}

TEST(EntryFaults, ParseOverflowStoresNothing) {
    PlannerOnPlainFields f;
    f.entry(Entry::Edit1).type("1E4933");

    EXPECT_EQ(f.desktop.calls, (Calls{"error: Plan|Floating point overflow."}));
    EXPECT_EQ(f.entry(Entry::Edit1).text(), "1E4933");
    EXPECT_EQ(f.planner.plan.CurrentSavings, 65000);
    EXPECT_EQ(f.calculations(), 0);
}

}  // namespace
}  // namespace nestora
