// SPDX-License-Identifier: MIT
// The user's decimal separator: read once at start-up from the locale
// (LC_NUMERIC as the environment sets it) and handed to the planner, which
// shows its numbers with it; "." when the locale's symbol is not a single
// character. Nothing keeps it in a global: a text that is written to a file
// is given "." instead.
#pragma once

#include <string>
#include <string_view>

namespace nestora {

char ReadLocaleDecimalSeparator();

// The separator that a decimal-point text names: its single character, or
// '.' when it is empty or longer than one character.
char DecimalSeparatorFrom(const char* radix);

// Entry text as the parser reads it: where the user's decimal symbol is not
// ".", that symbol stands for the point, so a field shows "7,5" and takes
// "7,5" (and "7.5") back. With "." nothing changes and "7,5" stays an error.
// The settings file never passes through here: it always keeps ".".
std::string WithDecimalPoint(std::string_view text, char separator);

}  // namespace nestora
