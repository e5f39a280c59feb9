// SPDX-License-Identifier: MIT
// The commands that write a table or an answer of a settings file's plan as
// CSV, without a window, for the plan the main window computes with after
// starting on the file (WindowlessPlan). What the window would report in a
// box goes to `err` instead, each line "nestora: FILE: message", and then no
// CSV is written.
//
// With a plan document in `source` the plan is the document's (its six
// texts typed into the fields) in place of the settings file's; either way
// with the life around it that the document and the command line give
// (PlanSource), which the schedule, the simulation and history all take.
//
// A file that does not exist means the defaults when `mustExist` is false
// (the program's own file before its first close) and "File not found." when
// it is true (a file named on the command line). Each returns the exit
// status: 0, 1 after a report on `err`, 3 when the plan's years to
// retirement and of retirement are more than history's data holds (or,
// for --solve, when no value reaches the success level).
#pragma once

#include <optional>
#include <ostream>
#include <string>

#include "app/plan_source.h"
#include "number/platform_file.h"
#include "schedule/history.h"
#include "schedule/simulation.h"
#include "schedule/solver.h"

namespace nestora {

// nestora --schedule [FILE]: the year-by-year schedule. With `simulation`,
// the CSV gains the varying-returns columns (p10_today, p50_today,
// p90_today, funded), with `history` history's (hist_p10_today, ...,
// hist_funded), and runs to the later of the schedule's last year and the
// horizon's.
int RunScheduleCommand(const std::string& path, bool mustExist, std::ostream& out,
                       std::ostream& err, FileSystem& files = SystemFiles(),
                       const std::optional<SimulationOptions>& simulation = std::nullopt,
                       const std::optional<HistoryOptions>& history = std::nullopt,
                       const PlanSource& source = {});

// nestora --solve QUANTITY [FILE]: the value of `quantity` that the markets
// of `options` just bear, as CSV:
//   quantity,value,success
//   draw,5.87,0.9012
// the draw rate in percent with two decimals, the other quantities whole;
// the success at that value with four decimals (FundedText). When no value
// in the range reaches the success level, the line holds the best value,
// the sentence that says so goes to `err` and the status is 3.
int RunSolveCommand(const std::string& path, bool mustExist, std::ostream& out, std::ostream& err,
                    SolveFor quantity, const SolveOptions& options,
                    FileSystem& files = SystemFiles(), const PlanSource& source = {});

// nestora --history-starts [FILE]: one line per start year of history,
//   start_year,full_years,end_balance_today
int RunHistoryStartsCommand(const std::string& path, bool mustExist, std::ostream& out,
                            std::ostream& err, const HistoryOptions& history,
                            FileSystem& files = SystemFiles(), const PlanSource& source = {});

}  // namespace nestora
