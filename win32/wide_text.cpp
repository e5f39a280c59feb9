// SPDX-License-Identifier: MIT
#include "win32/wide_text.h"

#include "number/platform_file_win32.h"

namespace nestora::win32 {

std::wstring Wide(const std::string& text) { return WidePath(text); }

std::string Utf8(const std::wstring& text) { return Utf8Path(text); }

std::wstring WindowText(HWND window) {
    std::wstring text(static_cast<std::size_t>(::GetWindowTextLengthW(window)) + 1, L'\0');
    text.resize(static_cast<std::size_t>(
        ::GetWindowTextW(window, text.data(), static_cast<int>(text.size()))));
    return text;
}

}  // namespace nestora::win32
