// SPDX-License-Identifier: MIT
// What a plan document holds beyond the main window's six values lives in
// the Year by Year window: "Your plan", the markets and the solver's
// question. The main window reaches them through this face of that window,
// which its library makes (year_by_year_opener.h).
#pragma once

#include <QString>
#include <string>

#include "document/plan_document.h"

namespace nestora {

class YearByYearInputs {
  public:
    virtual ~YearByYearInputs() = default;
    // Puts everything of `document` but its six values in the inputs.
    virtual void takeDocument(const PlanDocument& document) = 0;
    // Fills in everything but the six values from the inputs; false, with
    // the reason in `problem`, while an input holds a bad entry.
    virtual bool fillDocument(PlanDocument& document, std::string& problem) const = 0;
    // Where Open Plan and Save Plan As start: the folder of the last plan
    // document, at first the user's documents folder.
    virtual QString planFolder() const = 0;
    virtual void rememberPlanFolder(const QString& document) = 0;
};

}  // namespace nestora
