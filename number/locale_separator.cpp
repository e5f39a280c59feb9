// SPDX-License-Identifier: MIT
#include "number/locale_separator.h"

#ifdef _WIN32
#include <windows.h>
#else
#include <langinfo.h>
#include <locale.h>
#endif

namespace nestora {

char DecimalSeparatorFrom(const char* radix) {
    if (radix == nullptr || radix[0] == '\0' || radix[1] != '\0') return '.';
    return radix[0];
}

std::string WithDecimalPoint(std::string_view text, char separator) {
    std::string read(text);
    if (separator == '.') return read;
    for (char& c : read)
        if (c == separator) c = '.';
    return read;
}

#ifdef _WIN32
char ReadLocaleDecimalSeparator() {
    // The user's decimal symbol from the regional settings, as wide text.
    wchar_t symbol[8] = {};
    const int length = ::GetLocaleInfoEx(LOCALE_NAME_USER_DEFAULT, LOCALE_SDECIMAL, symbol, 8);
    const char radix[2] = {length == 2 && symbol[0] < 0x80 ? static_cast<char>(symbol[0]) : '?',
                           '\0'};
    return length == 2 ? DecimalSeparatorFrom(radix) : '.';
}
#else
char ReadLocaleDecimalSeparator() {
    // A locale object of its own, made from the environment (LC_ALL,
    // LC_NUMERIC, LANG), so that the process locale stays "C" for every
    // other conversion. A multi-byte symbol is longer than one character.
    const locale_t user = newlocale(LC_NUMERIC_MASK, "", static_cast<locale_t>(nullptr));
    if (user == static_cast<locale_t>(nullptr)) return '.';
    const char separator = DecimalSeparatorFrom(nl_langinfo_l(RADIXCHAR, user));
    freelocale(user);
    return separator;
}
#endif

}  // namespace nestora
