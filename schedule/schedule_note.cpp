// SPDX-License-Identifier: MIT
#include "schedule/schedule_note.h"

namespace nestora {

const char* const ShrinkingNote =
    "With a return below inflation the money runs out sooner than the main window's count of "
    "years, which divides the savings by the draw and leaves out their shrinking.";

const char* const PercentNote =
    "Savings pay a share of what is left each year, so the money never runs out, and what they "
    "pay moves with the markets.";

std::string WhenText(const Schedule& schedule, std::int32_t year, std::int32_t thisYear) {
    if (!schedule.ageNow) return "in year " + std::to_string(year);
    return "at age " + std::to_string(*schedule.ageNow + year) + ", in " +
           std::to_string(thisYear + year);
}

std::vector<std::string> ScheduleNotes(const Plan& plan, const Schedule& schedule,
                                       std::int32_t thisYear) {
    std::vector<std::string> notes;
    switch (schedule.end) {
        case ScheduleEnd::RunsOut:
            if (!schedule.rows.empty())
                notes.push_back("The money runs out " +
                                WhenText(schedule, schedule.rows.back().year, thisYear) + ".");
            break;
        case ScheduleEnd::Indefinite:
            notes.emplace_back("The savings last indefinitely: the real return covers the draw.");
            break;
        case ScheduleEnd::YearLimit:
            notes.push_back("The table stops after " + std::to_string(MaxRetirementYears) +
                            " retirement years; the money lasts longer.");
            break;
    }
    if (schedule.rule == SpendingRule::Percent) notes.emplace_back(PercentNote);
    if (plan.InvestmentReturn < plan.InflationRate && schedule.rule != SpendingRule::Percent)
        notes.emplace_back(ShrinkingNote);
    return notes;
}

}  // namespace nestora
