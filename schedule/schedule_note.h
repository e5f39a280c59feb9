// SPDX-License-Identifier: MIT
// The plain sentences under the schedule's table: how the retirement years
// end and, when the return is below inflation, why the table runs out before
// the main window's count of years.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "projection/plan.h"
#include "schedule/schedule.h"

namespace nestora {

// One sentence for the end of the table, then the one for a return below
// inflation when it applies:
//   "The money runs out in year 47."
//   "The money runs out at age 87, in 2073."   (with an age; thisYear 2026)
//   "The savings last indefinitely: the real return covers the draw."
//   "The table stops after 100 retirement years; the money lasts longer."
// and, for the percent rule, PercentNote.
std::vector<std::string> ScheduleNotes(const Plan& plan, const Schedule& schedule,
                                       std::int32_t thisYear);

// "year 47", or "age 87, in 2073" with an age.
std::string WhenText(const Schedule& schedule, std::int32_t year, std::int32_t thisYear);

// The sentence for a return below inflation.
extern const char* const ShrinkingNote;
// The sentence for the percent rule.
extern const char* const PercentNote;

}  // namespace nestora
