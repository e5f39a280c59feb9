// SPDX-License-Identifier: MIT
#include "win32/main_window.h"

#include "design/main_window_design.h"
#include "design/maker.h"
#include "projection/catch_point.h"
#include "win32/help_window.h"
#include "win32/locale.h"
#include "win32/look.h"
#include "win32/wide_text.h"
#include "win32/year_by_year_window.h"

namespace nestora::win32 {

RECT HwndPlace::rect() const {
    RECT outer{};
    ::GetWindowRect(window_, &outer);
    return outer;
}

std::int32_t HwndPlace::top() const { return rect().top; }

std::int32_t HwndPlace::left() const { return rect().left; }

void HwndPlace::setTop(std::int32_t top) {
    ::SetWindowPos(window_, nullptr, rect().left, top, 0, 0,
                   SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
}

void HwndPlace::setLeft(std::int32_t left) {
    ::SetWindowPos(window_, nullptr, left, rect().top, 0, 0,
                   SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
}

namespace {

HMENU MakeMenu() {
    const HMENU bar = ::CreateMenu();
    HMENU drop = nullptr;
    for (std::size_t k = 0; k < design::MainMenu.size(); ++k) {
        const design::MenuItemDesign& item = design::MainMenu[k];
        const UINT_PTR id = FirstMenuId + k;
        const std::wstring caption = Wide(item.caption);
        if (item.under != nullptr) {
            ::AppendMenuW(drop, MF_STRING, id, caption.c_str());
        } else if (std::string_view(item.name) == "File1") {
            drop = ::CreatePopupMenu();
            ::AppendMenuW(bar, MF_POPUP, reinterpret_cast<UINT_PTR>(drop), caption.c_str());
        } else {
            ::AppendMenuW(bar, MF_STRING, id, caption.c_str());
        }
    }
    return bar;
}

std::string_view MenuItemName(int id) {
    const int k = id - FirstMenuId;
    if (k < 0 || k >= static_cast<int>(design::MainMenu.size())) return {};
    return design::MainMenu[static_cast<std::size_t>(k)].name;
}

}  // namespace

MainWindow::MainWindow(HINSTANCE instance, Win32Desktop& desktop, SettingsLocation settings,
                       std::string title)
    : instance_(instance),
      desktop_(desktop),
      title_(std::move(title)),
      settings_(std::move(settings)),
      planner_(desktop, ReadWindowsDecimalSeparator()) {
    white_ = ::CreateSolidBrush(Colour(design::EntryBackground));
    grey_ = ::CreateSolidBrush(Colour(design::PanelGrey));
    aqua_ = ::CreateSolidBrush(Colour(design::ResultBackground));

    WNDCLASSEXW type{};
    type.cbSize = sizeof type;
    type.lpfnWndProc = Proc;
    type.hInstance = instance;
    type.hIcon = ::LoadIconW(instance, L"PROGRAM");
    type.hIconSm = static_cast<HICON>(::LoadImageW(instance, L"WINDOW", IMAGE_ICON, 16, 16, 0));
    type.hCursor = ::LoadCursorW(nullptr, IDC_ARROW);
    type.hbrBackground = ::GetSysColorBrush(SystemColourIndex(design::SystemColour::AppWorkspace));
    const std::wstring className = Wide(design::MainWindowClass);
    type.lpszClassName = className.c_str();
    ::RegisterClassExW(&type);

    menu_ = MakeMenu();
    // The sizeable frame with system menu, minimise and maximise boxes; the
    // outer size is held by WM_GETMINMAXINFO.
    window_ = ::CreateWindowExW(
        WS_EX_CONTROLPARENT, className.c_str(), Wide(design::MainCaption).c_str(),
        WS_OVERLAPPEDWINDOW | WS_CLIPCHILDREN, design::DesignedLeft, design::DesignedTop,
        design::MainOuterWidth, design::MainOuterHeight, nullptr, menu_, instance, this);
    desktop_.setOwner(window_);
    FormCreate();
}

MainWindow::~MainWindow() {
    yearByYear_.reset();
    if (window_ != nullptr) ::DestroyWindow(window_);
    for (HGDIOBJ object : {static_cast<HGDIOBJ>(arial_), static_cast<HGDIOBJ>(titleFont_),
                           static_cast<HGDIOBJ>(ownFont_), static_cast<HGDIOBJ>(white_),
                           static_cast<HGDIOBJ>(grey_), static_cast<HGDIOBJ>(aqua_)})
        if (object != nullptr) ::DeleteObject(object);
}

bool MainWindow::caught(const std::function<void()>& step) {
    return RunCaught(desktop_, title_, step);
}

void MainWindow::FormCreate() {
    caught([this] {
        planner_.plan = DefaultPlan();
        readcfg(planner_, saved_, place_, settings_.path);
        place_.setTop(saved_.SavedTop);
        place_.setLeft(saved_.SavedLeft);
    });
}

void MainWindow::FormShow() {
    caught([this] { readcfg(planner_, saved_, place_, settings_.path); });
}

void MainWindow::save() { SaveSettings(planner_, place_, settings_); }

bool MainWindow::FormClose() {
    return caught([this] { save(); });
}

void MainWindow::firstShow(int show) {
    FormShow();
    ::ShowWindow(window_, show);
    ::UpdateWindow(window_);
    ::SetForegroundWindow(window_);
    ::SetFocus(entries_[0]->handle());
    entries_[0]->selectAll();
}

void MainWindow::Exit1Click() { ::SendMessageW(window_, WM_CLOSE, 0, 0); }

void MainWindow::Help1Click() {
    caught([this] {
        if (help_ != nullptr) help_->showHelp();
    });
}

void MainWindow::TobrelHomePage1Click() {
    caught([this] { desktop_.openAddress(MakerHomePage); });
}

void MainWindow::YearByYear1Click() {
    caught([this] {
        if (!yearByYear_)
            yearByYear_ =
                std::make_unique<YearByYearWindow>(instance_, planner_, desktop_, title_, window_);
        yearByYear_->showWindow();
    });
}

bool MainWindow::dialogMessage(MSG& message) {
    if (yearByYear_ && yearByYear_->dialogMessage(message)) return true;
    if (help_ != nullptr && ::IsDialogMessageW(help_->handle(), &message)) return true;
    return ::IsDialogMessageW(window_, &message) != 0;
}

void MainWindow::command(int id, int code) {
    const int entry = id - FirstEntryId;
    if (code == EN_CHANGE && entry >= 0 && entry < static_cast<int>(AllEntries.size())) {
        if (entries_[entry] && entries_[entry]->changed())
            RunEntryChanged(planner_, AllEntries[entry], title_);
        return;
    }
    const std::string_view item = MenuItemName(id);
    if (item == "Exit1") Exit1Click();
    if (item == "Help1") Help1Click();
    if (item == "TobrelHomePage1") TobrelHomePage1Click();
    if (item == "YearByYear1") YearByYear1Click();
}

void MainWindow::minMax(MINMAXINFO& info) const {
    const LONG width = Scaled(design::MainOuterWidth, dpi_);
    const LONG height = Scaled(design::MainOuterHeight, dpi_);
    info.ptMinTrackSize = {width, height};
    info.ptMaxTrackSize = {width, height};
}

LRESULT CALLBACK MainWindow::Proc(HWND window, UINT message, WPARAM w, LPARAM l) {
    if (message == WM_NCCREATE) {
        auto* self = static_cast<MainWindow*>(reinterpret_cast<CREATESTRUCTW*>(l)->lpCreateParams);
        self->window_ = window;
        self->place_.bind(window);
        ::SetWindowLongPtrW(window, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(self));
    }
    auto* self = reinterpret_cast<MainWindow*>(::GetWindowLongPtrW(window, GWLP_USERDATA));
    if (self == nullptr) return ::DefWindowProcW(window, message, w, l);
    if (message == WM_NCDESTROY) {
        self->window_ = nullptr;
        ::SetWindowLongPtrW(window, GWLP_USERDATA, 0);
        return ::DefWindowProcW(window, message, w, l);
    }
    return self->handle(message, w, l);
}

LRESULT MainWindow::handle(UINT message, WPARAM w, LPARAM l) {
    switch (message) {
        case WM_CREATE:
            createControls();
            layOut(DpiOf(window_));
            return 0;
        case WM_COMMAND:
            command(LOWORD(w), HIWORD(w));
            return 0;
        case WM_CTLCOLORSTATIC:
        case WM_CTLCOLOREDIT:
            return reinterpret_cast<LRESULT>(
                colours(reinterpret_cast<HDC>(w), reinterpret_cast<HWND>(l)));
        case WM_GETMINMAXINFO:
            minMax(*reinterpret_cast<MINMAXINFO*>(l));
            return 0;
        case WM_DPICHANGED: {
            layOut(HIWORD(w));
            const RECT* suggested = reinterpret_cast<const RECT*>(l);
            ::SetWindowPos(window_, nullptr, suggested->left, suggested->top,
                           Scaled(design::MainOuterWidth, dpi_),
                           Scaled(design::MainOuterHeight, dpi_), SWP_NOZORDER | SWP_NOACTIVATE);
            return 0;
        }
        case WM_SETTINGCHANGE:
            // The decimal symbol is read again when the regional settings change.
            if (l != 0 && std::wstring_view(reinterpret_cast<const wchar_t*>(l)) == L"intl")
                planner_.setDecimalSeparator(ReadWindowsDecimalSeparator());
            break;
        case WM_CLOSE:
            // By any means: the close box, Alt+F4, the system menu, File > Exit.
            if (FormClose()) ::DestroyWindow(window_);
            return 0;
        case WM_QUERYENDSESSION:
            // The session ends whatever the save gives; no box can be shown now.
            RunCaught(
                desktop_, title_, [this] { save(); }, [] { return false; });
            return TRUE;
        case WM_DESTROY:
            ::PostQuitMessage(0);
            return 0;
        default:
            break;
    }
    return ::DefWindowProcW(window_, message, w, l);
}

}  // namespace nestora::win32
