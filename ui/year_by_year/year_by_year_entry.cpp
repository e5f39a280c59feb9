// SPDX-License-Identifier: MIT
// The one name the program looks up when it loads this library on the
// first open of the Year by Year window.
#include "ui/year_by_year/year_by_year_entry.h"

#include "ui/year_by_year/year_by_year_window.h"

extern "C" QWidget* nestora_make_year_by_year(nestora::Planner* planner, nestora::Desktop* desktop,
                                              const char* title) {
    return new nestora::YearByYearWindow(*planner, *desktop, title);
}
