// SPDX-License-Identifier: MIT
// The texts of the six entry and four result fields, as the window holds them
// before any settings are read and as a first run (no settings file) shows
// them, and the file that first run writes when it closes.
#pragma once

#include <array>
#include <string>

#include "design/main_window_design.h"

namespace nestora::testing {

using EntryTexts = std::array<std::string, 6>;   // Edit1, Edit2, Edit9, Edit10, Edit8, Edit11
using ResultTexts = std::array<std::string, 4>;  // Edit3 .. Edit6

// What the window's fields hold as it is built, before the first load: the
// designed texts.
inline const EntryTexts DesignedEntryTexts = {
    design::EntryFields[0].text, design::EntryFields[1].text, design::EntryFields[2].text,
    design::EntryFields[3].text, design::EntryFields[4].text, design::EntryFields[5].text};
inline const ResultTexts DesignedResultTexts = {
    design::ResultFields[0].text, design::ResultFields[1].text, design::ResultFields[2].text,
    design::ResultFields[3].text};

// A first run: the default plan (DefaultPlan) and its projection.
inline const EntryTexts DefaultEntryTexts = {"65000", "12000", "7.5", "3", "6.5", "20"};
inline const ResultTexts DefaultResultTexts = {"795766", "440597", "28639", "26"};

// What a first run writes (137 bytes): the window at 10, 10 and the default
// plan.
inline const std::string DefaultSettingsFile =
    "10\r\n10\r\n"
    " 6.50000000000000E+0004\r\n 1.20000000000000E+0004\r\n"
    " 7.50000000000000E-0002\r\n 3.00000000000000E-0002\r\n 6.50000000000000E-0002\r\n"
    "20\r\n";

}  // namespace nestora::testing
