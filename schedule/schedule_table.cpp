// SPDX-License-Identifier: MIT
#include "schedule/schedule_table.h"

#include <chrono>
#include <cmath>
#include <utility>

#include "number/real_to_text.h"
#include "number/round_to_power.h"

namespace nestora {

ScheduleCell CountCell(std::int32_t count) {
    ScheduleCell cell;
    cell.kind = ScheduleCell::Kind::Count;
    cell.number = count;
    cell.text = std::to_string(count);
    return cell;
}

ScheduleCell LabelCell(std::string text, std::string label) {
    ScheduleCell cell;
    cell.kind = ScheduleCell::Kind::Label;
    cell.text = std::move(text);
    cell.label = std::move(label);
    return cell;
}

ScheduleCell ShareCell(std::string text) {
    ScheduleCell cell;
    cell.kind = ScheduleCell::Kind::Share;
    cell.text = std::move(text);
    return cell;
}

ScheduleCell MoneyCell(Extended value) {
    ScheduleCell cell;
    cell.kind = ScheduleCell::Kind::Money;
    // From 2^53 on every double is a whole number already; from 2^63 on the
    // rounding through a 64-bit integer would fault, though the main window
    // never shows such a value: a retirement balance that the real return
    // keeps growing for a hundred years can get there from savings it shows.
    const double whole = fp::toDouble(value);
    cell.number = std::fabs(whole) < 0x1p63 ? RoundToPower(whole, 0) : whole;
    cell.text = RealToText(cell.number, '.');
    return cell;
}

std::vector<ScheduleCell> LeadingCells(const ScheduleTable& table, std::int32_t year, Phase phase) {
    std::vector<ScheduleCell> cells{CountCell(year)};
    if (table.ageNow) {
        cells.push_back(CountCell(*table.ageNow + year));
        cells.push_back(CountCell(table.thisYear + year));
    }
    cells.push_back(phase == Phase::Saving ? LabelCell("saving", "Saving")
                                           : LabelCell("retired", "Retired"));
    return cells;
}

ScheduleTable MakeScheduleTable(const Schedule& schedule, std::int32_t thisYear) {
    ScheduleTable table;
    table.ageNow = schedule.ageNow;
    table.thisYear = thisYear;
    table.columns = {{"year", "Year"}};
    if (table.ageNow)
        table.columns.insert(table.columns.end(),
                             {{"age", "Age"}, {"calendar_year", "Calendar year"}});
    table.columns.insert(table.columns.end(),
                         {{"phase", "Phase"},
                          {"saving", "Saved"},
                          {"draw_today", schedule.detailed ? "Savings paid in today's money"
                                                           : "Draw in today's money"},
                          {"balance", "Balance"},
                          {"balance_today", "Balance in today's money"}});
    if (schedule.detailed)
        table.columns.insert(table.columns.end(),
                             {{"income_today", "Other income in today's money"},
                              {"spend_today", "Spent in today's money"}});
    table.rows.reserve(schedule.rows.size());
    for (const YearRow& row : schedule.rows) {
        std::vector<ScheduleCell> cells = LeadingCells(table, row.year, row.phase);
        for (const Extended money : {row.saving, row.drawToday, row.balance, row.balanceToday})
            cells.push_back(MoneyCell(money));
        if (schedule.detailed) {
            cells.push_back(MoneyCell(row.incomeToday));
            cells.push_back(MoneyCell(row.spendToday));
        }
        table.rows.push_back(std::move(cells));
    }
    return table;
}

std::int32_t CalendarYearNow() {
    const std::chrono::year_month_day today{
        std::chrono::floor<std::chrono::days>(std::chrono::system_clock::now())};
    return static_cast<std::int32_t>(static_cast<int>(today.year()));
}

void AddColumn(ScheduleTable& table, ScheduleColumn column,
               const std::function<ScheduleCell(std::size_t row)>& cellOf) {
    table.columns.push_back(std::move(column));
    for (std::size_t r = 0; r < table.rows.size(); ++r) table.rows[r].push_back(cellOf(r));
}

}  // namespace nestora
