// SPDX-License-Identifier: MIT
// The life around the plan on the command line: with every option at its
// neutral value each table is today's to the byte; with every option used
// it is the table of that life, whether the options or a plan document
// give it.
#include <gtest/gtest.h>

#include <sstream>
#include <string>
#include <vector>

#include "cli/plan_document_text.h"
#include "cli/program_run.h"
#include "schedule/history_table.h"
#include "schedule/schedule.h"
#include "schedule/schedule_csv.h"
#include "schedule/simulation_support.h"
#include "schedule/simulation_table.h"
#include "support/first_run.h"
#include "support/scratch_folder.h"

namespace nestora::testing {
namespace {

std::string SettingsText(const std::array<std::string, 5>& reals, const std::string& years) {
    std::string text = "10\r\n10\r\n";
    for (const std::string& real : reals) text += " " + real + "\r\n";
    return text + years + "\r\n";
}

struct NeutralCase {
    const char* name;
    std::string settings;
    std::array<std::string, 6> texts;  // the same plan as typed
};

const std::vector<std::string> kNeutral = {"--saving-growth", "0", "--rule", "fixed"};
const std::string kNeutralLife =
    R"({"age": null, "saving_growth_percent": 0, "spend": null, "rule": "fixed",
        "incomes": [], "one_off_sums": []})";

std::vector<std::string> Joined(std::vector<std::string> first,
                                const std::vector<std::string>& then) {
    first.insert(first.end(), then.begin(), then.end());
    return first;
}

TEST(LifePlanOptions, NeutralValuesGiveTodaysTablesByteForByte) {
    const NeutralCase cases[] = {
        {"Designed", DefaultSettingsFile, {"65000", "12000", "7.5", "3", "6.5", "20"}},
        {"RetiredWithANegativeRealReturn",
         SettingsText({"2.00000000000000E+0005", "0.00000000000000E+0000", "2.00000000000000E-0002",
                       "4.00000000000000E-0002", "5.00000000000000E-0002"},
                      "0"),
         {"200000", "0", "2", "4", "5", "0"}},
        {"LastsIndefinitely",
         SettingsText({"5.00000000000000E+0005", "5.00000000000000E+0003", "9.00000000000000E-0002",
                       "2.00000000000000E-0002", "3.00000000000000E-0002"},
                      "10"),
         {"500000", "5000", "9", "2", "3", "10"}},
    };
    for (const NeutralCase& c : cases) {
        SCOPED_TRACE(c.name);
        ScratchFolder folder;
        const std::string dir = folder.path().string();
        const std::string file = folder.write("plan.fig", c.settings);
        const std::string document =
            folder.write("plan.nestora", PlanDocumentText(c.texts, kNeutralLife));
        const std::vector<std::string> env{"HOME=" + dir, "LC_ALL=C.UTF-8"};
        const std::vector<std::vector<std::string>> commands = {
            {"--schedule", file},
            {"--schedule", file, "--volatility", "12", "--paths", "200"},
            {"--schedule", file, "--history", "--stocks", "50"},
            {"--history-starts", file},
        };
        for (const std::vector<std::string>& command : commands) {
            const ProgramRun today = RunProgram(command, env, dir);
            ASSERT_EQ(today.status, 0) << today.err;
            const ProgramRun neutral = RunProgram(Joined(command, kNeutral), env, dir);
            EXPECT_EQ(neutral.status, 0) << neutral.err;
            EXPECT_EQ(neutral.out, today.out) << command[0] << " " << command.size();
            std::vector<std::string> fromDocument = command;
            fromDocument[1] = "--plan";
            fromDocument.insert(fromDocument.begin() + 2, document);
            const ProgramRun opened = RunProgram(fromDocument, env, dir);
            EXPECT_EQ(opened.status, 0) << opened.err;
            EXPECT_EQ(opened.out, today.out) << command[0] << " " << command.size();
        }
    }
}

// Age 45 in the designed plan (20 saving years): age 67 is year 22, 70 is 25.
const std::vector<std::string> kEveryOption = {
    "--age",  "45",         "--saving-growth", "2",         "--spend",  "30000",
    "--rule", "guardrails", "--income",        "12000,a67", "--income", "5000,25,40,fixed",
    "--lump", "-20000,5",   "--lump",          "50000,a70"};

// The same life in a plan document, and for the model.
const std::string kEveryOptionLife =
    R"({"age": 45, "saving_growth_percent": 2, "spend": 30000, "rule": "guardrails",
        "incomes": [{"amount": 12000, "from": 22},
                    {"amount": 5000, "from": 25, "to": 40, "indexed": false}],
        "one_off_sums": [{"amount": -20000, "year": 5}, {"amount": 50000, "year": 25}]})";

