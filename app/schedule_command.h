// SPDX-License-Identifier: MIT
// nestora --schedule [FILE]: the year-by-year schedule as CSV, without a
// window, of the plan the main window computes with after starting on the
// settings file (WindowlessPlan). What the window would report in a box goes
// to `err` instead, each line "nestora: FILE: message", and then no CSV is
// written.
#pragma once

#include <optional>
#include <ostream>
#include <string>

#include "number/platform_file.h"
#include "schedule/simulation.h"

namespace nestora {

// Writes the schedule of the settings file at `path` to `out`. A file that
// does not exist means the defaults when `mustExist` is false (the program's
// own file before its first close) and "File not found." when it is true
// (a file named on the command line). Returns the exit status: 0, or 1 after
// a report on `err`. With `simulation`, the CSV gains the varying-returns
// columns (p10_today, p50_today, p90_today, funded) and runs to the later of
// the schedule's last year and the horizon's.
int RunScheduleCommand(const std::string& path, bool mustExist, std::ostream& out,
                       std::ostream& err, FileSystem& files = SystemFiles(),
                       const std::optional<SimulationOptions>& simulation = std::nullopt);

}  // namespace nestora
