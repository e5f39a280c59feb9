// SPDX-License-Identifier: MIT
#include "app/schedule_command.h"

#include "app/windowless_plan.h"
#include "schedule/schedule.h"
#include "schedule/schedule_csv.h"
#include "schedule/schedule_table.h"
#include "schedule/simulation_table.h"

namespace nestora {

namespace {

// Writes the CSV; a failed write is reported and gives status 1.
int WriteCsv(const std::string& csv, std::ostream& out, std::ostream& err) {
    out << csv;
    out.flush();
    if (out) return 0;
    err << "nestora: standard output: The schedule could not be written.\n";
    return 1;
}

}  // namespace

int RunScheduleCommand(const std::string& path, bool mustExist, std::ostream& out,
                       std::ostream& err, FileSystem& files,
                       const std::optional<SimulationOptions>& simulation) {
    WindowlessPlan plan(path, err);
    if (!plan.load(mustExist, files)) return 1;
    std::string csv;
    const bool made = plan.run([&] {
        ScheduleTable table =
            MakeScheduleTable(MakeSchedule(plan.plan(), plan.projection()), CalendarYearNow());
        if (simulation)
            AddSimulationColumns(table, Simulate(plan.plan(), plan.projection(), *simulation));
        csv = ScheduleCsv(table);
    });
    return made ? WriteCsv(csv, out, err) : 1;
}

}  // namespace nestora
