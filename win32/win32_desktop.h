// SPDX-License-Identifier: MIT
// The desktop calls on Windows: the warning and error boxes (MessageBoxW,
// which Windows centres on the screen, modal to the program's windows), the
// default beep and the shell's "open".
#pragma once

#include <windows.h>

#include "projection/desktop.h"

namespace nestora::win32 {

class Win32Desktop final : public Desktop {
  public:
    // The window the boxes and the shell's request belong to; until it is
    // set, a box is modal to the whole program.
    void setOwner(HWND owner) { owner_ = owner; }

    void warning(const std::string& message) override;
    void beep() override;
    void errorBox(const std::string& title, const std::string& message) override;
    void openAddress(const std::string& address) override;

  private:
    HWND owner() const;
    HWND owner_ = nullptr;
};

}  // namespace nestora::win32
