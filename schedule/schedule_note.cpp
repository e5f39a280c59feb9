// SPDX-License-Identifier: MIT
#include "schedule/schedule_note.h"

namespace nestora {

const char* const ShrinkingNote =
    "With a return below inflation the money runs out sooner than the main window's count of "
    "years, which divides the savings by the draw and leaves out their shrinking.";

std::vector<std::string> ScheduleNotes(const Plan& plan, const Schedule& schedule) {
    std::vector<std::string> notes;
    switch (schedule.end) {
        case ScheduleEnd::RunsOut:
            if (!schedule.rows.empty())
                notes.push_back("The money runs out in year " +
                                std::to_string(schedule.rows.back().year) + ".");
            break;
        case ScheduleEnd::Indefinite:
            notes.emplace_back("The savings last indefinitely: the real return covers the draw.");
            break;
        case ScheduleEnd::YearLimit:
            notes.push_back("The table stops after " + std::to_string(MaxRetirementYears) +
                            " retirement years; the money lasts longer.");
            break;
    }
    if (plan.InvestmentReturn < plan.InflationRate) notes.emplace_back(ShrinkingNote);
    return notes;
}

}  // namespace nestora
