// SPDX-License-Identifier: MIT
// History's figures as table columns and as a table of its own, for the
// window's table, the clipboard and the CSV alike.
//
// AddHistoryColumns puts four columns beside the schedule's, as the
// simulation's are put (AddSimulationColumns):
//   hist_p10_today, hist_p50_today, hist_p90_today  the percentiles of the
//                   balance in today's money across the stretches
//   hist_funded     the share of stretches that have paid every draw so far,
//                   four decimals; below 1.0000 as soon as one has failed,
//                   since a share under 1 − 1/20000 never rounds up to 1 and
//                   the data holds a few hundred stretches at most
//
// MakeHistoryStartsTable is one row per start year:
//   start_year,full_years,end_balance_today
//   1871,30,412345
#pragma once

#include "schedule/history.h"
#include "schedule/schedule_table.h"

namespace nestora {

void AddHistoryColumns(ScheduleTable& table, const History& history);

ScheduleTable MakeHistoryStartsTable(const History& history);

}  // namespace nestora
