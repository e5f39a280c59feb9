// SPDX-License-Identifier: MIT
#include "win32/locale.h"

#include <windows.h>

#include "number/locale_separator.h"
#include "win32/wide_text.h"

namespace nestora::win32 {

char ReadWindowsDecimalSeparator() {
    wchar_t symbol[8] = {};
    const int length = ::GetLocaleInfoEx(LOCALE_NAME_USER_DEFAULT, LOCALE_SDECIMAL, symbol, 8);
    const std::string text = length > 1 ? Utf8(std::wstring(symbol, length - 1)) : ".";
    return DecimalSeparatorFrom(text.c_str());
}

}  // namespace nestora::win32
