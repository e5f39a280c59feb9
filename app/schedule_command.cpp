// SPDX-License-Identifier: MIT
#include "app/schedule_command.h"

#include <functional>

#include "app/windowless_plan.h"
#include "schedule/history_table.h"
#include "schedule/schedule.h"
#include "schedule/schedule_csv.h"
#include "schedule/schedule_table.h"
#include "schedule/simulation_table.h"

namespace nestora {

namespace {

using TableMaker = std::function<ScheduleTable(const Plan&, const Projection&)>;

// Writes the CSV; a failed write is reported and gives status 1.
int WriteCsv(const std::string& csv, std::ostream& out, std::ostream& err) {
    out << csv;
    out.flush();
    if (out) return 0;
    err << "nestora: standard output: The CSV could not be written.\n";
    return 1;
}

// Loads the settings file, makes the table of its plan and writes it.
int RunTableCommand(const std::string& path, bool mustExist, std::ostream& out, std::ostream& err,
                    FileSystem& files, const TableMaker& makeTable) {
    WindowlessPlan plan(path, err);
    if (!plan.load(mustExist, files)) return 1;
    std::string csv;
    std::optional<std::string> tooLong;
    const bool made = plan.run([&] {
        try {
            csv = ScheduleCsv(makeTable(plan.plan(), plan.projection()));
        } catch (const HistoryTooLong& e) {
            tooLong = e.what();
        }
    });
    if (tooLong) {
        plan.report(*tooLong);
        return 3;
    }
    return made ? WriteCsv(csv, out, err) : 1;
}

}  // namespace

int RunScheduleCommand(const std::string& path, bool mustExist, std::ostream& out,
                       std::ostream& err, FileSystem& files,
                       const std::optional<SimulationOptions>& simulation,
                       const std::optional<HistoryOptions>& history) {
    return RunTableCommand(
        path, mustExist, out, err, files, [&](const Plan& plan, const Projection& projection) {
            ScheduleTable table =
                MakeScheduleTable(MakeSchedule(plan, projection), CalendarYearNow());
            if (simulation) AddSimulationColumns(table, Simulate(plan, projection, *simulation));
            if (history) AddHistoryColumns(table, RunHistory(plan, projection, *history));
            return table;
        });
}

int RunHistoryStartsCommand(const std::string& path, bool mustExist, std::ostream& out,
                            std::ostream& err, const HistoryOptions& history, FileSystem& files) {
    return RunTableCommand(path, mustExist, out, err, files,
                           [&](const Plan& plan, const Projection& projection) {
                               return MakeHistoryStartsTable(RunHistory(plan, projection, history));
                           });
}

}  // namespace nestora
