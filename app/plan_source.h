// SPDX-License-Identifier: MIT
// Where a command's plan comes from (a settings file or a plan document) and
// the life around it that the command line gives (PlanOptions reads them).
#pragma once

#include <optional>
#include <ostream>
#include <string>
#include <vector>

#include "app/windowless_plan.h"
#include "number/platform_file.h"
#include "schedule/life_plan.h"

namespace nestora {

// The life options as given; a part not given is none.
struct LifeChoices {
    std::optional<std::int32_t> ageNow;
    std::optional<Extended> savingGrowth;
    std::optional<Extended> spendToday;
    std::optional<SpendingRule> rule;
    std::optional<std::vector<IncomeStream>> incomes;
    std::optional<std::vector<OneOffSum>> oneOffs;
};

// `life` with the parts that `choices` gives replaced.
LifePlan WithChoices(LifePlan life, const LifeChoices& choices);

struct PlanSource {
    std::optional<std::string> document;  // --plan FILE, in the file system's encoding
    LifeChoices life;
};

// The file whose plan `source` runs: the plan document, else `settingsPath`.
std::string PlanPath(const PlanSource& source, const std::string& settingsPath);

// Loads into `plan` (made on PlanPath) the plan document of `source`, its
// six texts typed into the fields, or else the settings file (`mustExist`
// as for WindowlessPlan::load); gives the life around it with the command
// line's choices, or none after a report on `err`.
std::optional<LifePlan> LoadPlan(WindowlessPlan& plan, const PlanSource& source, bool mustExist,
                                 FileSystem& files, std::ostream& err);

// Types the six texts of the plan document at `path` into `plan`'s fields and
// gives its life, or none after a report on `err`. Plan documents are read
// through Qt's JSON classes, so this lives apart (plan_document_source.cpp),
// and the Windows program, which takes no --plan, has its own.
std::optional<LifePlan> TypeInPlanDocument(WindowlessPlan& plan, const std::string& path,
                                           FileSystem& files, std::ostream& err);

}  // namespace nestora
