// SPDX-License-Identifier: MIT
// Year by Year on Windows: the schedule behind the four results as a table
// (a list view, one row a year), with Save as CSV and Copy. It follows every
// calculate of the main window; when the plan gives an arithmetic fault it
// shows the fault's message above the last good table. It reads the plan
// and never writes it.
#pragma once

#include <windows.h>

#include <string>

#include "projection/desktop.h"
#include "projection/planner.h"
#include "schedule/schedule_table.h"

namespace nestora::win32 {

class YearByYearWindow final : public CalculateObserver {
  public:
    YearByYearWindow(HINSTANCE instance, Planner& planner, Desktop& desktop, std::string title,
                     HWND owner);
    ~YearByYearWindow() override;
    YearByYearWindow(const YearByYearWindow&) = delete;
    YearByYearWindow& operator=(const YearByYearWindow&) = delete;

    void showWindow();
    bool dialogMessage(MSG& message);

    void calculated(const Plan& plan, const Projection& projection) override;
    void calculateFaulted(const std::string& message) override;

    // The whole table as tab-separated lines with the column titles first,
    // as Copy puts it on the clipboard.
    std::wstring tableText() const;
    // Writes the CSV to `path` beside the old file and puts it in the old
    // one's place only when all of it reached the disk; false after the
    // error box said why it could not.
    bool writeCsv(const std::string& path);

  private:
    static LRESULT CALLBACK Proc(HWND window, UINT message, WPARAM w, LPARAM l);
    void fill();
    void layOut();
    void saveCsv();
    void copy();

    Planner& planner_;
    Desktop& desktop_;
    std::string title_;
    ScheduleTable table_;
    HWND window_ = nullptr;
    HWND list_ = nullptr;
    HWND note_ = nullptr;
    HWND save_ = nullptr;
    HWND copy_ = nullptr;
    HFONT font_ = nullptr;
};

}  // namespace nestora::win32
