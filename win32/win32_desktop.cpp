// SPDX-License-Identifier: MIT
#include "win32/win32_desktop.h"

#include <shellapi.h>

#include "win32/wide_text.h"

namespace nestora::win32 {

namespace {

void Box(HWND owner, const std::string& title, const std::string& message, UINT icon) {
    // Without an owner the box still blocks every window of the program.
    const UINT modality = owner != nullptr ? MB_APPLMODAL : MB_TASKMODAL;
    ::MessageBoxW(owner, Wide(message).c_str(), Wide(title).c_str(),
                  MB_OK | icon | modality | MB_SETFOREGROUND);
}

}  // namespace

// The window in front, when it is one of the program's; else the main one.
HWND Win32Desktop::owner() const {
    const HWND active = ::GetActiveWindow();
    if (active != nullptr) return active;
    return owner_ != nullptr && ::IsWindowVisible(owner_) ? owner_ : nullptr;
}

void Win32Desktop::warning(const std::string& message) {
    Box(owner(), "Warning", message, MB_ICONWARNING);
}

void Win32Desktop::beep() { ::MessageBeep(MB_OK); }

void Win32Desktop::errorBox(const std::string& title, const std::string& message) {
    if (::GetCapture() != nullptr) ::ReleaseCapture();
    Box(owner(), title, message, MB_ICONSTOP);
}

void Win32Desktop::openAddress(const std::string& address) {
    ::ShellExecuteW(owner_, L"open", Wide(address).c_str(), nullptr, nullptr, SW_SHOWNORMAL);
}

}  // namespace nestora::win32
