// SPDX-License-Identifier: MIT
// The plan around the six values: the age you are, savings that grow with
// your pay, other income in retirement, what you spend, one-off sums and the
// rule by which savings pay in retirement. Every field has a neutral value
// (what LifePlan{} holds), and a plan whose fields are all neutral gives the
// schedule and the simulation of the six values alone, to the last bit.
//
// Years are counted as the schedule counts them: saving years 1 … n, then
// retirement years n + 1, n + 2, … . An age a is year a − ageNow
// (YearOfAge). Money is in today's money unless a field says otherwise.
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

#include "number/arith.h"

namespace nestora {

inline constexpr std::int32_t MinAgeNow = 15;
inline constexpr std::int32_t MaxAgeNow = 100;
inline constexpr double MinSavingGrowth = -0.2;
inline constexpr double MaxSavingGrowth = 0.5;
// Years and ages past this are refused: no table reaches them.
inline constexpr std::int32_t MaxPlanYear = 1000;

enum class SpendingRule {
    // Savings pay the same amount in today's money every year until the
    // money runs out.
    Fixed,
    // Savings pay the draw rate times the balance at the start of the year:
    // the money never runs out, and what it pays moves with the markets.
    Percent,
    // Savings start at the fixed amount; its share of the balance at
    // retirement is the starting rate. At the start of each later year, when
    // the amount would be above GuardrailHigh × the starting rate × the
    // balance, the spending is cut by GuardrailStep (and stays cut); when it
    // would be below GuardrailLow × that, it is raised by GuardrailStep.
    Guardrails,
};
inline constexpr double GuardrailHigh = 1.2;
inline constexpr double GuardrailLow = 0.8;
inline constexpr double GuardrailStep = 0.1;

// The names the command line and the plan document use: "fixed",
// "percent", "guardrails".
const char* SpendingRuleName(SpendingRule rule);
std::optional<SpendingRule> SpendingRuleNamed(const std::string& name);

// Income besides savings (a pension, a state pension, rent), paid at the end
// of each year from firstYear to lastYear (to the end without one), and only
// in retirement years: a stream that starts earlier counts from the first
// retirement year. An indexed stream keeps pace with inflation: it is worth
// amountToday in today's money every year. One that is not stays the same
// in money of its own years: worth amountToday in its first year, its value
// in today's money falls by (1 + i) each year after.
struct IncomeStream {
    std::string name;
    Extended amountToday = 0;  // a year, ≥ 0
    std::int32_t firstYear = 1;
    std::optional<std::int32_t> lastYear;
    bool indexed = true;
};

// A sum added to the balance at the end of its year (taken from it when
// negative), after the year's return and what savings paid. In a saving
// year it enters the nominal balance at its value in money of that year.
struct OneOffSum {
    Extended amountToday = 0;
    std::int32_t year = 1;
};

struct LifePlan {
    // With an age, each year has the age at its end (ageNow + year) and its
    // calendar year; nothing else depends on it.
    std::optional<std::int32_t> ageNow;
    // The saving of year k is P·(1 + savingGrowth)^(k − 1) in money of that
    // year; a fraction, MinSavingGrowth … MaxSavingGrowth.
    Extended savingGrowth = 0;
    std::vector<IncomeStream> incomes;
    // What you spend a year in retirement, other income included. Without
    // it savings pay the draw rate of the balance at retirement and other
    // income comes on top; with it savings pay what other income does not
    // cover, max(0, spend − income).
    std::optional<Extended> spendToday;
    std::vector<OneOffSum> oneOffs;
    SpendingRule rule = SpendingRule::Fixed;
};

// True when a field other than the age differs from its neutral value, so
// that the money of some year may differ from the plain schedule's.
bool ChangesMoney(const LifePlan& life);

// Raises std::invalid_argument, its message naming the field, for a value
// out of range: an age outside MinAgeNow … MaxAgeNow, a growth outside its
// range, a negative or non-finite amount of income or spending, a year
// outside 1 … MaxPlanYear or a last year before the first.
void CheckLifePlan(const LifePlan& life);

// The year of an age: age − ageNow.
std::int32_t YearOfAge(std::int32_t ageNow, std::int32_t age);

}  // namespace nestora
