// SPDX-License-Identifier: MIT
// Where the program's errors stop. Every entry point from the toolkit (each
// change of an entry field, each menu command, the creation, show and close
// steps, the save at the end of a session) runs its work through RunCaught:
// whatever escapes is shown in the error box, titled with the program's
// title, and the program carries on. No exception goes on into the toolkit,
// which does not allow one to cross its signals and events.
#pragma once

#include <functional>
#include <optional>
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

// The message for anything that escapes a step: a program's error gives its
// own, any other standard exception its what() ("std::bad_alloc"), and one
// without a text, or something that is no standard exception at all (a
// thrown int), gives this.
inline constexpr const char* UnexpectedError = "Unexpected error";

// Runs step and gives the message of whatever escaped it, or nothing when
// it completed.
std::optional<std::string> ErrorOf(const std::function<void()>& step);

// Runs step; whatever escapes it is shown in the error box. With mayShow,
// the box is shown only when mayShow, asked after a failure and only then,
// answers true. Returns false when something was caught.
bool RunCaught(Desktop& desktop, const std::string& title, const std::function<void()>& step,
               const std::function<bool()>& mayShow = {});

}  // namespace nestora
