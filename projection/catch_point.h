// SPDX-License-Identifier: MIT
// Where the program's errors stop. Every entry point from the toolkit (each
// change of an entry field, each menu command, the creation, show and close
// steps) runs its work through RunCaught: an error that escapes is shown in
// the error box, titled with the program's title, and the program carries on.
#pragma once

#include <functional>
#include <string>

#include "projection/desktop.h"

namespace nestora {

// The program's title from the executable's path: the file name cut at its
// first ".", every character after the first in lower case and the first
// left as it is ("/opt/PLAN.EXE" → "Plan", "/usr/bin/nestora" → "nestora").
std::string ProgramTitle(const std::string& executablePath);

// The error box's text: the message with a "." added when its last character
// comes after "." in character-code order ("Disk full" → "Disk full.").
std::string ErrorBoxText(const std::string& message);

// Runs step; a nestora::Error escaping from it is shown in the error box.
// Returns false when an error was caught.
bool RunCaught(Desktop& desktop, const std::string& title, const std::function<void()>& step);

}  // namespace nestora
