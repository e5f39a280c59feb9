// SPDX-License-Identifier: MIT
// The options that say which plan a command runs and the life around it,
// for every command that runs a plan (--schedule, --history-starts, ...):
//   --plan FILE              a plan document in place of a settings file
//   --age YEARS              the age now, 15 to 100
//   --saving-growth PCT      the yearly saving grows by PCT a year, -20 to 50
//   --spend AMOUNT           what is spent a year in retirement, today's money
//   --rule fixed|percent|guardrails
//   --income AMOUNT,FROM[,TO][,fixed]   repeatable
//   --lump AMOUNT,AT                    repeatable, AMOUNT signed
// FROM, TO and AT are years as the schedule counts them (1 = the first
// year) or, with --age, ages written with an "a" in front (a67: the year at
// whose end you are 67). Each option given replaces that part of the plan
// document's life (all of its incomes, or all of its one-off sums).
#pragma once

#include <QCommandLineOption>
#include <QCommandLineParser>
#include <optional>
#include <string>
#include <vector>

#include "app/plan_source.h"

namespace nestora {

class PlanOptions {
  public:
    PlanOptions();
    std::vector<const QCommandLineOption*> all() const;
    // The first of them given where no command that runs a plan is; the
    // text names the option and `commands`, those that take it.
    std::optional<std::string> outOfPlace(const QCommandLineParser& parser, bool planCommand,
                                          const std::string& commands) const;
    // Reads them into `source`; the usage error's text, naming the option,
    // when a value is not one they take. `fileGiven`: a settings FILE is
    // also given, which --plan takes the place of.
    std::optional<std::string> read(const QCommandLineParser& parser, bool fileGiven,
                                    PlanSource& source) const;

  private:
    QCommandLineOption plan_;
    QCommandLineOption age_;
    QCommandLineOption savingGrowth_;
    QCommandLineOption spend_;
    QCommandLineOption rule_;
    QCommandLineOption income_;
    QCommandLineOption lump_;
};

}  // namespace nestora
