// SPDX-License-Identifier: MIT
#include "number/locale_separator.h"

#include <langinfo.h>
#include <locale.h>

namespace nestora {

char LocaleDecimalSeparator = '.';

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

void ReadLocaleDecimalSeparator() {
    // A locale object of its own, made from the environment (LC_ALL,
    // LC_NUMERIC, LANG), so that the process locale stays "C" for every
    // other conversion. A multi-byte symbol is longer than one character.
    const locale_t user = newlocale(LC_NUMERIC_MASK, "", static_cast<locale_t>(nullptr));
    if (user == static_cast<locale_t>(nullptr)) {
        LocaleDecimalSeparator = '.';
        return;
    }
    LocaleDecimalSeparator = DecimalSeparatorFrom(nl_langinfo_l(RADIXCHAR, user));
    freelocale(user);
}

}  // namespace nestora
