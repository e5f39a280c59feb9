// SPDX-License-Identifier: MIT
// The Year by Year window's part of a plan document: "Your plan", the
// markets and the solver's question.
#include <QFileInfo>
#include <QSpinBox>

#include "ui/year_by_year/life_plan_panel.h"
#include "ui/year_by_year/simulation_panel.h"
#include "ui/year_by_year/solve_line.h"
#include "ui/year_by_year/year_by_year_settings.h"
#include "ui/year_by_year/year_by_year_window.h"

namespace nestora {

void YearByYearWindow::takeDocument(const PlanDocument& document) {
    lifePlan_->setLifePlan(document.life);
    simulation_->takeDocument(document);
    solve_->setQuestion(document.solveFor, document.successPercent);
}

bool YearByYearWindow::fillDocument(PlanDocument& document, std::string& problem) const {
    problem = lifePlan_->problem().toStdString();
    if (!problem.empty()) return false;
    document.life = lifePlan_->lifePlan();
    simulation_->fillDocument(document);
    document.solveFor = solve_->quantity();
    document.successPercent = solve_->successBox().value();
    return true;
}

QString YearByYearWindow::planFolder() const {
    return StartFolder(LoadYearByYearSettings().planFolder);
}

void YearByYearWindow::rememberPlanFolder(const QString& document) {
    YearByYearSettings settings = LoadYearByYearSettings();
    settings.planFolder = QFileInfo(document).absolutePath();
    SaveYearByYearSettings(settings);
}

}  // namespace nestora
