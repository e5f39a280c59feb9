// SPDX-License-Identifier: MIT
// What the program finds in the Year by Year library: a function that makes
// the window for the main window's planner. The window belongs to the
// caller; it must be deleted before the planner. The library defines it and
// the program's loader (year_by_year_opener.cpp) looks it up by this name
// and this type, both from here.
#pragma once

class QWidget;

namespace nestora {
class Desktop;
class Planner;
}  // namespace nestora

extern "C" __attribute__((visibility("default"))) QWidget* nestora_make_year_by_year(
    nestora::Planner* planner, nestora::Desktop* desktop, const char* title);

// Its name, for the program's lookup.
inline constexpr const char* YearByYearEntryName = "nestora_make_year_by_year";
