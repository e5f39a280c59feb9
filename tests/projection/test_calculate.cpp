// SPDX-License-Identifier: MIT
#include <gtest/gtest.h>

#include <cmath>
#include <functional>
#include <limits>
#include <string>
#include <vector>

#include "number/text_to_real.h"
#include "number/whole_power.h"
#include "planner_test_support.h"

namespace nestora {
namespace {

using testing::FaultOf;
using testing::PlannerOnPlainFields;

constexpr const char* kInvalid = "EInvalidOp: Invalid floating point operation";
constexpr const char* kZeroDivide = "EZeroDivide: Floating point division by zero";
constexpr const char* kOverflow = "EOverflow: Floating point overflow";

struct CalcCase {
    const char* name;
    Plan plan;
    std::array<const char*, 4> texts;  // Edit3 .. Edit6 afterwards; "r3".."r6" = untouched
    const char* fault;                 // "" when the run completes
};

// Savings, annual savings, return, inflation, draw, years. Rates are the
// values their entries give: 0.1L is "10" divided by 100.
Plan plan(Extended C, Extended P, Extended r, Extended i, Extended d, std::int32_t n) {
    return Plan{C, P, r, i, d, n};
}

const std::array<const char*, 4> kUntouched = {"r3", "r4", "r5", "r6"};

// clang-format off
const CalcCase kCalcCases[] = {
    {"Defaults",                     plan(65000, 12000, 0.075L, 0.03L, 0.065L, 20), {"795766", "440597", "28639", "26"}, ""},
    {"ZeroReturnTakesPlainSum",      plan(65000, 12000, 0,      0.03L, 0.065L, 20), {"305000", "168871", "10977", "15"}, ""},
    {"ReturnEqualToInflationDivides",plan(65000, 12000, 0.03L,  0.03L, 0.065L, 20), {"439842", "243530", "15829", "15"}, ""},
    {"DrawCoveredByRealReturn",      plan(65000, 12000, 0.1L,   0.03L, 0.065L, 20), {"1124587", "622657", "40473", "1000"}, ""},
    {"DrawEqualToRealReturn",        plan(65000, 12000, 0.095L, 0.03L, 0.065L, 20), {"1048672", "580624", "37741", "1000"}, ""},
    {"NoSavings",                    plan(0,     0,     0.075L, 0.03L, 0.065L, 20), {"0", "0", "0", "1000"}, ""},
    {"ZeroYears",                    plan(65000, 12000, 0.075L, 0.03L, 0.065L, 0),  {"65000", "65000", "4225", "26"}, ""},
    // 2.5 and 3.5 are exact ties of the rounding to whole units.
    {"TieRoundsDownToEven",          plan(2.5L,  0,     0.075L, 0.03L, 0.065L, 0),  {"2", "2", "0", "26"}, ""},
    {"TieRoundsUpToEven",            plan(3.5L,  0,     0.075L, 0.03L, 0.065L, 0),  {"4", "4", "0", "26"}, ""},
    // A zero return: the count A ÷ D lies on a whole number, and going through
    // the rounded A and D it lands on it or just above, never just below.
    {"WholeQuotientDraw5",           plan(65000, 12000, 0,      0.03L, 0.05L,  20), {"305000", "168871", "8444", "20"}, ""},
    {"WholeQuotientDraw4",           plan(65000, 12000, 0,      0.03L, 0.04L,  20), {"305000", "168871", "6755", "25"}, ""},
    {"WholeQuotientDraw2",           plan(65000, 12000, 0,      0.03L, 0.02L,  20), {"305000", "168871", "3377", "50"}, ""},
    {"WholeQuotientDraw10",          plan(65000, 12000, 0,      0.03L, 0.1L,   20), {"305000", "168871", "16887", "10"}, ""},
    {"WholeQuotientDraw25",          plan(65000, 12000, 0,      0.03L, 0.25L,  20), {"305000", "168871", "42218", "4"}, ""},
    {"WholeQuotientDraw1",           plan(65000, 12000, 0,      0.03L, 0.01L,  20), {"305000", "168871", "1689", "100"}, ""},

    // Faults in the count come before any field is written.
    {"NoSavingsReturnEqualToInflation", plan(0,  0,     0.03L,  0.03L, 0.065L, 20), kUntouched, kInvalid},
    {"NoSavingsNoReturnNoInflation", plan(0,     0,     0,      0,     0.065L, 20), kUntouched, kInvalid},
    {"ZeroDrawWithSavings",          plan(65000, 12000, 0,      0.03L, 0,      20), kUntouched, kZeroDivide},
    {"CountBeyond64Bits",            plan(65000, 12000, 0,      0.03L, 1e-20L, 20), kUntouched, kInvalid},
    {"ZeroBaseToNegativePower",      plan(65000, 12000, -1,     0.03L, 0.065L, -1), kUntouched, kZeroDivide},

    // Rounding faults: beyond 2^63 the first result cannot be rounded.
    {"DoublingFor80Years",           plan(65000, 12000, 1,      0,     0.065L, 80), kUntouched, kInvalid},
    {"HalfAgainFor80Years",          plan(65000, 12000, 0.5L,   0,     0.065L, 80), kUntouched, kInvalid},
    {"SavingsOf1E19",                plan(1e19L, 12000, 0.075L, 0.03L, 0.065L, 20), kUntouched, kInvalid},
    {"SavingsBeyondDoubleRange",     plan(1e308L, 12000, 0.075L, 0.03L, 0.065L, 20), kUntouched, kOverflow},
    // Outside the entry ranges (a hand-edited settings file) a later result
    // can fault too; the fields before it keep their new texts.
    {"NegativeInflationFaultsOnSecond", plan(65000, 12000, 0.075L, -0.9L, 0.065L, 20), {"795766", "r4", "r5", "r6"}, kInvalid},
    {"DrawAboveWholeFaultsOnThird",  plan(5e18L, 0,     0,      0,     2,      0),  {"5E18", "5E18", "r5", "r6"}, kInvalid},

    // A count beyond 32 bits is held at the end of the range.
    {"CountHeldAtLargest",           plan(65000, 12000, 0,      0,     1e-10L, 20), {"305000", "305000", "0", "2147483647"}, ""},
    {"CountHeldAtSmallest",          plan(65000, 12000, 0,      0,     -1e-10L, 20), {"305000", "305000", "0", "-2147483648"}, ""},
};
// clang-format on

// A failing row prints its name (gtest prints a row through PrintTo).
void PrintTo(const CalcCase& row, std::ostream* os) { *os << row.name; }

class CalculateTable : public ::testing::TestWithParam<CalcCase> {};

TEST_P(CalculateTable, ShowsResultsOrStopsAtTheFault) {
    const CalcCase& c = GetParam();
    PlannerOnPlainFields f;
    f.planner.plan = c.plan;

    EXPECT_EQ(FaultOf([&] { f.planner.calculate(); }), c.fault);
    EXPECT_EQ(f.resultTexts(),
              (std::array<std::string, 4>{c.texts[0], c.texts[1], c.texts[2], c.texts[3]}));
}

INSTANTIATE_TEST_SUITE_P(Projection, CalculateTable, ::testing::ValuesIn(kCalcCases),
                         [](const auto& row) { return std::string(row.param.name); });

TEST(Calculate, DoesNothingWhileDisabled) {
    PlannerOnPlainFields f;
    f.planner.CalcEnabled = false;
    f.planner.plan.CurrentSavings = 0;  // would fault if computed
    f.planner.plan.AnnualSavings = 0;
    f.planner.plan.InvestmentReturn = 0.03L;
    f.planner.projection.YearsProvided = 7;

    EXPECT_EQ(FaultOf([&] { f.planner.calculate(); }), "");
    EXPECT_EQ(f.resultTexts(), (std::array<std::string, 4>{"r3", "r4", "r5", "r6"}));
    EXPECT_EQ(f.planner.projection.YearsProvided, 7);
    EXPECT_EQ(f.calculations(), 0);
}

TEST(Calculate, ProjectionHoldsTheUnroundedValues) {
    PlannerOnPlainFields f;
    f.planner.calculate();
    const Projection& p = f.planner.projection;
    EXPECT_NEAR(fp::toDouble(p.SavingsAtRetirement), 795766.4975, 1e-4);
    EXPECT_NEAR(fp::toDouble(p.AdjustedSavings), 440596.6156, 1e-4);
    EXPECT_NEAR(fp::toDouble(p.AdjustedDraw), 28638.7800, 1e-4);
    EXPECT_EQ(p.YearsProvided, 26);
}

TEST(DefaultPlan, RatesAreThoseTheEntriesGive) {
    const Plan plan = DefaultPlan();
    EXPECT_EQ(plan.CurrentSavings, 65000);
    EXPECT_EQ(plan.AnnualSavings, 12000);
    EXPECT_EQ(plan.InvestmentReturn, fp::div(TextToReal("7.5").value, 100));
    EXPECT_EQ(plan.InflationRate, fp::div(TextToReal("3").value, 100));
    EXPECT_EQ(plan.RetirementDraw, fp::div(TextToReal("6.5").value, 100));
    EXPECT_EQ(plan.YearsToRetirement, 20);
}

struct PowerCase {
    const char* name;
    Extended base;
    std::int32_t n;
    Extended value;  // when no fault
    const char* fault;
};

const Extended kInf = std::numeric_limits<Extended>::infinity();
const Extended kNaN = std::numeric_limits<Extended>::quiet_NaN();

const PowerCase kPowerCases[] = {
    {"ZeroExponentOfZero", 0, 0, 1, ""},
    {"ZeroExponentOfInfinity", kInf, 0, 1, ""},
    {"ZeroExponentOfNaN", kNaN, 0, 1, ""},
    {"ZeroBase", 0, 5, 0, ""},
    {"ZeroBaseNegativePower", 0, -1, 0, kZeroDivide},
    {"Positive", 2, 10, 1024, ""},
    {"NegativeBaseOddPower", -2, 3, -8, ""},
    {"NegativePower", 2, -2, 0.25L, ""},
    {"SmallestExponent", -1, std::numeric_limits<std::int32_t>::min(), 1, ""},
    {"BaseOneLargestExponent", 1, std::numeric_limits<std::int32_t>::max(), 1, ""},
    // 2^16383 is the largest power of two: the square is not squared again
    // once the top bit is used, so the unused 2^16384 never overflows.
    {"TopBitNotSquaredAgain", 2, 16383, 0x1p16383L, ""},
    {"BeyondRange", 10, 4933, 0, kOverflow},
    // The reciprocal comes last, so 10^-4933 overflows on the way.
    {"BeyondRangeNegative", 10, -4933, 0, kOverflow},
};

// A failing row prints its name (gtest prints a row through PrintTo).
void PrintTo(const PowerCase& row, std::ostream* os) { *os << row.name; }

class PowerTable : public ::testing::TestWithParam<PowerCase> {};

TEST_P(PowerTable, SquaresAndMultiplies) {
    const PowerCase& c = GetParam();
    Extended value = 0;
    EXPECT_EQ(FaultOf([&] { value = PowerOf(c.base, c.n); }), c.fault);
    if (*c.fault == '\0') {
        EXPECT_EQ(value, c.value);
    }
}

INSTANTIATE_TEST_SUITE_P(Projection, PowerTable, ::testing::ValuesIn(kPowerCases),
                         [](const auto& row) { return std::string(row.param.name); });

// The order of the squarings shows in the last bits: (1.075)^20 made as
// ((x^4)^4 · x^4) differs from twenty multiplications in a row.
TEST(PowerOf, RoundsLikeSquaringNotLikeRepeatedProducts) {
    const Extended x = fp::add(1, 0.075L);
    const Extended x2 = fp::mul(x, x), x4 = fp::mul(x2, x2), x8 = fp::mul(x4, x4),
                   x16 = fp::mul(x8, x8);
    EXPECT_EQ(PowerOf(x, 20), fp::mul(x4, x16));
    Extended chain = 1;
    for (int k = 0; k < 20; ++k) chain = fp::mul(chain, x);
    EXPECT_NE(PowerOf(x, 20), chain);
}

// What an observer saw, one line per call, with Edit3's text at the time.
struct SeeingObserver : CalculateObserver {
    explicit SeeingObserver(const Field& edit3) : shown(edit3) {}
    const Field& shown;
    std::vector<std::string> seen;
    void calculated(const Plan& p, const Projection& r) override {
        seen.push_back("calculated " + std::to_string(p.YearsToRetirement) + " " +
                       std::to_string(r.YearsProvided) + " " + shown.text());
    }
    void calculateFaulted(const std::string& message) override {
        seen.push_back("faulted " + message);
    }
};

TEST(CalculateObserver, HearsEachRunAfterItsResultsOrItsFault) {
    PlannerOnPlainFields f;
    SeeingObserver observer(f.result(Result::Edit3));
    f.planner.setObserver(&observer);

    f.planner.calculate();
    f.planner.CalcEnabled = false;
    f.planner.calculate();  // not a run
    f.planner.CalcEnabled = true;
    f.planner.plan.AnnualSavings = 0;
    f.planner.plan.CurrentSavings = 0;
    f.planner.plan.InvestmentReturn = f.planner.plan.InflationRate;
    EXPECT_EQ(FaultOf([&] { f.planner.calculate(); }), kInvalid);

    EXPECT_EQ(observer.seen,
              (std::vector<std::string>{"calculated 20 26 795766",
                                        "faulted Invalid floating point operation"}));
}

}  // namespace
}  // namespace nestora
