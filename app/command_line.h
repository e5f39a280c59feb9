// SPDX-License-Identifier: MIT
// The program's command line. Started without arguments (or with Qt's own
// window options alone: -platform, -style, ...) it opens its window; with
// anything else it answers on the standard streams and ends, needing no
// display, so the choice is made before any application object exists.
//
//   nestora --schedule            the schedule of the program's own settings
//   nestora --schedule plan.fig   the schedule of that settings file
//   nestora --schedule --history  with history's columns
//   nestora --solve draw          the largest draw the markets bear (also
//                                 spend, retire, saving)
//   nestora --history-starts      each start year of history and its outcome
//   nestora --help, --version
//   nestora plan.nestora          the window, on that plan document
//
// Every error goes to standard error in lines that begin "nestora: " and
// name the file or the option. Exit status: 0 done, 1 a report on standard
// error (a settings file the window would complain about, a failed write),
// 2 a usage error (an argument it does not know, a value out of range),
// 3 a plan longer than history's data, or no value that reaches the
// success level.
#pragma once

#include <string>

class QCoreApplication;

namespace nestora {

// False when the arguments are Qt's own window options or there are none,
// or those and one plan document (PlanDocumentArgument).
bool WantsCommandLine(int argc, const char* const* argv);

// The plan document the window is to start on: the one argument besides
// Qt's own options when it names a file ending in ".nestora"; empty when
// there is none.
std::string PlanDocumentArgument(int argc, const char* const* argv);

// Parses the application's arguments and runs the command.
int RunCommandLine(QCoreApplication& app);

}  // namespace nestora
