// SPDX-License-Identifier: MIT
// The help window as designed: one read-only text box of instructions, 43
// lines broken by hand, on a fixed-size window that is centred on the whole
// desktop the first time it shows.
#pragma once

#include <string>
#include <vector>

namespace nestora::design {

inline constexpr const char* HelpWindowClass = "TNestoraFhelp";
inline constexpr const char* HelpCaption = "Tobrel  Help";  // two spaces
inline constexpr int HelpOuterWidth = 410;
inline constexpr int HelpOuterHeight = 740;
// The client area of the designed frame.
inline constexpr int HelpClientWidth = 402;
inline constexpr int HelpClientHeight = 709;

struct MemoDesign {
    const char* name;
    int left;
    int top;
    int width;
    int height;
};
inline constexpr MemoDesign HelpMemo{"Memo1", 16, 15, 361, 673};

std::vector<std::string> HelpLines();
// The lines joined with `lineEnd`, none after the last.
std::string HelpText(const std::string& lineEnd = "\n");

struct Point {
    int left;
    int top;
};
// Where the help window first shows on a desktop of the given size: centred,
// each half taken with truncation and raised to 0 when negative.
Point HelpPlacement(int desktopWidth, int desktopHeight);

}  // namespace nestora::design
