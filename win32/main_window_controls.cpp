// SPDX-License-Identifier: MIT
// The main window's controls as designed: made once, placed and given their
// fonts for the window's dots per inch, and coloured when they paint.
#include <string_view>

#include "design/main_window_design.h"
#include "win32/look.h"
#include "win32/main_window.h"
#include "win32/wide_text.h"

namespace nestora::win32 {

namespace {

constexpr wchar_t PanelClass[] = L"TPanel";

HWND MakeLabel(HWND parent, const design::LabelDesign& label, int id, DWORD align) {
    // SS_NOPREFIX: an "&" is shown as it is; labels have no access keys.
    return ::CreateWindowExW(0, L"STATIC", Wide(label.caption).c_str(),
                             WS_CHILD | WS_VISIBLE | WS_CLIPSIBLINGS | SS_NOPREFIX | align, 0, 0, 0,
                             0, parent, reinterpret_cast<HMENU>(static_cast<INT_PTR>(id)), nullptr,
                             nullptr);
}

HWND MakeEdit(HWND parent, const design::FieldDesign& field, int id, bool readOnly) {
    const DWORD style = WS_CHILD | WS_VISIBLE | WS_CLIPSIBLINGS | WS_TABSTOP | ES_AUTOHSCROLL |
                        (readOnly ? ES_READONLY : 0);
    return ::CreateWindowExW(WS_EX_CLIENTEDGE, L"EDIT", Wide(field.text).c_str(), style, 0, 0, 0, 0,
                             parent, reinterpret_cast<HMENU>(static_cast<INT_PTR>(id)), nullptr,
                             nullptr);
}

void Place(HWND control, int left, int top, int width, int height, int dpi) {
    ::SetWindowPos(control, nullptr, Scaled(left, dpi), Scaled(top, dpi), Scaled(width, dpi),
                   Scaled(height, dpi), SWP_NOZORDER | SWP_NOACTIVATE);
}

// A label keeps its left and top and takes the size of its text.
void PlaceLabel(HWND label, const design::LabelDesign& design, HFONT font, int dpi) {
    ::SendMessageW(label, WM_SETFONT, reinterpret_cast<WPARAM>(font), FALSE);
    const std::wstring text = WindowText(label);
    const HDC dc = ::GetDC(label);
    const HGDIOBJ old = ::SelectObject(dc, font);
    SIZE size{};
    ::GetTextExtentPoint32W(dc, text.c_str(), static_cast<int>(text.size()), &size);
    TEXTMETRICW metrics{};
    ::GetTextMetricsW(dc, &metrics);
    ::SelectObject(dc, old);
    ::ReleaseDC(label, dc);
    ::SetWindowPos(label, nullptr, Scaled(design.left, dpi), Scaled(design.top, dpi), size.cx,
                   metrics.tmHeight, SWP_NOZORDER | SWP_NOACTIVATE);
}

int EntryIndex(std::string_view name) {
    for (std::size_t k = 0; k < design::EntryFields.size(); ++k)
        if (name == design::EntryFields[k].name) return static_cast<int>(k);
    return -1;
}

int ResultIndex(std::string_view name) {
    for (std::size_t k = 0; k < design::ResultFields.size(); ++k)
        if (name == design::ResultFields[k].name) return static_cast<int>(k);
    return -1;
}

}  // namespace

void MainWindow::createControls() {
    static const ATOM panelClass = [this] {
        WNDCLASSEXW panel{};
        panel.cbSize = sizeof panel;
        panel.lpfnWndProc = PanelProc;
        panel.hInstance = instance_;
        panel.hCursor = ::LoadCursorW(nullptr, IDC_ARROW);
        panel.lpszClassName = PanelClass;
        return ::RegisterClassExW(&panel);
    }();
    (void)panelClass;

    // The fields in Tab order: the dialog manager tabs through a window's
    // children in the order they were made, into the panel where it stands.
    for (const std::string_view name : design::TabOrder) {
        if (const int k = EntryIndex(name); k >= 0) {
            const HWND edit = MakeEdit(window_, design::EntryFields[k], FirstEntryId + k, false);
            entries_[k] = std::make_unique<EditField>(edit);
        } else if (const int r = ResultIndex(name); r >= 0) {
            if (panel_ == nullptr) {
                panel_ =
                    ::CreateWindowExW(WS_EX_CONTROLPARENT, PanelClass, L"",
                                      WS_CHILD | WS_VISIBLE | WS_CLIPSIBLINGS | WS_CLIPCHILDREN, 0,
                                      0, 0, 0, window_, nullptr, instance_, this);
                ::SetWindowLongPtrW(panel_, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(this));
            }
            const HWND edit = MakeEdit(panel_, design::ResultFields[r], FirstResultId + r, true);
            results_[r] = std::make_unique<EditField>(edit);
        }
    }
    int id = FirstLabelId;
    titleLabel_ = MakeLabel(window_, design::TitleLabel, id++, SS_CENTER);
    for (const design::LabelDesign& label : design::WindowLabels)
        windowLabels_.push_back(MakeLabel(window_, label, id++, SS_LEFT));
    for (const design::LabelDesign& label : design::PanelLabels)
        panelLabels_.push_back(MakeLabel(panel_, label, id++, SS_LEFT));

    // In the order of AllEntries and AllResults.
    for (std::size_t k = 0; k < AllEntries.size(); ++k)
        planner_.bindEntry(AllEntries[k], *entries_[k]);
    for (std::size_t k = 0; k < AllResults.size(); ++k)
        planner_.bindResult(AllResults[k], *results_[k]);
}

void MainWindow::layOut(int dpi) {
    dpi_ = dpi;
    for (HFONT* font : {&arial_, &titleFont_, &ownFont_})
        if (*font != nullptr) ::DeleteObject(*font);
    arial_ = MakeFont(design::ArialBold16, dpi);
    titleFont_ = MakeFont(design::TitleFont, dpi);
    ownFont_ = MakeFont(design::HandwritingFont, dpi);
    ::SendMessageW(window_, WM_SETFONT, reinterpret_cast<WPARAM>(ownFont_), FALSE);

    const design::LabelDesign& title = design::TitleLabel;
    ::SendMessageW(titleLabel_, WM_SETFONT, reinterpret_cast<WPARAM>(titleFont_), FALSE);
    Place(titleLabel_, title.left, title.top, title.width, title.height, dpi);
    for (std::size_t k = 0; k < windowLabels_.size(); ++k)
        PlaceLabel(windowLabels_[k], design::WindowLabels[k], arial_, dpi);
    for (std::size_t k = 0; k < panelLabels_.size(); ++k)
        PlaceLabel(panelLabels_[k], design::PanelLabels[k], arial_, dpi);
    const auto placeField = [&](const EditField& field, const design::FieldDesign& designed) {
        ::SendMessageW(field.handle(), WM_SETFONT, reinterpret_cast<WPARAM>(arial_), FALSE);
        Place(field.handle(), designed.left, designed.top, design::FieldWidth, design::FieldHeight,
              dpi);
    };
    for (std::size_t k = 0; k < entries_.size(); ++k)
        placeField(*entries_[k], design::EntryFields[k]);
    for (std::size_t k = 0; k < results_.size(); ++k)
        placeField(*results_[k], design::ResultFields[k]);
    const design::PanelDesign& panel = design::ResultPanel;
    Place(panel_, panel.left, panel.top, panel.width, panel.height, dpi);
    ::InvalidateRect(window_, nullptr, TRUE);
}

HBRUSH MainWindow::colours(HDC dc, HWND control) {
    const int id = ::GetDlgCtrlID(control);
    ::SetBkMode(dc, OPAQUE);
    if (id >= FirstResultId && id < FirstResultId + 4) {
        ::SetTextColor(dc, Colour(design::ResultText));
        ::SetBkColor(dc, Colour(design::ResultBackground));
        return aqua_;
    }
    if (id >= FirstEntryId && id < FirstEntryId + 6) {
        ::SetTextColor(dc, ::GetSysColor(COLOR_WINDOWTEXT));
        ::SetBkColor(dc, Colour(design::EntryBackground));
        return white_;
    }
    if (::GetParent(control) == panel_) {
        ::SetTextColor(dc, Colour(design::PanelText));
        ::SetBkColor(dc, Colour(design::PanelGrey));
        return grey_;
    }
    ::SetTextColor(dc, ::GetSysColor(SystemColourIndex(design::SystemColour::WindowText)));
    const int workspace = SystemColourIndex(design::SystemColour::AppWorkspace);
    ::SetBkColor(dc, ::GetSysColor(workspace));
    return ::GetSysColorBrush(workspace);
}

// The panel: grey, with a raised bevel of one pixel, light at the top and
// left, dark at the bottom and right. Its children's colours and commands
// are the main window's business.
LRESULT CALLBACK MainWindow::PanelProc(HWND panel, UINT message, WPARAM w, LPARAM l) {
    auto* self = reinterpret_cast<MainWindow*>(::GetWindowLongPtrW(panel, GWLP_USERDATA));
    if (self == nullptr) return ::DefWindowProcW(panel, message, w, l);
    switch (message) {
        case WM_ERASEBKGND: {
            RECT area;
            ::GetClientRect(panel, &area);
            ::FillRect(reinterpret_cast<HDC>(w), &area, self->grey_);
            return 1;
        }
        case WM_PAINT: {
            PAINTSTRUCT paint;
            const HDC dc = ::BeginPaint(panel, &paint);
            RECT area;
            ::GetClientRect(panel, &area);
            const int bevel = Scaled(design::ResultPanel.bevel, self->dpi_);
            const HBRUSH light = ::CreateSolidBrush(Colour(design::PanelHighlight));
            const HBRUSH dark = ::CreateSolidBrush(Colour(design::PanelShadow));
            const RECT top{0, 0, area.right, bevel};
            const RECT left{0, 0, bevel, area.bottom};
            const RECT bottom{0, area.bottom - bevel, area.right, area.bottom};
            const RECT right{area.right - bevel, 0, area.right, area.bottom};
            ::FillRect(dc, &top, light);
            ::FillRect(dc, &left, light);
            ::FillRect(dc, &bottom, dark);
            ::FillRect(dc, &right, dark);
            ::DeleteObject(light);
            ::DeleteObject(dark);
            ::EndPaint(panel, &paint);
            return 0;
        }
        case WM_CTLCOLORSTATIC:
        case WM_CTLCOLOREDIT:
        case WM_COMMAND:
            return ::SendMessageW(self->window_, message, w, l);
        default:
            break;
    }
    return ::DefWindowProcW(panel, message, w, l);
}

}  // namespace nestora::win32
