// SPDX-License-Identifier: MIT
// nestora.exe's command line: the same options as on Linux (--schedule
// [FILE], --volatility, --horizon, --paths, --seed, --help, --version), the
// same CSV on standard output, the same messages and exit status (0 done, 1 a
// report on standard error, 2 a usage error). Started from a console, the
// program writes to that console; with its output redirected, to the file or
// pipe it was given. No window opens.
#pragma once

#include <ostream>
#include <string>
#include <vector>

namespace nestora::win32 {

// Any "--" option, or -h, -? or -v.
bool WantsCommandLine(const std::vector<std::string>& args);

// The arguments after the program's name; the settings file the program uses
// when --schedule names none.
int RunCommandLine(const std::vector<std::string>& args, const std::string& ownSettings,
                   std::ostream& out, std::ostream& err);

// Binds the C runtime's standard streams to the handles the program was
// started with, or else to the console of the process that started it,
// in binary mode, so that the CSV's lines end in LF as on Linux.
void AttachStandardStreams();

}  // namespace nestora::win32
