// SPDX-License-Identifier: MIT
// The schedule table as CSV: a header line of the column keys, then one line
// per row of the cells' texts, separated by commas, each line ended by LF.
//   year,phase,saving,draw_today,balance,balance_today
//   1,saving,12000,0,81875,79491
// No text of ours holds a comma, a quote or a line end, so nothing is quoted.
#pragma once

#include <string>

#include "schedule/schedule_table.h"

namespace nestora {

std::string ScheduleCsv(const ScheduleTable& table);

}  // namespace nestora
