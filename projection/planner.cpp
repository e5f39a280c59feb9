// SPDX-License-Identifier: MIT
#include "projection/planner.h"

#include <stdexcept>

#include "number/errors.h"
#include "number/integer_text.h"
#include "number/locale_separator.h"
#include "number/real_to_text.h"
#include "number/round_to_power.h"
#include "number/text_to_real.h"
#include "projection/catch_point.h"
#include "projection/project.h"

namespace nestora {

namespace {

using Rule = EntryRule;

// One row per entry field, in the order of Entry.
constexpr std::array<EntryRule, 6> kRules = {{
    {.entry = Entry::Edit1,
     .message = "Error in Current Investments entry.",
     .parse = Rule::Parse::Real,
     .real = &Plan::CurrentSavings,
     .integer = nullptr,
     .lower = Rule::Lower::NotAtLeastZero,
     .lowerValue = 0.0L,
     .lowerText = "0",
     .hasUpper = false,
     .upperLimit = 0.0L,
     .upperText = "",
     .percent = false},
    {.entry = Entry::Edit2,
     .message = "Error in Annual Savings entry.",
     .parse = Rule::Parse::Real,
     .real = &Plan::AnnualSavings,
     .integer = nullptr,
     .lower = Rule::Lower::NotAtLeastZero,
     .lowerValue = 0.0L,
     .lowerText = "0",
     .hasUpper = false,
     .upperLimit = 0.0L,
     .upperText = "",
     .percent = false},
    {.entry = Entry::Edit9,
     .message = "Error in Investment Return entry.",
     .parse = Rule::Parse::Real,
     .real = &Plan::InvestmentReturn,
     .integer = nullptr,
     .lower = Rule::Lower::NotAtLeastZero,
     .lowerValue = 0.0L,
     .lowerText = "0",
     .hasUpper = true,
     .upperLimit = 1.0L,
     .upperText = "100",
     .percent = true},
    {.entry = Entry::Edit10,
     .message = "Error in Inflation Rate entry.",
     .parse = Rule::Parse::Real,
     .real = &Plan::InflationRate,
     .integer = nullptr,
     .lower = Rule::Lower::NotAtLeastZero,
     .lowerValue = 0.0L,
     .lowerText = "0",
     .hasUpper = true,
     .upperLimit = 0.25L,
     .upperText = "25",
     .percent = true},
    // 0.01L is the extended value nearest one hundredth, the value "1" gives.
    {.entry = Entry::Edit8,
     .message = "Error in Retirement % Draw entry.",
     .parse = Rule::Parse::Real,
     .real = &Plan::RetirementDraw,
     .integer = nullptr,
     .lower = Rule::Lower::NotAboveZero,
     .lowerValue = 0.01L,
     .lowerText = "1",
     .hasUpper = true,
     .upperLimit = 0.25L,
     .upperText = "25",
     .percent = true},
    {.entry = Entry::Edit11,
     .message = "Error in Years Till Retirement entry.",
     .parse = Rule::Parse::Integer,
     .real = nullptr,
     .integer = &Plan::YearsToRetirement,
     .lower = Rule::Lower::NotAtLeastZero,
     .lowerValue = 0.0L,
     .lowerText = "0",
     .hasUpper = true,
     .upperLimit = 80.0L,
     .upperText = "80",
     .percent = false},
}};

constexpr std::size_t indexOf(Entry entry) { return static_cast<std::size_t>(entry); }
constexpr std::size_t indexOf(Result result) { return static_cast<std::size_t>(result); }

constexpr bool rulesInEntryOrder() {
    for (Entry entry : AllEntries)
        if (kRules[indexOf(entry)].entry != entry) return false;
    return true;
}
static_assert(rulesInEntryOrder());

// Written as negated comparisons so that a NaN fires the rule.
bool lowerFires(EntryRule::Lower lower, Extended value) {
    switch (lower) {
        case EntryRule::Lower::NotAtLeastZero:
            return !(value >= 0);
        case EntryRule::Lower::NotAboveZero:
            return !(value > 0);
    }
    return false;
}

}  // namespace

const EntryRule& RuleOf(Entry entry) { return kRules.at(indexOf(entry)); }

std::string MoneyText(Extended value, char separator) {
    return RealToText(RoundToPower(fp::toDouble(value), 0), separator);
}

void Planner::bindEntry(Entry entry, Field& field) { entries_.at(indexOf(entry)) = &field; }
void Planner::bindResult(Result result, Field& field) { results_.at(indexOf(result)) = &field; }

Field& Planner::entryField(Entry entry) const {
    Field* field = entries_.at(indexOf(entry));
    if (field == nullptr) throw std::logic_error("entry field not bound");
    return *field;
}

Field& Planner::resultField(Result result) const {
    Field* field = results_.at(indexOf(result));
    if (field == nullptr) throw std::logic_error("result field not bound");
    return *field;
}

void Planner::calculate() {
    if (!CalcEnabled) return;
    if (observer_ == nullptr) {
        calculateSteps();
        return;
    }
    try {
        calculateSteps();
    } catch (const EMathError& fault) {
        observer_->calculateFaulted(fault.message());
        throw;
    }
    observer_->calculated(plan, projection);
}

void Planner::calculateSteps() {
    Project(plan, projection);

    // One field at a time: a fault while rounding one result leaves the
    // fields before it written and the others as they were.
    const char point = decimalSeparator_;
    resultField(Result::Edit3).setText(MoneyText(projection.SavingsAtRetirement, point));
    resultField(Result::Edit4).setText(MoneyText(projection.AdjustedSavings, point));
    resultField(Result::Edit5).setText(MoneyText(projection.AdjustedDraw, point));
    resultField(Result::Edit6)
        .setText(MoneyText(static_cast<Extended>(projection.YearsProvided), point));
}

void Planner::entryChanged(Entry entry) {
    const EntryRule& rule = RuleOf(entry);
    Field& field = entryField(entry);

    // An emptied field becomes "0"; setting it runs this handler again,
    // nested, before setText returns.
    if (field.text().empty()) {
        field.setText("0");
        field.selectAll();
    }

    // The parse's value is stored whether or not the parse succeeded; a
    // failed parse leaves its partial value. A parse fault (an overflowing
    // text) leaves here before anything is stored.
    const std::string text = field.text();
    bool parsed;
    if (rule.parse == EntryRule::Parse::Real) {
        const RealParse result = TextToReal(WithDecimalPoint(text, decimalSeparator_));
        plan.*rule.real = result.value;
        parsed = result.ok();
    } else {
        const IntegerParse result = TextToInteger(text);
        plan.*rule.integer = result.value;
        parsed = result.ok();
    }

    if (!parsed) {
        desktop_.warning(std::string(rule.message));
        desktop_.beep();
    } else if (rule.percent) {
        plan.*rule.real = fp::div(plan.*rule.real, 100);
    }

    // Every years value is exact as an extended real, so one comparison
    // serves both kinds.
    const Extended value =
        rule.real != nullptr ? plan.*rule.real : static_cast<Extended>(plan.*rule.integer);
    auto replace = [&](Extended replacement, std::string_view replacementText) {
        if (rule.real != nullptr)
            plan.*rule.real = replacement;
        else
            plan.*rule.integer = static_cast<std::int32_t>(fp::truncToInt64(replacement));
        field.setText(std::string(replacementText));
        field.selectAll();
    };
    if (lowerFires(rule.lower, value))
        replace(rule.lowerValue, rule.lowerText);
    else if (rule.hasUpper && value > rule.upperLimit)
        replace(rule.upperLimit, rule.upperText);

    calculate();
}

bool RunEntryChanged(Planner& planner, Entry entry, const std::string& title) {
    return RunCaught(planner.desktop(), title, [&planner, entry] { planner.entryChanged(entry); });
}

}  // namespace nestora
