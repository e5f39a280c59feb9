// SPDX-License-Identifier: MIT
// nestora.exe: the command line when asked for, otherwise the two windows
// and the message loop. The help window is made hidden after the main window;
// the main window shows, FormShow first, in the state Windows asks for.
// windows.h first: the other Windows headers build on it.
#include <windows.h>
// clang-format off
#include <commctrl.h>
#include <shellapi.h>
// clang-format on

#include <iostream>
#include <string>
#include <vector>

#include "number/arith.h"
#include "projection/catch_point.h"
#include "settings/settings_location.h"
#include "win32/command_line.h"
#include "win32/help_window.h"
#include "win32/locale.h"
#include "win32/main_window.h"
#include "win32/wide_text.h"

namespace {

std::vector<std::string> Arguments() {
    int count = 0;
    LPWSTR* wide = ::CommandLineToArgvW(::GetCommandLineW(), &count);
    std::vector<std::string> args;
    for (int k = 1; k < count; ++k) args.push_back(nestora::win32::Utf8(wide[k]));
    ::LocalFree(wide);
    return args;
}

std::string ExecutablePath() {
    std::wstring path(MAX_PATH, L'\0');
    for (;;) {
        const DWORD length =
            ::GetModuleFileNameW(nullptr, path.data(), static_cast<DWORD>(path.size()));
        if (length < path.size()) {
            path.resize(length);
            return nestora::win32::Utf8(path);
        }
        path.resize(path.size() * 2);
    }
}

}  // namespace

int WINAPI wWinMain(HINSTANCE instance, HINSTANCE, PWSTR, int show) {
    using namespace nestora;
    const std::string program = ExecutablePath();
    const SettingsLocation settings = ChooseSettingsLocation(program, ProcessHomeFolders());
    const std::vector<std::string> args = Arguments();
    if (win32::WantsCommandLine(args)) {
        win32::AttachStandardStreams();
        return win32::RunCommandLine(args, settings.path, std::cout, std::cerr);
    }

    InitArithmetic();
    INITCOMMONCONTROLSEX controls{sizeof controls, ICC_LISTVIEW_CLASSES};
    ::InitCommonControlsEx(&controls);
    win32::Win32Desktop desktop;
    win32::MainWindow main(instance, desktop, settings, ProgramTitle(program));
    win32::HelpWindow help(instance);
    main.setHelpWindow(&help);
    main.firstShow(show);

    MSG message{};
    while (::GetMessageW(&message, nullptr, 0, 0) > 0) {
        if (main.dialogMessage(message)) continue;
        ::TranslateMessage(&message);
        ::DispatchMessageW(&message);
    }
    return static_cast<int>(message.wParam);
}
