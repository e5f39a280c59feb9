// SPDX-License-Identifier: MIT
#include "app/plan_source.h"

#include <stdexcept>

namespace nestora {

LifePlan WithChoices(LifePlan life, const LifeChoices& choices) {
    if (choices.ageNow) life.ageNow = choices.ageNow;
    if (choices.savingGrowth) life.savingGrowth = *choices.savingGrowth;
    if (choices.spendToday) life.spendToday = choices.spendToday;
    if (choices.rule) life.rule = *choices.rule;
    if (choices.incomes) life.incomes = *choices.incomes;
    if (choices.oneOffs) life.oneOffs = *choices.oneOffs;
    return life;
}

std::string PlanPath(const PlanSource& source, const std::string& settingsPath) {
    return source.document.value_or(settingsPath);
}

std::optional<LifePlan> LoadPlan(WindowlessPlan& plan, const PlanSource& source, bool mustExist,
                                 FileSystem& files, std::ostream& err) {
    LifePlan life;
    if (source.document) {
        const std::optional<LifePlan> typed =
            TypeInPlanDocument(plan, *source.document, files, err);
        if (!typed) return std::nullopt;
        life = *typed;
    } else if (!plan.load(mustExist, files)) {
        return std::nullopt;
    }
    life = WithChoices(life, source.life);
    try {
        CheckLifePlan(life);
    } catch (const std::invalid_argument& e) {
        plan.report(std::string("The plan's life: ") + e.what() + ".");
        return std::nullopt;
    }
    return life;
}

}  // namespace nestora
