// SPDX-License-Identifier: MIT
#include "schedule/life_plan_texts.h"

#include <cctype>
#include <cmath>
#include <optional>
#include <stdexcept>

#include "number/errors.h"
#include "number/locale_separator.h"
#include "number/real_to_text.h"
#include "number/text_to_real.h"

namespace nestora {

namespace {

struct Problem {
    std::string text;
};

std::string Trimmed(const std::string& text) {
    const auto first = text.find_first_not_of(" \t");
    if (first == std::string::npos) return {};
    return text.substr(first, text.find_last_not_of(" \t") - first + 1);
}

// Digits only, at most six of them (no table goes that far).
std::optional<std::int32_t> Whole(const std::string& text) {
    if (text.empty() || text.size() > 6) return std::nullopt;
    std::int32_t value = 0;
    for (const char c : text) {
        if (c < '0' || c > '9') return std::nullopt;
        value = value * 10 + (c - '0');
    }
    return value;
}

// A number too large for the arithmetic ("1E5000") is no number either.
Extended Amount(const std::string& text, char separator, const std::string& what) {
    const Problem bad{what + ": \"" + text + "\" is not a number"};
    if (Trimmed(text).empty()) throw bad;
    try {
        const RealParse parse = TextToReal(WithDecimalPoint(Trimmed(text), separator));
        if (parse.ok() && fp::isFinite(parse.value)) return parse.value;
    } catch (const Error&) {
    }
    throw bad;
}

std::int32_t YearOrAge(const std::string& typed, const std::optional<std::int32_t>& ageNow,
                       const std::string& what) {
    const std::string text = Trimmed(typed);
    if (!text.empty() && (text[0] == 'a' || text[0] == 'A')) {
        const auto age = Whole(Trimmed(text.substr(1)));
        if (!age) throw Problem{what + ": \"" + typed + "\" is not an age (a67)"};
        if (!ageNow) throw Problem{what + ": an age (" + text + ") needs your age now"};
        const std::int32_t year = YearOfAge(*ageNow, *age);
        if (year < 1)
            throw Problem{what + ": age " + std::to_string(*age) + " is not after your age now (" +
                          std::to_string(*ageNow) + ")"};
        return year;
    }
    const auto year = Whole(text);
    if (!year) throw Problem{what + ": \"" + typed + "\" is not a year (1, 2, …) or an age (a67)"};
    return *year;
}

LifePlan Read(const LifePlanTexts& texts, char separator) {
    LifePlan life;
    if (!Trimmed(texts.age).empty()) {
        const auto age = Whole(Trimmed(texts.age));
        if (!age) throw Problem{"Age now: \"" + texts.age + "\" is not a whole number of years"};
        life.ageNow = *age;
    }
    if (!Trimmed(texts.growth).empty())
        life.savingGrowth =
            fp::div(Amount(texts.growth, separator, "Savings growth"), Extended(100));
    if (!Trimmed(texts.spend).empty())
        life.spendToday = Amount(texts.spend, separator, "What you spend");
    life.rule = texts.rule;
    for (std::size_t k = 0; k < texts.incomes.size(); ++k) {
        const IncomeTexts& typed = texts.incomes[k];
        const std::string what = "Income " + std::to_string(k + 1);
        IncomeStream stream;
        stream.name = typed.name;
        stream.amountToday = Amount(typed.amount, separator, what + ", amount");
        stream.firstYear = YearOrAge(typed.from, life.ageNow, what + ", from");
        if (!Trimmed(typed.to).empty())
            stream.lastYear = YearOrAge(typed.to, life.ageNow, what + ", to");
        stream.indexed = typed.indexed;
        life.incomes.push_back(stream);
    }
    for (std::size_t k = 0; k < texts.oneOffs.size(); ++k) {
        const OneOffTexts& typed = texts.oneOffs[k];
        const std::string what = "One-off sum " + std::to_string(k + 1);
        life.oneOffs.push_back({.amountToday = Amount(typed.amount, separator, what + ", amount"),
                                .year = YearOrAge(typed.at, life.ageNow, what + ", year")});
    }
    return life;
}

std::string Percent(double share) { return std::to_string(std::lround(share * 100)) + " %"; }

}  // namespace

LifePlanReading ReadLifePlanTexts(const LifePlanTexts& texts, char decimalSeparator) {
    LifePlanReading reading;
    try {
        reading.life = Read(texts, decimalSeparator);
        CheckLifePlan(reading.life);
    } catch (const Problem& problem) {
        reading.problem = problem.text + ".";
    } catch (const std::invalid_argument& fault) {
        std::string text = fault.what();
        if (!text.empty()) text[0] = static_cast<char>(std::toupper(text[0]));
        reading.problem = text + ".";
    }
    if (!reading.problem.empty()) reading.life = {};
    return reading;
}

LifePlanTexts TextsOfLifePlan(const LifePlan& life, char decimalSeparator) {
    LifePlanTexts texts;
    if (life.ageNow) texts.age = std::to_string(*life.ageNow);
    if (life.savingGrowth != 0)
        texts.growth = RealToText(fp::mul(life.savingGrowth, Extended(100)), decimalSeparator);
    if (life.spendToday) texts.spend = RealToText(*life.spendToday, decimalSeparator);
    texts.rule = life.rule;
    for (const IncomeStream& stream : life.incomes)
        texts.incomes.push_back(
            {.name = stream.name,
             .amount = RealToText(stream.amountToday, decimalSeparator),
             .from = std::to_string(stream.firstYear),
             .to = stream.lastYear ? std::to_string(*stream.lastYear) : std::string(),
             .indexed = stream.indexed});
    for (const OneOffSum& sum : life.oneOffs)
        texts.oneOffs.push_back({.amount = RealToText(sum.amountToday, decimalSeparator),
                                 .at = std::to_string(sum.year)});
    return texts;
}

std::string SpendingRuleText(SpendingRule rule) {
    switch (rule) {
        case SpendingRule::Percent:
            return "Percent: each year savings pay the draw rate times the balance at the start "
                   "of the year, so the money never runs out and what they pay moves with the "
                   "markets.";
        case SpendingRule::Guardrails:
            return "Guardrails: savings start at the fixed amount, whose share of the balance at "
                   "retirement is the starting rate; a year's amount above " +
                   Percent(GuardrailHigh) + " of that rate times the balance is cut by " +
                   Percent(GuardrailStep) + " for good, one below " + Percent(GuardrailLow) +
                   " of it raised by " + Percent(GuardrailStep) + ".";
        case SpendingRule::Fixed:
            break;
    }
    return "Fixed: savings pay the same amount in today's money every year until the money runs "
           "out.";
}

}  // namespace nestora
