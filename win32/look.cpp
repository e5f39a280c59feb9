// SPDX-License-Identifier: MIT
#include "win32/look.h"

#include <string>

#include "win32/wide_text.h"

namespace nestora::win32 {

int SystemColourIndex(design::SystemColour colour) {
    switch (colour) {
        case design::SystemColour::AppWorkspace:
            return COLOR_APPWORKSPACE;
        case design::SystemColour::WindowText:
            return COLOR_WINDOWTEXT;
        case design::SystemColour::ButtonFace:
            return COLOR_BTNFACE;
    }
    return COLOR_WINDOW;
}

namespace {

int CALLBACK FaceFound(const LOGFONTW*, const TEXTMETRICW*, DWORD, LPARAM found) {
    *reinterpret_cast<bool*>(found) = true;
    return 0;
}

bool Installed(const std::wstring& face) {
    LOGFONTW wanted{};
    wanted.lfCharSet = DEFAULT_CHARSET;
    face.copy(wanted.lfFaceName, LF_FACESIZE - 1);
    bool found = false;
    const HDC screen = ::GetDC(nullptr);
    ::EnumFontFamiliesExW(screen, &wanted, FaceFound, reinterpret_cast<LPARAM>(&found), 0);
    ::ReleaseDC(nullptr, screen);
    return found;
}

std::wstring DrawnFace(const design::FontDesign& font) {
    const std::wstring designed = Wide(font.face);
    if (Installed(designed)) return designed;
    for (const char* standIn : font.standIns) {
        if (standIn != nullptr && Installed(Wide(standIn))) return Wide(standIn);
    }
    return designed;
}

}  // namespace

HFONT MakeFont(const design::FontDesign& font, int dpi) {
    const std::wstring face = DrawnFace(font);
    // A negative height asks for the character height, leading left out.
    return ::CreateFontW(-Scaled(font.pixels, dpi), 0, 0, 0, font.bold ? FW_BOLD : FW_NORMAL,
                         font.italic, font.underline, FALSE,
                         font.charset == design::Charset::Ansi ? ANSI_CHARSET : DEFAULT_CHARSET,
                         OUT_DEFAULT_PRECIS, CLIP_DEFAULT_PRECIS, DEFAULT_QUALITY,
                         DEFAULT_PITCH | FF_DONTCARE, face.c_str());
}

int DpiOf(HWND window) {
    using DpiForWindow = UINT(WINAPI*)(HWND);
    static const auto dpiForWindow = reinterpret_cast<DpiForWindow>(reinterpret_cast<void*>(
        ::GetProcAddress(::GetModuleHandleW(L"user32.dll"), "GetDpiForWindow")));
    if (dpiForWindow != nullptr && window != nullptr) {
        const UINT dpi = dpiForWindow(window);
        if (dpi != 0) return static_cast<int>(dpi);
    }
    const HDC screen = ::GetDC(nullptr);
    const int dpi = ::GetDeviceCaps(screen, LOGPIXELSY);
    ::ReleaseDC(nullptr, screen);
    return dpi > 0 ? dpi : DesignDpi;
}

}  // namespace nestora::win32
