// SPDX-License-Identifier: MIT
#include "app/schedule_command.h"

#include <functional>
#include <optional>
#include <utility>

#include "app/windowless_plan.h"
#include "schedule/history_table.h"
#include "schedule/schedule.h"
#include "schedule/schedule_csv.h"
#include "schedule/schedule_table.h"
#include "schedule/simulation_table.h"
#include "schedule/solve_note.h"

namespace nestora {

namespace {

// What a command makes of the plan: its CSV, and what ends it with status
// 3 (the plan is longer than history's data, or no value reaches the
// success level), reported after the CSV, if any, is written.
struct PlanAnswer {
    std::string csv;
    // What is said on standard error, and the status it ends with.
    std::optional<std::string> shortfall;
    int status = 3;
};
using AnswerMaker = std::function<PlanAnswer(const Plan&, const Projection&, const LifePlan&)>;
using TableMaker = std::function<ScheduleTable(const Plan&, const Projection&, const LifePlan&)>;

// Writes the CSV; a failed write is reported and gives status 1.
int WriteCsv(const std::string& csv, std::ostream& out, std::ostream& err) {
    out << csv;
    out.flush();
    if (out) return 0;
    err << "nestora: standard output: The CSV could not be written.\n";
    return 1;
}

// Loads the plan, answers for it and writes the answer.
int RunPlanCommand(const std::string& path, bool mustExist, std::ostream& out, std::ostream& err,
                   FileSystem& files, const PlanSource& source, const AnswerMaker& makeAnswer) {
    WindowlessPlan plan(PlanPath(source, path), err);
    const std::optional<LifePlan> life = LoadPlan(plan, source, mustExist, files, err);
    if (!life) return 1;
    PlanAnswer answer;
    const bool made = plan.run([&] {
        try {
            answer = makeAnswer(plan.plan(), plan.projection(), *life);
        } catch (const HistoryTooLong& e) {
            answer = {{}, e.what()};
        }
    });
    if (!made) return 1;
    if (!answer.csv.empty() && WriteCsv(answer.csv, out, err) != 0) return 1;
    if (!answer.shortfall) return 0;
    plan.report(*answer.shortfall);
    if (answer.status == 2) err << "Try 'nestora --help'.\n";  // a question the plan cannot ask
    return answer.status;
}

AnswerMaker TableOf(TableMaker makeTable) {
    return [makeTable = std::move(makeTable)](const Plan& plan, const Projection& projection,
                                              const LifePlan& life) {
        return PlanAnswer{ScheduleCsv(makeTable(plan, projection, life)), std::nullopt};
    };
}

}  // namespace

int RunScheduleCommand(const std::string& path, bool mustExist, std::ostream& out,
                       std::ostream& err, FileSystem& files,
                       const std::optional<SimulationOptions>& simulation,
                       const std::optional<HistoryOptions>& history, const PlanSource& source) {
    return RunPlanCommand(
        path, mustExist, out, err, files, source,
        TableOf([&](const Plan& plan, const Projection& projection, const LifePlan& life) {
            ScheduleTable table =
                MakeScheduleTable(MakeSchedule(plan, projection, life), CalendarYearNow());
            if (simulation)
                AddSimulationColumns(table, Simulate(plan, projection, *simulation, life));
            if (history) AddHistoryColumns(table, RunHistory(plan, projection, *history, life));
            return table;
        }));
}

int RunHistoryStartsCommand(const std::string& path, bool mustExist, std::ostream& out,
                            std::ostream& err, const HistoryOptions& history, FileSystem& files,
                            const PlanSource& source) {
    return RunPlanCommand(
        path, mustExist, out, err, files, source,
        TableOf([&](const Plan& plan, const Projection& projection, const LifePlan& life) {
            return MakeHistoryStartsTable(RunHistory(plan, projection, history, life));
        }));
}

int RunSolveCommand(const std::string& path, bool mustExist, std::ostream& out, std::ostream& err,
                    SolveFor quantity, const SolveOptions& options, FileSystem& files,
                    const PlanSource& source) {
    return RunPlanCommand(
        path, mustExist, out, err, files, source,
        [&](const Plan& plan, const Projection&, const LifePlan& life) {
            const Solution solution = Solve(plan, life, quantity, options);
            PlanAnswer answer;
            if (solution.moot) {
                // Not an answer: the question does not fit the plan.
                answer.shortfall =
                    SolveSentence(solution, [](std::int64_t n) { return std::to_string(n); });
                answer.status = 2;
                return answer;
            }
            answer.csv = std::string("quantity,value,success\n") + SolveForName(quantity) + "," +
                         SolvedValueText(solution) + "," +
                         FundedText(solution.fundedMarkets, solution.markets) + "\n";
            if (!solution.found)
                answer.shortfall =
                    SolveSentence(solution, [](std::int64_t n) { return std::to_string(n); });
            return answer;
        });
}

}  // namespace nestora
