// SPDX-License-Identifier: MIT
// The designed colours and fonts (design/look.h) as Win32 draws them, scaled
// from the design's 96 dots per inch to the window's own.
#pragma once

#include <windows.h>

#include "design/look.h"

namespace nestora::win32 {

inline constexpr int DesignDpi = 96;

inline int Scaled(int pixels, int dpi) { return ::MulDiv(pixels, dpi, DesignDpi); }

inline COLORREF Colour(design::Rgb rgb) { return RGB(rgb.red, rgb.green, rgb.blue); }

int SystemColourIndex(design::SystemColour colour);  // COLOR_APPWORKSPACE, ...

// The designed face when it is installed, else the first of its stand-ins
// that is, else the designed name (Windows then picks a face itself); the
// height is the character height, scaled to `dpi`.
HFONT MakeFont(const design::FontDesign& font, int dpi);

// The window's dots per inch (96 where Windows cannot say).
int DpiOf(HWND window);

}  // namespace nestora::win32
