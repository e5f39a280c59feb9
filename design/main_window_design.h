// SPDX-License-Identifier: MIT
// The main window as designed, in pixels at 96 dots per inch: its frame,
// every label and field with its place and designed text, the result panel,
// the Tab order and the menu. Labels size themselves to their text and keep
// their left and top; the widths here are the design's.
#pragma once

#include <array>
#include <string>
#include <string_view>

namespace nestora::design {

inline constexpr const char* MainWindowClass = "TNestoraF";
inline constexpr const char* MainCaption = "Tobrel";
// The area below the menu bar, and the outer size that the window is held at
// (where a system's frame differs from the design's, the outer size wins).
inline constexpr int MainClientWidth = 510;
inline constexpr int MainClientHeight = 530;
inline constexpr int MainOuterWidth = 518;
inline constexpr int MainOuterHeight = 581;
// Where the window stands before the settings place it.
inline constexpr int DesignedLeft = -1;
inline constexpr int DesignedTop = 157;

struct LabelDesign {
    const char* name;
    const char* caption;
    int left;
    int top;
    int width;
    int height;
};

struct FieldDesign {
    const char* name;
    int left;
    int top;
    const char* text;  // what the field holds when the window is made
    int label;         // the label beside it, in its table
};

inline constexpr int FieldWidth = 113;
inline constexpr int FieldHeight = 27;

// The title, centred in its box, in TitleFont.
inline constexpr LabelDesign TitleLabel{"Label1", "Nestora", 68, 4, 229, 36};

// The captions keep their own spacing so that each "%" ends just left of its
// field; the misspellings are the captions as the program has always shown them.
inline constexpr std::array<LabelDesign, 8> WindowLabels = {{
    {"Label2", "Current Long Term Savings & Investments", 11, 51, 323, 19},
    {"Label3", "$", 354, 50, 9, 19},
    {"Label4", "Planned Annual Additional Savings", 11, 89, 266, 19},
    {"Label5", "$", 354, 90, 9, 19},
    {"Label12", "Estimated Investment  Return  (Percent)         %", 11, 127, 353, 19},
    {"Label13", "Estimated Ave Inflation Rate (Percent)             % ", 11, 166, 356, 19},
    {"Label11", "Planned Annual Retirement Draw (Percent)   %", 11, 204, 352, 19},
    {"Label14", "Years Remaining Before Retirement", 11, 243, 270, 19},
}};

// The entry fields in the order of the plan (Edit1, Edit2, Edit9, Edit10,
// Edit8, Edit11); each names its label in WindowLabels.
inline constexpr std::array<FieldDesign, 6> EntryFields = {{
    {"Edit1", 366, 46, "50000", 0},
    {"Edit2", 366, 85, "10000", 2},
    {"Edit9", 366, 124, "8.5", 4},
    {"Edit10", 365, 163, "3.0", 5},
    {"Edit8", 365, 202, "6.0", 6},
    {"Edit11", 365, 241, "25", 7},
}};

// The result panel: grey, a one-pixel raised bevel, navy captions and
// read-only aqua fields that can still take the focus and be copied from.
struct PanelDesign {
    const char* name;
    int left;
    int top;
    int width;
    int height;
    int bevel;
};
inline constexpr PanelDesign ResultPanel{"Panel1", 12, 285, 477, 225, 1};

// On the panel, places relative to its top-left corner.
inline constexpr std::array<LabelDesign, 4> PanelLabels = {{
    {"Label6", "Dollar Savings Available at Retimement......$", 16, 20, 328, 19},
    {"Label7", "Saving Adjusted for Inflation..........................$", 16, 77, 327, 19},
    {"Label9", "Annual Draw Adjusted for Inflation...............$", 16, 133, 328, 19},
    {"Label8", "Number of Retirment  Years Provided for.......", 16, 189, 333, 19},
}};

// The result fields in the order calculate writes them (Edit3 .. Edit6); each
// names its label in PanelLabels.
inline constexpr std::array<FieldDesign, 4> ResultFields = {{
    {"Edit3", 347, 16, "500000", 0},
    {"Edit4", 347, 72, "300000", 1},
    {"Edit5", 347, 128, "40000", 2},
    {"Edit6", 347, 185, "20", 3},
}};

// Tab runs from Edit1 through the panel's fields, then down the rest of the
// entries and round to Edit1 again.
inline constexpr std::array<std::string_view, 10> TabOrder = {
    "Edit1", "Edit3", "Edit4", "Edit5", "Edit6", "Edit2", "Edit9", "Edit10", "Edit8", "Edit11"};

// The menu bar. "&" marks an item's access key; File holds Exit, the others
// act at once. Year by Year goes beyond the designed menu, last on the bar.
struct MenuItemDesign {
    const char* name;
    const char* caption;
    const char* under;  // the drop-down it belongs to, or null for the bar
};
inline constexpr std::array<MenuItemDesign, 5> MainMenu = {{
    {"File1", "&File", nullptr},
    {"Exit1", "&Exit", "File1"},
    {"Help1", "&Help", nullptr},
    {"TobrelHomePage1", "&Tobrel Home Page", nullptr},
    {"YearByYear1", "&Year by Year", nullptr},
}};

// The name a screen reader gives a field: its label's caption without the
// spacing, dot runs, "$" and "%" that only line the caption up on screen
// ("Dollar Savings Available at Retimement......$" → "Dollar Savings
// Available at Retimement").
std::string SpokenName(std::string_view caption);

}  // namespace nestora::design