LifePlan EveryOptionLife() {
    LifePlan life;
    life.ageNow = 45;
    life.savingGrowth = fp::div(Extended(2), 100);
    life.spendToday = Extended(30000);
    life.rule = SpendingRule::Guardrails;
    life.incomes = {{"", 12000, 22, std::nullopt, true}, {"", 5000, 25, 40, false}};
    life.oneOffs = {{-20000, 5}, {50000, 25}};
    return life;
}

// The cells of the CSV line of `year`, by column.
std::vector<std::string> Cells(const std::string& csv, std::int32_t year) {
    std::istringstream lines(csv);
    for (std::string line; std::getline(lines, line);) {
        if (line.rfind(std::to_string(year) + ",", 0) != 0) continue;
        std::vector<std::string> cells;
        std::istringstream row(line);
        for (std::string cell; std::getline(row, cell, ',');) cells.push_back(cell);
        return cells;
    }
    return {};
}

TEST(LifePlanOptions, EveryOptionGivesTheTableOfThatLife) {
    ScratchFolder folder;
    const std::string dir = folder.path().string();
    const std::string file = folder.write("plan.fig", DefaultSettingsFile);
    const std::string document =
        folder.write("life.nestora", PlanDocumentText(DefaultEntryTexts, kEveryOptionLife));
    const std::vector<std::string> env{"HOME=" + dir, "LC_ALL=C.UTF-8"};
    const Projected designed(DefaultPlan());
    const LifePlan life = EveryOptionLife();

    const ProgramRun run = RunProgram(Joined(Joined({"--schedule", file}, kEveryOption),
                                             {"--volatility", "12", "--paths", "300"}),
                                      env, dir);
    ASSERT_EQ(run.status, 0) << run.err;
    const std::int32_t thisYear = CalendarYearNow();
    ScheduleTable table =
        MakeScheduleTable(MakeSchedule(designed.plan(), designed.projection(), life), thisYear);
    SimulationOptions simulation;
    simulation.paths = 300;
    AddSimulationColumns(table, Simulate(designed.plan(), designed.projection(), simulation, life));
    EXPECT_EQ(run.out, ScheduleCsv(table));

    // The columns, and cells that can be worked by hand: the growing saving,
    // the age and calendar year, and the income of 12000 from age 67 with
    // 5000 from year 25 that loses 3 % inflation a year after.
    EXPECT_TRUE(run.out.starts_with(
        "year,age,calendar_year,phase,saving,draw_today,balance,balance_today,income_today,"
        "spend_today,p10_today,p50_today,p90_today,funded\n1,46," +
        std::to_string(thisYear + 1) + ",saving,12000,0,"))
        << run.out.substr(0, 300);
    EXPECT_EQ(Cells(run.out, 2)[4], "12240");
    EXPECT_EQ(Cells(run.out, 21)[8], "0");
    EXPECT_EQ(Cells(run.out, 22)[1], "67");
    EXPECT_EQ(Cells(run.out, 22)[8], "12000");
    EXPECT_EQ(Cells(run.out, 25)[8], "17000");
    EXPECT_EQ(Cells(run.out, 26)[8], "16854");  // 12000 + 5000 ÷ 1.03

    // The same life from a plan document, and an option given beside it
    // takes the place of the document's.
    const ProgramRun opened = RunProgram(
        {"--schedule", "--plan", document, "--volatility", "12", "--paths", "300"}, env, dir);
    EXPECT_EQ(opened.status, 0) << opened.err;
    EXPECT_EQ(opened.out, run.out);
    const ProgramRun spendLess =
        RunProgram({"--schedule", "--plan", document, "--spend", "20000"}, env, dir);
    LifePlan lessLife = life;
    lessLife.spendToday = Extended(20000);
    EXPECT_EQ(spendLess.out,
              ScheduleCsv(MakeScheduleTable(
                  MakeSchedule(designed.plan(), designed.projection(), lessLife), thisYear)));

    // History's start years with the same life.
    const ProgramRun starts =
        RunProgram(Joined({"--history-starts", file, "--stocks", "70"}, kEveryOption), env, dir);
    ASSERT_EQ(starts.status, 0) << starts.err;
    HistoryOptions history;
    history.stockShare = 0.7;
    EXPECT_EQ(starts.out, ScheduleCsv(MakeHistoryStartsTable(
                              RunHistory(designed.plan(), designed.projection(), history, life))));
}

}  // namespace
}  // namespace nestora::testing
