// SPDX-License-Identifier: MIT
// The decimal separator that RealToText writes. Read from the user's locale
// (LC_NUMERIC as the environment sets it) by ReadLocaleDecimalSeparator at
// start-up; "." when the locale's symbol is not a single character.
#pragma once

#include <string>
#include <string_view>

namespace nestora {

extern char LocaleDecimalSeparator;

void ReadLocaleDecimalSeparator();

// The separator that a decimal-point text names: its single character, or
// '.' when it is empty or longer than one character.
char DecimalSeparatorFrom(const char* radix);

// Entry text as the parser reads it: where the user's decimal symbol is not
// ".", that symbol stands for the point, so a field shows "7,5" and takes
// "7,5" (and "7.5") back. With "." nothing changes and "7,5" stays an error.
// The settings file never passes through here: it always keeps ".".
std::string WithDecimalPoint(std::string_view text, char separator);

}  // namespace nestora
