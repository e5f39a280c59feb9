// SPDX-License-Identifier: MIT
// The decimal separator that RealToText writes. Read from the user's locale
// (LC_NUMERIC as the environment sets it) by ReadLocaleDecimalSeparator at
// start-up; "." when the locale's symbol is not a single character.
#pragma once

namespace nestora {

extern char LocaleDecimalSeparator;

void ReadLocaleDecimalSeparator();

// The separator that a decimal-point text names: its single character, or
// '.' when it is empty or longer than one character.
char DecimalSeparatorFrom(const char* radix);

}  // namespace nestora
