// SPDX-License-Identifier: MIT
// Texts cross between the logic (UTF-8) and Windows (wide characters) here.
#pragma once

#include <windows.h>

#include <string>

namespace nestora::win32 {

std::wstring Wide(const std::string& text);
std::string Utf8(const std::wstring& text);

// A window's text, as GetWindowTextW gives it.
std::wstring WindowText(HWND window);

}  // namespace nestora::win32
