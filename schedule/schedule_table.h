// SPDX-License-Identifier: MIT
// The schedule as a table of cells: what the window's table, the clipboard
// and the CSV file show, made once so that all three agree.
//
// Every money cell holds the value the main window would show for it: made a
// double and rounded to whole units, ties to even. Its CSV text is RealToText of that whole
// number with "." as the decimal symbol; the window formats the same number
// with the user's locale.
//
// The columns are a list, so that more can be added beside the six (see
// AddColumn); each row has one cell per column.
#pragma once

#include <cstddef>
#include <functional>
#include <optional>
#include <string>
#include <vector>

#include "schedule/schedule.h"

namespace nestora {

struct ScheduleCell {
    enum class Kind { Count, Label, Money, Share };
    Kind kind = Kind::Label;
    double number = 0;  // Count and Money: the whole number shown
    std::string text;   // the CSV text: "12", "saving", "795766", "1.23456789012347E15", "0.8412"
    std::string label;  // Label: the text the window shows ("Saving")
};

struct ScheduleColumn {
    std::string key;    // CSV header: "draw_today"
    std::string title;  // table header: "Draw in today's money"
};

struct ScheduleTable {
    std::vector<ScheduleColumn> columns;
    std::vector<std::vector<ScheduleCell>> rows;  // rows[r][c]
    // With an age, the columns age and calendar_year follow year.
    std::optional<std::int32_t> ageNow;
    std::int32_t thisYear = 0;
};

// The six columns year, phase, saving, draw_today, balance, balance_today;
// after year, age and calendar_year when the schedule has an age (the age
// at the end of the year, ageNow + year, and thisYear + year); at the end,
// income_today and spend_today (the other income and what savings paid
// with it, today's money) when its LifePlan changes money. `thisYear` is
// the calendar year now (CalendarYearNow for the clock's).
ScheduleTable MakeScheduleTable(const Schedule& schedule, std::int32_t thisYear);

// The cells of the year, the age and calendar year when the table has an
// age, and the phase, for `year` of `table`.
std::vector<ScheduleCell> LeadingCells(const ScheduleTable& table, std::int32_t year, Phase phase);

// The calendar year of the system's clock (UTC).
std::int32_t CalendarYearNow();

// Appends a column whose cell for row r is cellOf(r), for r over the rows.
void AddColumn(ScheduleTable& table, ScheduleColumn column,
               const std::function<ScheduleCell(std::size_t row)>& cellOf);

// The cells of one kind.
ScheduleCell CountCell(std::int32_t count);
ScheduleCell LabelCell(std::string text, std::string label);
// A share written with a point, "0.8412"; the window shows the user's decimal
// symbol in its place.
ScheduleCell ShareCell(std::string text);
// Rounded as the result fields are; a value beyond 2^63, which the result
// fields cannot show, is shown as its double. EOverflow beyond the double range.
ScheduleCell MoneyCell(Extended value);

}  // namespace nestora
