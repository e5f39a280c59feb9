// SPDX-License-Identifier: MIT
// TNestoraF on Windows: the main window, drawn from the design
// (design/main_window_design.h) with Win32 controls, driving the same planner,
// settings and catch points as the Qt window.
//
// Start-up: the window is made hidden with all its controls; the six entry
// boxes and four result boxes are bound to the planner, and FormCreate runs
// (defaults, readcfg, the window moved to SavedLeft, SavedTop). FormShow runs
// readcfg again just before the window first shows; Edit1 then takes the
// focus with its text selected. Each EN_CHANGE of an entry box that really
// changed its text runs that field's handler as a catch point of its own.
// Closing, by any means, saves the settings; a failed save shows the error
// box and keeps the window open. The end of the Windows session saves too.
#pragma once

#include <windows.h>

#include <array>
#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "projection/planner.h"
#include "settings/settings_file.h"
#include "settings/settings_location.h"
#include "win32/edit_field.h"
#include "win32/win32_desktop.h"

namespace nestora::win32 {

class HelpWindow;
class YearByYearWindow;

// The position of a top-level window, as readcfg and writecfg see it.
class HwndPlace final : public WindowPlace {
  public:
    void bind(HWND window) { window_ = window; }
    std::int32_t top() const override;
    std::int32_t left() const override;
    void setTop(std::int32_t top) override;
    void setLeft(std::int32_t left) override;

  private:
    RECT rect() const;
    HWND window_ = nullptr;
};

// The controls' numbers, which WM_COMMAND and the test tools go by.
inline constexpr int FirstEntryId = 200;   // + the entry's place in AllEntries
inline constexpr int FirstResultId = 300;  // + the result's place in AllResults
inline constexpr int FirstLabelId = 100;
inline constexpr int FirstMenuId = 1000;  // + the item's place in design::MainMenu

class MainWindow {
  public:
    MainWindow(HINSTANCE instance, Win32Desktop& desktop, SettingsLocation settings,
               std::string title);
    ~MainWindow();
    MainWindow(const MainWindow&) = delete;
    MainWindow& operator=(const MainWindow&) = delete;

    HWND handle() const { return window_; }
    Planner& planner() { return planner_; }
    void setHelpWindow(HelpWindow* help) { help_ = help; }

    // Shows the window for the first time (FormShow first) in `show` state.
    void firstShow(int show);
    // True when the message is the keyboard's for one of the program's windows.
    bool dialogMessage(MSG& message);

    void FormCreate();
    void FormShow();
    bool FormClose();
    void Exit1Click();
    void Help1Click();
    void TobrelHomePage1Click();
    void YearByYear1Click();

  private:
    static LRESULT CALLBACK Proc(HWND window, UINT message, WPARAM w, LPARAM l);
    static LRESULT CALLBACK PanelProc(HWND panel, UINT message, WPARAM w, LPARAM l);
    LRESULT handle(UINT message, WPARAM w, LPARAM l);
    bool caught(const std::function<void()>& step);
    void save();

    void createControls();
    void layOut(int dpi);
    HBRUSH colours(HDC dc, HWND control);
    void command(int id, int code);
    void minMax(MINMAXINFO& info) const;

    HINSTANCE instance_;
    Win32Desktop& desktop_;
    std::string title_;
    SettingsLocation settings_;
    Planner planner_;
    SavedPosition saved_;
    HwndPlace place_;
    HWND window_ = nullptr;
    HWND panel_ = nullptr;
    HMENU menu_ = nullptr;
    std::array<std::unique_ptr<EditField>, 6> entries_;
    std::array<std::unique_ptr<EditField>, 4> results_;
    std::vector<HWND> windowLabels_;
    std::vector<HWND> panelLabels_;
    HWND titleLabel_ = nullptr;
    HFONT arial_ = nullptr;
    HFONT titleFont_ = nullptr;
    HFONT ownFont_ = nullptr;
    HBRUSH white_ = nullptr;
    HBRUSH grey_ = nullptr;
    HBRUSH aqua_ = nullptr;
    int dpi_ = 96;
    HelpWindow* help_ = nullptr;
    std::unique_ptr<YearByYearWindow> yearByYear_;
};

}  // namespace nestora::win32
