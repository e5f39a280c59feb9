// SPDX-License-Identifier: MIT
#include "win32/year_by_year_window.h"

#include <commctrl.h>
#include <commdlg.h>

#include <cstring>

#include "number/errors.h"
#include "number/platform_file.h"
#include "projection/catch_point.h"
#include "schedule/schedule.h"
#include "schedule/schedule_csv.h"
#include "win32/look.h"
#include "win32/wide_text.h"

namespace nestora::win32 {

namespace {

constexpr int SaveId = 501;
constexpr int CopyId = 502;
constexpr wchar_t ClassName[] = L"TNestoraYearByYear";

// A cell as the table shows it: a phase by its label, a share with the
// user's decimal symbol, a number as its CSV text.
std::wstring Shown(const ScheduleCell& cell, char decimalSeparator) {
    if (cell.kind == ScheduleCell::Kind::Label) return Wide(cell.label);
    std::string text = cell.text;
    if (cell.kind == ScheduleCell::Kind::Share)
        for (char& c : text)
            if (c == '.') c = decimalSeparator;
    return Wide(text);
}

}  // namespace

YearByYearWindow::YearByYearWindow(HINSTANCE instance, Planner& planner, Desktop& desktop,
                                   std::string title, HWND owner)
    : planner_(planner), desktop_(desktop), title_(std::move(title)) {
    static const ATOM registered = [instance] {
        WNDCLASSEXW type{};
        type.cbSize = sizeof type;
        type.lpfnWndProc = Proc;
        type.hInstance = instance;
        type.hIconSm = static_cast<HICON>(::LoadImageW(instance, L"WINDOW", IMAGE_ICON, 16, 16, 0));
        type.hCursor = ::LoadCursorW(nullptr, IDC_ARROW);
        type.hbrBackground = ::GetSysColorBrush(COLOR_BTNFACE);
        type.lpszClassName = ClassName;
        return ::RegisterClassExW(&type);
    }();
    (void)registered;
    window_ =
        ::CreateWindowExW(WS_EX_CONTROLPARENT, ClassName, L"Year by Year", WS_OVERLAPPEDWINDOW,
                          CW_USEDEFAULT, CW_USEDEFAULT, 760, 560, owner, nullptr, instance, this);
    font_ = MakeFont(design::HelpFont, DpiOf(window_));
    const auto child = [&](const wchar_t* type, const wchar_t* text, DWORD style, int id) {
        const HWND made =
            ::CreateWindowExW(0, type, text, WS_CHILD | WS_VISIBLE | style, 0, 0, 0, 0, window_,
                              reinterpret_cast<HMENU>(static_cast<INT_PTR>(id)), instance, nullptr);
        ::SendMessageW(made, WM_SETFONT, reinterpret_cast<WPARAM>(font_), FALSE);
        return made;
    };
    save_ = child(L"BUTTON", L"&Save as CSV\u2026", WS_TABSTOP | BS_PUSHBUTTON, SaveId);
    copy_ = child(L"BUTTON", L"&Copy", WS_TABSTOP | BS_PUSHBUTTON, CopyId);
    note_ = child(L"STATIC", L"", SS_LEFT | SS_NOPREFIX, 0);
    list_ = ::CreateWindowExW(WS_EX_CLIENTEDGE, WC_LISTVIEWW, L"",
                              WS_CHILD | WS_VISIBLE | WS_TABSTOP | LVS_REPORT | LVS_SHOWSELALWAYS,
                              0, 0, 0, 0, window_, nullptr, instance, nullptr);
    ListView_SetExtendedListViewStyle(list_, LVS_EX_FULLROWSELECT | LVS_EX_GRIDLINES);
    layOut();
    planner_.setObserver(this);
    calculated(planner_.plan, planner_.projection);
}

YearByYearWindow::~YearByYearWindow() {
    if (planner_.observer() == this) planner_.setObserver(nullptr);
    if (window_ != nullptr) ::DestroyWindow(window_);
    if (font_ != nullptr) ::DeleteObject(font_);
}

void YearByYearWindow::showWindow() {
    ::ShowWindow(window_, SW_SHOW);
    ::SetForegroundWindow(window_);
}

bool YearByYearWindow::dialogMessage(MSG& message) {
    return window_ != nullptr && ::IsDialogMessageW(window_, &message);
}

void YearByYearWindow::calculated(const Plan& plan, const Projection& projection) {
    const auto fault = ErrorOf(
        [&] { table_ = MakeScheduleTable(MakeSchedule(plan, projection), CalendarYearNow()); });
    ::SetWindowTextW(note_, fault ? Wide(ErrorBoxText(*fault)).c_str() : L"");
    if (!fault) fill();
}

void YearByYearWindow::calculateFaulted(const std::string& message) {
    ::SetWindowTextW(note_, Wide(ErrorBoxText(message)).c_str());
}

void YearByYearWindow::fill() {
    ::SendMessageW(list_, WM_SETREDRAW, FALSE, 0);
    ListView_DeleteAllItems(list_);
    while (ListView_DeleteColumn(list_, 0)) {
    }
    for (std::size_t c = 0; c < table_.columns.size(); ++c) {
        std::wstring title = Wide(table_.columns[c].title);
        LVCOLUMNW column{};
        column.mask = LVCF_TEXT | LVCF_WIDTH | LVCF_FMT;
        column.fmt = c == 1 ? LVCFMT_LEFT : LVCFMT_RIGHT;
        column.cx = c < 2 ? 70 : 120;
        column.pszText = title.data();
        ::SendMessageW(list_, LVM_INSERTCOLUMNW, c, reinterpret_cast<LPARAM>(&column));
    }
    for (std::size_t r = 0; r < table_.rows.size(); ++r) {
        for (std::size_t c = 0; c < table_.rows[r].size(); ++c) {
            std::wstring text = Shown(table_.rows[r][c], planner_.decimalSeparator());
            LVITEMW item{};
            item.mask = LVIF_TEXT;
            item.iItem = static_cast<int>(r);
            item.iSubItem = static_cast<int>(c);
            item.pszText = text.data();
            ::SendMessageW(list_, c == 0 ? LVM_INSERTITEMW : LVM_SETITEMTEXTW, r,
                           reinterpret_cast<LPARAM>(&item));
        }
    }
    ::SendMessageW(list_, WM_SETREDRAW, TRUE, 0);
    ::InvalidateRect(list_, nullptr, TRUE);
}

void YearByYearWindow::layOut() {
    RECT area;
    ::GetClientRect(window_, &area);
    const int dpi = DpiOf(window_);
    const int gap = Scaled(8, dpi), button = Scaled(24, dpi), wide = Scaled(110, dpi);
    ::MoveWindow(save_, gap, gap, wide, button, TRUE);
    ::MoveWindow(copy_, 2 * gap + wide, gap, wide, button, TRUE);
    ::MoveWindow(note_, 3 * gap + 2 * wide, gap, area.right - 4 * gap - 2 * wide, button, TRUE);
    const int top = 2 * gap + button;
    ::MoveWindow(list_, gap, top, area.right - 2 * gap, area.bottom - top - gap, TRUE);
}

std::wstring YearByYearWindow::tableText() const {
    std::wstring text;
    for (std::size_t c = 0; c < table_.columns.size(); ++c)
        text += (c > 0 ? L"\t" : L"") + Wide(table_.columns[c].title);
    text += L"\r\n";
    for (const auto& row : table_.rows) {
        for (std::size_t c = 0; c < row.size(); ++c)
            text += (c > 0 ? L"\t" : L"") + Shown(row[c], planner_.decimalSeparator());
        text += L"\r\n";
    }
    return text;
}

void YearByYearWindow::copy() {
    const std::wstring text = tableText();
    if (!::OpenClipboard(window_)) return;
    ::EmptyClipboard();
    const std::size_t bytes = (text.size() + 1) * sizeof(wchar_t);
    if (const HGLOBAL memory = ::GlobalAlloc(GMEM_MOVEABLE, bytes)) {
        std::memcpy(::GlobalLock(memory), text.c_str(), bytes);
        ::GlobalUnlock(memory);
        if (::SetClipboardData(CF_UNICODETEXT, memory) == nullptr) ::GlobalFree(memory);
    }
    ::CloseClipboard();
}

bool YearByYearWindow::writeCsv(const std::string& path) {
    const std::string csv = ScheduleCsv(table_);
    FileSystem& files = SystemFiles();
    int handle = -1;
    std::string created;
    std::int32_t code = files.createNew(path + ".new", path, handle, created);
    if (code == 0) {
        code = files.write(handle, csv.data(), csv.size());
        if (code == 0) code = files.syncToDisk(handle);
        const std::int32_t closed = files.close(handle);
        if (code == 0) code = closed;
        if (code == 0) code = files.replace(created, path);
        if (code != 0) files.remove(created);
    }
    if (code == 0) return true;
    desktop_.errorBox(title_,
                      ErrorBoxText("Cannot save " + path + ": " + EInOutError(code).message()));
    return false;
}

void YearByYearWindow::saveCsv() {
    wchar_t name[MAX_PATH] = L"nestora-schedule.csv";
    OPENFILENAMEW ask{};
    ask.lStructSize = sizeof ask;
    ask.hwndOwner = window_;
    ask.lpstrFilter = L"CSV files (*.csv)\0*.csv\0All files (*.*)\0*.*\0";
    ask.lpstrFile = name;
    ask.nMaxFile = MAX_PATH;
    ask.lpstrDefExt = L"csv";
    ask.Flags = OFN_OVERWRITEPROMPT | OFN_PATHMUSTEXIST;
    if (::GetSaveFileNameW(&ask)) writeCsv(Utf8(name));
}

LRESULT CALLBACK YearByYearWindow::Proc(HWND window, UINT message, WPARAM w, LPARAM l) {
    if (message == WM_NCCREATE) {
        auto* made =
            static_cast<YearByYearWindow*>(reinterpret_cast<CREATESTRUCTW*>(l)->lpCreateParams);
        ::SetWindowLongPtrW(window, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(made));
    }
    auto* self = reinterpret_cast<YearByYearWindow*>(::GetWindowLongPtrW(window, GWLP_USERDATA));
    if (self == nullptr) return ::DefWindowProcW(window, message, w, l);
    switch (message) {
        case WM_SIZE:
            if (self->list_ != nullptr) self->layOut();
            return 0;
        case WM_COMMAND:
            RunCaught(self->desktop_, self->title_, [&] {
                if (LOWORD(w) == SaveId) self->saveCsv();
                if (LOWORD(w) == CopyId) self->copy();
            });
            return 0;
        case WM_CLOSE:
            ::ShowWindow(window, SW_HIDE);
            return 0;
        case WM_NCDESTROY:
            self->window_ = nullptr;
            break;
        default:
            break;
    }
    return ::DefWindowProcW(window, message, w, l);
}

}  // namespace nestora::win32
