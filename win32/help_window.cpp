// SPDX-License-Identifier: MIT
#include "win32/help_window.h"

#include "design/help_design.h"
#include "win32/look.h"
#include "win32/wide_text.h"

namespace nestora::win32 {

namespace {
constexpr int MemoId = 400;
}

HelpWindow::HelpWindow(HINSTANCE instance) {
    green_ = ::CreateSolidBrush(Colour(design::MoneyGreen));
    WNDCLASSEXW type{};
    type.cbSize = sizeof type;
    type.lpfnWndProc = Proc;
    type.hInstance = instance;
    type.hIconSm = static_cast<HICON>(::LoadImageW(instance, L"WINDOW", IMAGE_ICON, 16, 16, 0));
    type.hIcon = ::LoadIconW(instance, L"PROGRAM");
    type.hCursor = ::LoadCursorW(nullptr, IDC_ARROW);
    type.hbrBackground = ::GetSysColorBrush(SystemColourIndex(design::SystemColour::ButtonFace));
    const std::wstring className = Wide(design::HelpWindowClass);
    type.lpszClassName = className.c_str();
    ::RegisterClassExW(&type);

    window_ =
        ::CreateWindowExW(WS_EX_CONTROLPARENT, className.c_str(), Wide(design::HelpCaption).c_str(),
                          WS_OVERLAPPEDWINDOW, 0, 0, design::HelpOuterWidth,
                          design::HelpOuterHeight, nullptr, nullptr, instance, this);
    // Multi-line, read-only, wrapped at its width, no scroll bars, a sunken
    // border; the caret moves and text can be selected and copied.
    memo_ = ::CreateWindowExW(WS_EX_CLIENTEDGE, L"EDIT", Wide(design::HelpText("\r\n")).c_str(),
                              WS_CHILD | WS_VISIBLE | WS_TABSTOP | ES_MULTILINE | ES_READONLY, 0, 0,
                              0, 0, window_, reinterpret_cast<HMENU>(MemoId), instance, nullptr);
    layOut(DpiOf(window_));
}

HelpWindow::~HelpWindow() {
    if (window_ != nullptr) ::DestroyWindow(window_);
    if (font_ != nullptr) ::DeleteObject(font_);
    ::DeleteObject(green_);
}

void HelpWindow::layOut(int dpi) {
    dpi_ = dpi;
    if (font_ != nullptr) ::DeleteObject(font_);
    font_ = MakeFont(design::HelpFont, dpi);
    ::SendMessageW(window_, WM_SETFONT, reinterpret_cast<WPARAM>(font_), FALSE);
    ::SendMessageW(memo_, WM_SETFONT, reinterpret_cast<WPARAM>(font_), TRUE);
    const design::MemoDesign& memo = design::HelpMemo;
    ::SetWindowPos(memo_, nullptr, Scaled(memo.left, dpi), Scaled(memo.top, dpi),
                   Scaled(memo.width, dpi), Scaled(memo.height, dpi),
                   SWP_NOZORDER | SWP_NOACTIVATE);
}

void HelpWindow::showHelp() {
    if (!placed_) {
        // The whole virtual desktop, measured from screen coordinate 0.
        const design::Point place = design::HelpPlacement(::GetSystemMetrics(SM_CXVIRTUALSCREEN),
                                                          ::GetSystemMetrics(SM_CYVIRTUALSCREEN));
        ::SetWindowPos(window_, nullptr, place.left, place.top, 0, 0,
                       SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
        placed_ = true;
    }
    ::ShowWindow(window_, SW_SHOW);
    ::SetForegroundWindow(window_);
    ::SetFocus(memo_);
    ::SendMessageW(memo_, EM_SETSEL, 0, 0);
}

LRESULT CALLBACK HelpWindow::Proc(HWND window, UINT message, WPARAM w, LPARAM l) {
    if (message == WM_NCCREATE) {
        auto* self = static_cast<HelpWindow*>(reinterpret_cast<CREATESTRUCTW*>(l)->lpCreateParams);
        ::SetWindowLongPtrW(window, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(self));
    }
    auto* self = reinterpret_cast<HelpWindow*>(::GetWindowLongPtrW(window, GWLP_USERDATA));
    if (self == nullptr) return ::DefWindowProcW(window, message, w, l);
    switch (message) {
        case WM_CTLCOLORSTATIC:  // a read-only box asks as a label does
        case WM_CTLCOLOREDIT: {
            const HDC dc = reinterpret_cast<HDC>(w);
            ::SetTextColor(dc, ::GetSysColor(COLOR_WINDOWTEXT));
            ::SetBkColor(dc, Colour(design::MoneyGreen));
            return reinterpret_cast<LRESULT>(self->green_);
        }
        case WM_GETMINMAXINFO: {
            auto& info = *reinterpret_cast<MINMAXINFO*>(l);
            const POINT size{Scaled(design::HelpOuterWidth, self->dpi_),
                             Scaled(design::HelpOuterHeight, self->dpi_)};
            info.ptMinTrackSize = size;
            info.ptMaxTrackSize = size;
            return 0;
        }
        case WM_DPICHANGED: {
            self->layOut(HIWORD(w));
            const RECT* suggested = reinterpret_cast<const RECT*>(l);
            ::SetWindowPos(window, nullptr, suggested->left, suggested->top,
                           Scaled(design::HelpOuterWidth, self->dpi_),
                           Scaled(design::HelpOuterHeight, self->dpi_),
                           SWP_NOZORDER | SWP_NOACTIVATE);
            return 0;
        }
        case WM_CLOSE:
            ::ShowWindow(window, SW_HIDE);  // the program goes on
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
