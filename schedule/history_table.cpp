// SPDX-License-Identifier: MIT
#include "schedule/history_table.h"

#include "schedule/simulation_table.h"

namespace nestora {

void AddHistoryColumns(ScheduleTable& table, const History& history) {
    AddBandColumns(table, history.summary,
                   {{"hist_p10_today", "History 10th percentile"},
                    {"hist_p50_today", "History median"},
                    {"hist_p90_today", "History 90th percentile"},
                    {"hist_funded", "History funded share"}});
}

ScheduleTable MakeHistoryStartsTable(const History& history) {
    ScheduleTable table;
    table.rows.resize(static_cast<std::size_t>(history.stretches.paths));
    const auto stretch = [](std::size_t row) { return static_cast<std::int32_t>(row); };
    AddColumn(table, {"start_year", "Start year"},
              [&](std::size_t r) { return CountCell(history.startYear(stretch(r))); });
    AddColumn(table, {"full_years", "Full years"},
              [&](std::size_t r) { return CountCell(history.fullYears(stretch(r))); });
    AddColumn(table, {"end_balance_today", "End balance in today's money"},
              [&](std::size_t r) { return MoneyCell(history.endBalance(stretch(r))); });
    return table;
}

}  // namespace nestora
