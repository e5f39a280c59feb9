// SPDX-License-Identifier: MIT
// The life plan as the user types it: every input a text, as the Year by
// Year window shows and remembers it, so that a bad entry is kept as typed
// and named in a warning instead of being lost.
//
//   age          "" (none) or a whole number of years, 15 … 100
//   growth       the saving growth in percent ("" or "0": none), −20 … 50
//   spend        "" (none) or a yearly sum in today's money
//   from, to, at a year as the table counts it ("1" is the first year), or an
//                age written with an "a" in front ("a67") when the age is set;
//                `to` may be empty (paid to the end)
//
// Amounts take the user's decimal symbol as the main window's fields do
// (WithDecimalPoint).
#pragma once

#include <string>
#include <vector>

#include "schedule/life_plan.h"

namespace nestora {

struct IncomeTexts {
    std::string name;
    std::string amount;
    std::string from = "1";
    std::string to;
    bool indexed = true;
    bool operator==(const IncomeTexts&) const = default;
};

struct OneOffTexts {
    std::string amount;
    std::string at = "1";
    bool operator==(const OneOffTexts&) const = default;
};

struct LifePlanTexts {
    std::string age;
    std::string growth;
    std::string spend;
    SpendingRule rule = SpendingRule::Fixed;
    std::vector<IncomeTexts> incomes;
    std::vector<OneOffTexts> oneOffs;
    bool operator==(const LifePlanTexts&) const = default;
};

// The plan the texts describe, or what is wrong with them: `problem` is
// empty when the plan is sound (it passed CheckLifePlan), else one sentence
// naming the input ("Income 2, from: …" or CheckLifePlan's message).
struct LifePlanReading {
    LifePlan life;
    std::string problem;
};
LifePlanReading ReadLifePlanTexts(const LifePlanTexts& texts, char decimalSeparator);

// The texts that read back as `life`: years as years, amounts with
// `decimalSeparator`.
LifePlanTexts TextsOfLifePlan(const LifePlan& life, char decimalSeparator);

// The spending rule written down for the user, its figures included.
std::string SpendingRuleText(SpendingRule rule);

}  // namespace nestora
