// SPDX-License-Identifier: MIT
// The simulation's columns beside the schedule's, for the window's table,
// the clipboard and the CSV alike:
//   p10_today, p50_today, p90_today  the percentiles of the balance in
//                                    today's money, whole units as the other
//                                    money cells
//   funded                           the share of markets that have paid
//                                    every draw so far, 0 … 1 with four
//                                    decimals: "1.0000" while saving
// The table then runs to the later of the schedule's last year and the
// horizon's last year (n + horizon): a year after the schedule has run out
// shows 0 in the schedule's money columns, and a year past the horizon
// leaves the simulation's cells empty.
#pragma once

#include <cstdint>
#include <string>

#include "schedule/schedule_table.h"
#include "schedule/simulation.h"

namespace nestora {

// funded ÷ paths with four decimals, the last one rounded half to even, and
// a point: 8412 of 10000 gives "0.8412", 2 of 3 "0.6667", all "1.0000".
// Only all gives "1.0000" and only none "0.0000": 99,999 of 100,000 gives
// "0.9999" and 1 of 100,000 "0.0001".
std::string FundedText(std::int32_t funded, std::int32_t paths);

// `table` is the schedule's table (MakeScheduleTable).
void AddSimulationColumns(ScheduleTable& table, const Simulation& simulation);

// The same four columns under other keys and titles (history's).
struct BandColumns {
    ScheduleColumn p10, p50, p90, funded;
};
void AddBandColumns(ScheduleTable& table, const Simulation& simulation, const BandColumns& keys);

}  // namespace nestora
