// SPDX-License-Identifier: MIT
// The file layer on Windows (number/platform_file_win32.cpp): the same
// FileSystem in Win32 calls, with wide-character paths made from the
// program's UTF-8 names.
#pragma once

#include <cstdint>
#include <string>

namespace nestora {

// The program's I/O code for a GetLastError value. Windows' own numbers are
// the program's codes: 2 a missing file, 3 a missing folder or a bad name,
// 4 too many open files, 5 access refused, 112 a full disk; the errors that
// mean the same are folded into them, and any other error e gives 10000 + e.
std::int32_t IOCodeFromWin32Error(unsigned long error);

// A UTF-8 name as Windows' wide characters.
std::wstring WidePath(const std::string& path);
// Windows' wide characters as UTF-8.
std::string Utf8Path(const std::wstring& path);

}  // namespace nestora
