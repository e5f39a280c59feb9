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

using TableMaker = std::function<ScheduleTable(const Plan&, const Projection&, const LifePlan&)>;

// Writes the CSV; a failed write is reported and gives status 1.
int WriteCsv(const std::string& csv, std::ostream& out, std::ostream& err) {
    out << csv;
    out.flush();
    if (out) return 0;
    err << "nestora: standard output: The CSV could not be written.\n";
    return 1;
}

// Loads the plan, makes its table and writes it.
int RunTableCommand(const std::string& path, bool mustExist, std::ostream& out, std::ostream& err,
                    FileSystem& files, const PlanSource& source, const TableMaker& makeTable) {
    WindowlessPlan plan(PlanPath(source, path), err);
    const std::optional<LifePlan> life = LoadPlan(plan, source, mustExist, files, err);
    if (!life) return 1;
    std::string csv;
    std::optional<std::string> tooLong;
    const bool made = plan.run([&] {
        try {
            csv = ScheduleCsv(makeTable(plan.plan(), plan.projection(), *life));
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
                       const std::optional<HistoryOptions>& history, const PlanSource& source) {
    return RunTableCommand(
        path, mustExist, out, err, files, source,
        [&](const Plan& plan, const Projection& projection, const LifePlan& life) {
            ScheduleTable table =
                MakeScheduleTable(MakeSchedule(plan, projection, life), CalendarYearNow());
            if (simulation)
                AddSimulationColumns(table, Simulate(plan, projection, *simulation, life));
            if (history) AddHistoryColumns(table, RunHistory(plan, projection, *history, life));
            return table;
        });
}

int RunHistoryStartsCommand(const std::string& path, bool mustExist, std::ostream& out,
                            std::ostream& err, const HistoryOptions& history, FileSystem& files,
                            const PlanSource& source) {
    return RunTableCommand(
        path, mustExist, out, err, files, source,
        [&](const Plan& plan, const Projection& projection, const LifePlan& life) {
            return MakeHistoryStartsTable(RunHistory(plan, projection, history, life));
        });
}

}  // namespace nestora
