// SPDX-License-Identifier: MIT
// The program's command line. Started without options it opens its window;
// with --schedule [FILE], --help or --version it answers on the standard
// streams and ends, needing no display, so the choice is made before any
// application object exists.
//
//   nestora --schedule            the schedule of the program's own settings
//   nestora --schedule plan.fig   the schedule of that settings file
//
// Exit status: 0 done, 1 a report on standard error, 2 a usage error.
#pragma once

class QCoreApplication;

namespace nestora {

// True when the arguments ask for the command line rather than the window:
// any "--" option, or -h, -? or -v. Qt's own single-dash window options
// (-platform, -style, ...) keep the window.
bool WantsCommandLine(int argc, const char* const* argv);

// Parses the application's arguments and runs the command.
int RunCommandLine(QCoreApplication& app);

}  // namespace nestora
