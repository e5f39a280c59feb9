// SPDX-License-Identifier: MIT
#include "schedule/schedule_table.h"

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

ScheduleTable MakeScheduleTable(const Schedule& schedule) {
    ScheduleTable table;
    table.columns = {{"year", "Year"},       {"phase", "Phase"},
                     {"saving", "Saved"},    {"draw_today", "Draw in today's money"},
                     {"balance", "Balance"}, {"balance_today", "Balance in today's money"}};
    table.rows.reserve(schedule.rows.size());
    for (const YearRow& row : schedule.rows) {
        const bool saving = row.phase == Phase::Saving;
        table.rows.push_back(
            {CountCell(row.year),
             saving ? LabelCell("saving", "Saving") : LabelCell("retired", "Retired"),
             MoneyCell(row.saving), MoneyCell(row.drawToday), MoneyCell(row.balance),
             MoneyCell(row.balanceToday)});
    }
    return table;
}

void AddColumn(ScheduleTable& table, ScheduleColumn column,
               const std::function<ScheduleCell(std::size_t row)>& cellOf) {
    table.columns.push_back(std::move(column));
    for (std::size_t r = 0; r < table.rows.size(); ++r) table.rows[r].push_back(cellOf(r));
}

}  // namespace nestora
