// SPDX-License-Identifier: MIT
#include "schedule/life_plan.h"

#include <stdexcept>

namespace nestora {

const char* SpendingRuleName(SpendingRule rule) {
    switch (rule) {
        case SpendingRule::Percent:
            return "percent";
        case SpendingRule::Guardrails:
            return "guardrails";
        case SpendingRule::Fixed:
            break;
    }
    return "fixed";
}

std::optional<SpendingRule> SpendingRuleNamed(const std::string& name) {
    for (const SpendingRule rule :
         {SpendingRule::Fixed, SpendingRule::Percent, SpendingRule::Guardrails})
        if (name == SpendingRuleName(rule)) return rule;
    return std::nullopt;
}

bool ChangesMoney(const LifePlan& life) {
    return life.savingGrowth != 0 || !life.incomes.empty() || life.spendToday.has_value() ||
           !life.oneOffs.empty() || life.rule != SpendingRule::Fixed;
}

namespace {

void Require(bool ok, const std::string& what) {
    if (!ok) throw std::invalid_argument(what);
}

bool IsYear(std::int32_t year) { return year >= 1 && year <= MaxPlanYear; }

}  // namespace

void CheckLifePlan(const LifePlan& life) {
    if (life.ageNow)
        Require(*life.ageNow >= MinAgeNow && *life.ageNow <= MaxAgeNow,
                "the age must lie between 15 and 100");
    Require(life.savingGrowth >= Extended(MinSavingGrowth) &&
                life.savingGrowth <= Extended(MaxSavingGrowth),
            "the saving growth must lie between -20 and 50 %");
    for (const IncomeStream& stream : life.incomes) {
        Require(fp::isFinite(stream.amountToday) && stream.amountToday >= 0,
                "an income must be a sum of 0 or more");
        Require(IsYear(stream.firstYear), "an income's first year must lie between 1 and 1000");
        if (stream.lastYear)
            Require(IsYear(*stream.lastYear) && *stream.lastYear >= stream.firstYear,
                    "an income's last year must lie between its first year and 1000");
    }
    if (life.spendToday)
        Require(fp::isFinite(*life.spendToday) && *life.spendToday >= 0,
                "the spending must be a sum of 0 or more");
    for (const OneOffSum& sum : life.oneOffs) {
        Require(fp::isFinite(sum.amountToday), "a one-off sum must be a number");
        Require(IsYear(sum.year), "a one-off sum's year must lie between 1 and 1000");
    }
}

std::int32_t YearOfAge(std::int32_t ageNow, std::int32_t age) { return age - ageNow; }

}  // namespace nestora
