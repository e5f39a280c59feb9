// SPDX-License-Identifier: MIT
// TNestoraFhelp on Windows: the instructions in a read-only text box, drawn
// from design/help_design.h. Made hidden at start-up; Help shows it, centred
// on the whole desktop the first time and where it was left afterwards.
// Closing it only hides it.
#pragma once

#include <windows.h>

namespace nestora::win32 {

class HelpWindow {
  public:
    explicit HelpWindow(HINSTANCE instance);
    ~HelpWindow();
    HelpWindow(const HelpWindow&) = delete;
    HelpWindow& operator=(const HelpWindow&) = delete;

    HWND handle() const { return window_; }
    // Shows it, or brings it to the front, with the caret at the start of
    // the text and nothing selected.
    void showHelp();

  private:
    static LRESULT CALLBACK Proc(HWND window, UINT message, WPARAM w, LPARAM l);
    void layOut(int dpi);

    HWND window_ = nullptr;
    HWND memo_ = nullptr;
    HFONT font_ = nullptr;
    HBRUSH green_ = nullptr;
    int dpi_ = 96;
    bool placed_ = false;
};

}  // namespace nestora::win32
