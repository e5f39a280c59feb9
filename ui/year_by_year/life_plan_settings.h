// SPDX-License-Identifier: MIT
// The "Your plan" inputs as the user typed them, kept between runs in Year
// by Year's own settings file (year-by-year.conf, group "plan"), beside the
// simulation's inputs and never in the plan's settings file. A file that is
// left alone (YearByYearSettingsRefusal) gives the neutral inputs and is not
// written.
#pragma once

#include "schedule/life_plan_texts.h"

namespace nestora {

struct LifePlanSettings {
    LifePlanTexts texts;
    bool open = false;  // the inputs shown, not only their summary
};

LifePlanSettings LoadLifePlanSettings();
// False when the file is left alone or could not be written.
bool SaveLifePlanSettings(const LifePlanSettings& settings);

}  // namespace nestora
