// SPDX-License-Identifier: MIT
// Reads a running Nestora window from outside, as a screen reader or a test
// tool on Windows would: finds the top-level window of the class given
// (TNestoraF by default), then prints its caption and client size and, for
// each child control, its number, class, place in its parent's client area,
// size and text (WM_GETTEXT), one control a line:
//   caption Tobrel
//   client 510 530
//   203 Edit 365 163 113 27 3
// Usage: nestora_read_window.exe [CLASS]
#include <windows.h>

#include <cstdio>
#include <string>

namespace {

std::string Utf8(const std::wstring& text) {
    if (text.empty()) return {};
    const int size = ::WideCharToMultiByte(CP_UTF8, 0, text.data(), static_cast<int>(text.size()),
                                           nullptr, 0, nullptr, nullptr);
    std::string out(static_cast<std::size_t>(size), '\0');
    ::WideCharToMultiByte(CP_UTF8, 0, text.data(), static_cast<int>(text.size()), out.data(), size,
                          nullptr, nullptr);
    return out;
}

std::wstring TextOf(HWND window) {
    const auto length = ::SendMessageW(window, WM_GETTEXTLENGTH, 0, 0);
    std::wstring text(static_cast<std::size_t>(length) + 1, L'\0');
    const auto got =
        ::SendMessageW(window, WM_GETTEXT, text.size(), reinterpret_cast<LPARAM>(text.data()));
    text.resize(static_cast<std::size_t>(got));
    return text;
}

BOOL CALLBACK PrintChild(HWND child, LPARAM) {
    wchar_t type[64] = {};
    ::GetClassNameW(child, type, 64);
    RECT place{};
    ::GetWindowRect(child, &place);
    ::MapWindowPoints(nullptr, ::GetParent(child), reinterpret_cast<POINT*>(&place), 2);
    std::string text = Utf8(TextOf(child));
    for (char& c : text)
        if (c == '\r' || c == '\n') c = '|';
    std::printf("%d %s %ld %ld %ld %ld %s\n", ::GetDlgCtrlID(child), Utf8(type).c_str(), place.left,
                place.top, place.right - place.left, place.bottom - place.top, text.c_str());
    return TRUE;
}

}  // namespace

int wmain(int argc, wchar_t** argv);
int wmain(int argc, wchar_t** argv) {
    const wchar_t* type = argc > 1 ? argv[1] : L"TNestoraF";
    HWND window = nullptr;
    for (int tries = 0; tries < 100 && window == nullptr; ++tries) {
        window = ::FindWindowW(type, nullptr);
        if (window == nullptr) ::Sleep(100);
    }
    if (window == nullptr) {
        std::fprintf(stderr, "no window of class %s\n", Utf8(type).c_str());
        return 1;
    }
    RECT client{}, outer{};
    ::GetClientRect(window, &client);
    ::GetWindowRect(window, &outer);
    std::printf("caption %s\n", Utf8(TextOf(window)).c_str());
    std::printf("client %ld %ld\n", client.right, client.bottom);
    std::printf("outer %ld %ld %ld %ld\n", outer.left, outer.top, outer.right - outer.left,
                outer.bottom - outer.top);
    std::printf("visible %d\n", ::IsWindowVisible(window) ? 1 : 0);
    ::EnumChildWindows(window, PrintChild, 0);
    return 0;
}
