// SPDX-License-Identifier: MIT
// The real program's command line: every argument list gives a status and,
// on failure, a first line of standard error that begins "nestora: " and
// names what it is about.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "cli/plan_document_text.h"
#include "cli/program_run.h"
#include "number/real_item.h"
#include "number/text_to_real.h"
#include "schedule/history_table.h"
#include "schedule/schedule.h"
#include "schedule/schedule_csv.h"
#include "schedule/simulation_support.h"
#include "schedule/simulation_table.h"
#include "schedule/solve_note.h"
#include "schedule/solver.h"
#include "support/first_run.h"
#include "support/scratch_folder.h"

namespace nestora::testing {
namespace {

// "{dir}" in a case's texts stands for its scratch folder.
std::string InFolder(std::string text, const std::string& folder) {
    for (std::size_t at = text.find("{dir}"); at != std::string::npos; at = text.find("{dir}"))
        text.replace(at, 5, folder);
    return text;
}

// The designed plan with 80 years to retirement in place of 20.
const std::string LongPlanFile =
    DefaultSettingsFile.substr(0, DefaultSettingsFile.size() - 4) + "80\r\n";

enum class Display { None, Unreachable, Offscreen };
enum class Output { File, Full };

struct Case {
    std::vector<std::string> arguments;
    int status;
    std::string firstErrLine;  // empty: nothing on standard error
    Display display = Display::None;
    Output output = Output::File;
};

std::vector<std::string> Environment(Display display, const std::string& folder) {
    std::vector<std::string> env{"HOME=" + folder, "XDG_CONFIG_HOME=" + folder, "LC_ALL=C.UTF-8"};
    if (display == Display::Unreachable) env.push_back("DISPLAY=:4093");
    if (display == Display::Offscreen) env.push_back("QT_QPA_PLATFORM=offscreen");
    return env;
}

TEST(CommandLine, EveryArgumentListGivesItsStatusAndMessage) {
    const std::vector<Case> cases = {
        // Arguments it does not know are usage errors, with or without a display.
        {{"plan.fig"},
         2,
         "nestora: Unexpected argument 'plan.fig': FILE goes with --schedule, --solve or "
         "--history-starts."},
        {{"plan.fig"},
         2,
         "nestora: Unexpected argument 'plan.fig': FILE goes with --schedule, --solve or "
         "--history-starts.",
         Display::Offscreen},
        {{"-x"}, 2, "nestora: Unknown option '-x'."},
        {{"-schedule"}, 2, "nestora: Unknown option '-schedule'."},
        {{"-h", "-schedule"}, 2, "nestora: Unknown option '-schedule'."},
        {{"--bogus"}, 2, "nestora: Unknown option '--bogus'."},
        {{"--"},
         2,
         "nestora: No command given: --schedule writes the schedule, --solve a value that the "
         "markets bear, --history-starts history's start years."},
        {{"--schedule=yes"}, 2, "nestora: Unexpected value after '--schedule'."},
        {{"--schedule", "a.fig", "b.fig"},
         2,
         "nestora: Unexpected argument 'b.fig': --schedule takes one FILE at most."},
        {{"--volatility", "12"},
         2,
         "nestora: --volatility goes with --schedule or --solve, not with --history."},
        {{"--history"}, 2, "nestora: --history goes with --schedule or --solve."},
        {{"--history-starts", "--schedule"},
         2,
         "nestora: --schedule and --history-starts go one at a time."},
        {{"--history-starts", "a.fig", "b.fig"},
         2,
         "nestora: Unexpected argument 'b.fig': --history-starts takes one FILE at most."},
        {{"--schedule", "--stocks", "60"},
         2,
         "nestora: --stocks goes with --history or --history-starts."},
        {{"--schedule", "--history", "--seed", "5"},
         2,
         "nestora: --seed goes with --schedule or --solve, not with --history."},
        {{"--history-starts", "--paths", "5"},
         2,
         "nestora: --paths goes with --schedule or --solve, not with --history."},
        {{"--schedule", "--history", "--stocks", "101"},
         2,
         "nestora: --stocks takes a percent from 0 to 100."},
        {{"--history-starts", "--stocks", "-1"},
         2,
         "nestora: --stocks takes a percent from 0 to 100."},
        {{"--history-starts", "--stocks", "sixty"},
         2,
         "nestora: --stocks takes a percent from 0 to 100."},
        {{"--history-starts", "--horizon", "81"},
         2,
         "nestora: --horizon takes whole years from 1 to 80."},
        {{"--schedule", "--volatility", "51"},
         2,
         "nestora: --volatility takes a percent from 0 to 50."},
        {{"--schedule", "--horizon", "0"}, 2, "nestora: --horizon takes whole years from 1 to 80."},
        {{"--schedule", "--paths", "1e3"},
         2,
         "nestora: --paths takes a whole number from 1 to 100000."},
        {{"--schedule", "--seed", "-1"}, 2, "nestora: --seed takes a whole number from 0."},
        {{"--schedule", "--horizon"}, 2, "nestora: Missing value after '--horizon'."},
        // --solve and its options.
        {{"--solve"}, 2, "nestora: Missing value after '--solve'."},
        {{"--solve", "wealth"}, 2, "nestora: --solve takes draw, spend, retire or saving."},
        {{"--solve", "draw", "--schedule"}, 2, "nestora: --schedule and --solve go one at a time."},
        {{"--solve", "draw", "a.fig", "b.fig"},
         2,
         "nestora: Unexpected argument 'b.fig': --solve takes one FILE at most."},
        {{"--schedule", "--success", "90"}, 2, "nestora: --success goes with --solve."},
        {{"--solve", "spend", "--success", "100"},
         2,
         "nestora: --success takes a whole percent from 50 to 99."},
        {{"--solve", "spend", "--success", "49"},
         2,
         "nestora: --success takes a whole percent from 50 to 99."},
        {{"--solve", "spend", "--success", "90.5"},
         2,
         "nestora: --success takes a whole percent from 50 to 99."},
        {{"--solve", "retire", "--history", "--paths", "100"},
         2,
         "nestora: --paths goes with --schedule or --solve, not with --history."},
        {{"--solve", "retire", "--stocks", "40"},
         2,
         "nestora: --stocks goes with --history or --history-starts."},
        {{"--solve", "saving", "--volatility", "60"},
         2,
         "nestora: --volatility takes a percent from 0 to 50."},
        {{"--solve", "saving", "--history", "--horizon", "81"},
         2,
         "nestora: --horizon takes whole years from 1 to 80."},
        // Files it cannot read name the file.
        {{"--schedule", "{dir}/none.fig"}, 1, "nestora: {dir}/none.fig: File not found."},
        {{"--schedule", "{dir}/bad.fig"}, 1, "nestora: {dir}/bad.fig: Invalid numeric input."},
        {{"--schedule", "{dir}/plan.fig"}, 0, ""},
        {{"--schedule", "{dir}/plan.fig", "--horizon", "5", "--paths", "10"}, 0, ""},
        {{"--history-starts", "{dir}/none.fig"}, 1, "nestora: {dir}/none.fig: File not found."},
        {{"--solve", "draw", "{dir}/bad.fig"}, 1, "nestora: {dir}/bad.fig: Invalid numeric input."},
        {{"--solve", "draw", "{dir}/plan.fig", "--success", "50", "--seed", "3"}, 0, ""},
        // No value in the range reaches the success level.
        {{"--solve", "retire", "{dir}/plan.fig", "--volatility", "50", "--success", "99",
          "--horizon", "80"},
         3,
         "nestora: {dir}/plan.fig: Even retiring in 80 years, 3 % of markets pay the full draw."},
        // A question the plan cannot ask: a spending amount sets what savings pay
        // (the percent rule still pays the draw rate).
        {{"--solve", "draw", "{dir}/plan.fig", "--spend", "30000"},
         2,
         "nestora: {dir}/plan.fig: With a spending amount, the draw rate does not change what "
         "savings pay: solve for spend instead."},
        {{"--solve", "draw", "{dir}/plan.fig", "--spend", "30000", "--rule", "percent"}, 0, ""},
        // A plan longer than history's data.
        {{"--schedule", "{dir}/long.fig", "--history", "--horizon", "80"},
         3,
         "nestora: {dir}/long.fig: The plan needs 160 years of market history, but the data "
         "holds 152 years (1871 to 2022)."},
        {{"--solve", "draw", "{dir}/long.fig", "--history", "--horizon", "80"},
         3,
         "nestora: {dir}/long.fig: The plan needs 160 years of market history, but the data "
         "holds 152 years (1871 to 2022)."},
        // The life around the plan, and a plan document in place of a settings file.
        {{"--age", "45"}, 2, "nestora: --age goes with --schedule, --solve or --history-starts."},
        {{"--solve", "spend", "{dir}/plan.fig", "--age", "45", "--income", "12000,a67", "--rule",
          "guardrails"},
         0,
         ""},
        {{"--schedule", "--age", "14"}, 2, "nestora: --age takes whole years from 15 to 100."},
        {{"--schedule", "--age", "45.5"}, 2, "nestora: --age takes whole years from 15 to 100."},
        {{"--schedule", "--saving-growth", "50.5"},
         2,
         "nestora: --saving-growth takes a percent from -20 to 50."},
        {{"--schedule", "--saving-growth", "2%"},
         2,
         "nestora: --saving-growth takes a percent from -20 to 50."},
        {{"--schedule", "--spend", "-1"}, 2, "nestora: --spend takes a sum of 0 or more."},
        {{"--schedule", "--spend", ""}, 2, "nestora: --spend takes a sum of 0 or more."},
        {{"--schedule", "--rule", "Fixed"},
         2,
         "nestora: --rule takes fixed, percent or guardrails."},
        {{"--schedule", "--income", "12000"},
         2,
         "nestora: --income takes AMOUNT,FROM[,TO][,fixed], not '12000'."},
        {{"--schedule", "--income", "12000,20,30,40"},
         2,
         "nestora: --income takes AMOUNT,FROM[,TO][,fixed], not '12000,20,30,40'."},
        {{"--schedule", "--income", "-5,20"},
         2,
         "nestora: --income: '-5' is not a sum of 0 or more."},
        {{"--schedule", "--income", "12000,a67"},
         2,
         "nestora: --income: the age 'a67' needs --age."},
        {{"--schedule", "--age", "45", "--income", "12000,a45"},
         2,
         "nestora: --income: the age 'a45' lies outside the years of the plan (a46 to a1045)."},
        {{"--schedule", "--income", "12000,30,20"},
         2,
         "nestora: --income: the last year '20' comes before the first, '30'."},
        {{"--schedule", "--income", "12000,0"},
         2,
         "nestora: --income: '0' is not a year from 1 to 1000 or an age with --age (a67)."},
        {{"--schedule", "--lump", "5000"}, 2, "nestora: --lump takes AMOUNT,AT, not '5000'."},
        {{"--schedule", "--lump", "5e,3"}, 2, "nestora: --lump: '5e' is not a sum."},
        {{"--schedule", "--lump", "5000,1001"},
         2,
         "nestora: --lump: '1001' is not a year from 1 to 1000 or an age with --age (a67)."},
        {{"--schedule", "--lump", "-5000,3", "--income", "100,22,fixed"}, 0, ""},
        {{"--history-starts", "--age", "45", "--lump=-5000,a50"}, 0, ""},
        {{"--schedule", "{dir}/plan.fig", "--plan", "{dir}/plan.nestora"},
         2,
         "nestora: --plan takes the place of a settings FILE: give one of them."},
        {{"--schedule", "--plan", "{dir}/plan.nestora", "--age", "50"}, 0, ""},
        {{"--schedule", "--plan", "{dir}/none.nestora"},
         1,
         "nestora: {dir}/none.nestora: The plan document could not be read: File not found."},
        {{"--history-starts", "--plan", "{dir}/bad.nestora"},
         1,
         "nestora: {dir}/bad.nestora, line 2: This is not a plan document: unterminated object."},
        {{"--schedule", "--plan", "{dir}/badtext.nestora"},
         1,
         "nestora: {dir}/badtext.nestora: Error in Annual Savings entry."},
        // A failed write is a failure.
        {{"--schedule", "{dir}/plan.fig"},
         1,
         "nestora: standard output: The CSV could not be written.",
         Display::None,
         Output::Full},
        {{"--solve", "draw", "{dir}/plan.fig"},
         1,
         "nestora: standard output: The CSV could not be written.",
         Display::None,
         Output::Full},
        {{"--help"},
         1,
         "nestora: standard output: The help could not be written: No space left on device.",
         Display::None,
         Output::Full},
        {{"--version"},
         1,
         "nestora: standard output: The version could not be written: No space left on device.",
         Display::None,
         Output::Full},
        {{"--help"}, 0, ""},
        {{"-v"}, 0, ""},
        // The window without a display says so and ends.
        {{}, 1, "nestora: cannot open the window: no display (DISPLAY is not set)"},
        {{"-style", "fusion"},
         1,
         "nestora: cannot open the window: no display (DISPLAY is not set)"},
        {{},
         1,
         "nestora: cannot open the window: could not connect to display :4093",
         Display::Unreachable},
    };
    for (const Case& c : cases) {
        ScratchFolder folder;
        const std::string dir = folder.path().string();
        folder.write("plan.fig", DefaultSettingsFile);
        folder.write("bad.fig", "abc\n");
        folder.write("long.fig", LongPlanFile);
        folder.write("plan.nestora", PlanDocumentText({"65000", "12000", "7.5", "3", "6.5", "20"}));
        folder.write("bad.nestora", "{\"format\": \"nestora-plan\",\n");
        folder.write("badtext.nestora",
                     PlanDocumentText({"65000", "12x", "7.5", "3", "6.5", "20"}));
        std::vector<std::string> arguments;
        std::string shown;
        for (const std::string& a : c.arguments) {
            arguments.push_back(InFolder(a, dir));
            shown += " " + a;
        }
        SCOPED_TRACE("nestora" + shown);
        const ProgramRun run = RunProgram(arguments, Environment(c.display, dir), dir,
                                          c.output == Output::Full ? "/dev/full" : "");
        EXPECT_EQ(run.status, c.status) << run.err;
        EXPECT_EQ(run.firstErrLine(), InFolder(c.firstErrLine, dir));
        if (c.status == 2) {
            EXPECT_TRUE(run.err.ends_with("\nTry 'nestora --help'.\n")) << run.err;
        }
        // Without a display: that one line and nothing of Qt's.
        if (c.arguments.empty() || c.arguments.front() == "-style") {
            EXPECT_EQ(run.err, run.firstErrLine() + "\n");
        }
    }
}

TEST(CommandLine, AnswersOnStandardOutput) {
    ScratchFolder folder;
    const std::string dir = folder.path().string();
    const std::string plan = folder.write("plan.fig", DefaultSettingsFile);
    const std::vector<std::string> env = Environment(Display::None, dir);

    const ProgramRun help = RunProgram({"--help"}, env, dir);
    EXPECT_EQ(help.status, 0);
    EXPECT_TRUE(help.out.starts_with("Usage: ")) << help.out;
    EXPECT_NE(help.out.find("--schedule"), std::string::npos);
    EXPECT_NE(help.out.find("--solve <QUANTITY>"), std::string::npos);
    EXPECT_NE(help.out.find("--success <PCT>"), std::string::npos);
    const ProgramRun version = RunProgram({"--version"}, env, dir);
    EXPECT_TRUE(version.out.starts_with("nestora ")) << version.out;
    EXPECT_TRUE(version.out.ends_with("\n"));
    const ProgramRun schedule = RunProgram({"--schedule", plan}, env, dir);
    EXPECT_EQ(schedule.status, 0);
    EXPECT_EQ(schedule.err, "");
    EXPECT_TRUE(
        schedule.out.starts_with("year,phase,saving,draw_today,balance,balance_today\n"
                                 "1,saving,12000,0,81875,79490\n"))
        << schedule.out;
}

// History's tables on the command line are RunHistory's for the plan the
// settings file holds, with the stock share and horizon given.
TEST(CommandLine, HistorysTablesAreThePlansOwn) {
    ScratchFolder folder;
    const std::string dir = folder.path().string();
    const std::string plan = folder.write("plan.fig", DefaultSettingsFile);
    const std::vector<std::string> env = Environment(Display::None, dir);
    const Projected designed(DefaultPlan());
    HistoryOptions options;
    options.stockShare = 0.4;
    options.horizon = 40;
    const History history = RunHistory(designed.plan(), designed.projection(), options);

    const ProgramRun schedule = RunProgram(
        {"--schedule", plan, "--history", "--stocks", "40", "--horizon", "40"}, env, dir);
    ASSERT_EQ(schedule.status, 0) << schedule.err;
    EXPECT_TRUE(
        schedule.out.starts_with("year,phase,saving,draw_today,balance,balance_today,"
                                 "hist_p10_today,hist_p50_today,hist_p90_today,hist_funded\n"))
        << schedule.out;
    ScheduleTable table =
        MakeScheduleTable(MakeSchedule(designed.plan(), designed.projection()), CalendarYearNow());
    AddHistoryColumns(table, history);
    EXPECT_EQ(schedule.out, ScheduleCsv(table));
    // 20 saving years and 40 planned in retirement, past the 27 the money lasts.
    EXPECT_NE(schedule.out.find("\n60,retired,"), std::string::npos);
    EXPECT_EQ(schedule.out.find("\n61,"), std::string::npos);

    const ProgramRun starts =
        RunProgram({"--history-starts", plan, "--stocks", "40", "--horizon", "40"}, env, dir);
    ASSERT_EQ(starts.status, 0) << starts.err;
    EXPECT_TRUE(starts.out.starts_with("start_year,full_years,end_balance_today\n1871,"))
        << starts.out;
    EXPECT_EQ(std::count(starts.out.begin(), starts.out.end(), '\n'),
              StretchCount(60, UsMarkets()) + 1);
    EXPECT_EQ(starts.out, ScheduleCsv(MakeHistoryStartsTable(history)));
    const std::string worst = std::to_string(history.startYear(history.worstStretch)) + "," +
                              std::to_string(history.fullYears(history.worstStretch)) + ",";
    EXPECT_NE(starts.out.find("\n" + worst), std::string::npos) << worst;

    // The defaults: 60 % stocks and a horizon of 30 years.
    const ProgramRun defaults = RunProgram({"--history-starts", plan}, env, dir);
    EXPECT_EQ(defaults.out, ScheduleCsv(MakeHistoryStartsTable(RunHistory(
                                designed.plan(), designed.projection(), HistoryOptions{}))));
}

// --solve answers for the settings file's plan on the markets its options
// name: returns that do not vary unless --volatility or --history is given.
TEST(CommandLine, SolvesOnTheMarketsAsked) {
    ScratchFolder folder;
    const std::string dir = folder.path().string();
    const std::string plan = folder.write("plan.fig", DefaultSettingsFile);
    const std::vector<std::string> env = Environment(Display::None, dir);
    struct SolveCase {
        std::vector<std::string> options;
        SolveFor quantity;
        SolveOptions expected;
        LifePlan life;
    };
    LifePlan pension;  // --age 45 --income 12000,a67
    pension.ageNow = 45;
    pension.incomes.push_back({"", Extended(12000), 22, std::nullopt, true});
    SolveOptions fixed;
    fixed.simulation.volatility = 0;
    SolveOptions varying;
    varying.successPercent = 75;
    varying.simulation.volatility = 0.08;
    varying.simulation.paths = 2000;
    varying.simulation.seed = 7;
    SolveOptions history;
    history.historyStockShare = 0.4;
    history.simulation.horizon = 35;
    const std::vector<SolveCase> cases = {
        {{"draw"}, SolveFor::Draw, fixed, {}},
        {{"spend", "--volatility", "8", "--success", "75", "--paths", "2000", "--seed", "7"},
         SolveFor::Spend,
         varying,
         {}},
        {{"retire", "--history", "--stocks", "40", "--horizon", "35"},
         SolveFor::Retire,
         history,
         {}},
        {{"saving", "--volatility", "8", "--paths", "2000", "--seed", "7", "--success", "75"},
         SolveFor::Saving,
         varying,
         {}},
        {{"spend", "--age", "45", "--income", "12000,a67"}, SolveFor::Spend, fixed, pension},
    };
    for (const SolveCase& c : cases) {
        std::vector<std::string> arguments{"--solve"};
        arguments.insert(arguments.end(), c.options.begin(), c.options.end());
        arguments.insert(arguments.begin() + 2, plan);
        SCOPED_TRACE("--solve " + c.options.front());
        const Solution s = Solve(DefaultPlan(), c.life, c.quantity, c.expected);
        ASSERT_TRUE(s.found);
        const ProgramRun run = RunProgram(arguments, env, dir);
        EXPECT_EQ(run.status, 0) << run.err;
        EXPECT_EQ(run.err, "");
        EXPECT_EQ(run.out, "quantity,value,success\n" + c.options.front() + "," +
                               SolvedValueText(s) + "," + FundedText(s.fundedMarkets, s.markets) +
                               "\n");
    }
    // Returns that do not vary: the one market lasts, success 1.
    const ProgramRun draw = RunProgram({"--solve", "draw", plan}, env, dir);
    EXPECT_EQ(draw.out, "quantity,value,success\ndraw,6.13,1.0000\n");
}

// The draw that --solve gives, typed into the plan, pays in full in at
// least the success level's share of the same markets through the horizon,
// as --schedule's funded column shows in the horizon's last year.
TEST(CommandLine, TheSolvedDrawInThePlanReachesTheSuccessLevel) {
    ScratchFolder folder;
    const std::string dir = folder.path().string();
    const std::string plan = folder.write("plan.fig", DefaultSettingsFile);
    const std::vector<std::string> env = Environment(Display::None, dir);
    for (const char* success : {"90", "60"}) {
        SCOPED_TRACE(success);
        const ProgramRun solved = RunProgram({"--solve", "draw", plan, "--volatility", "12",
                                              "--horizon", "25", "--success", success},
                                             env, dir);
        ASSERT_EQ(solved.status, 0) << solved.err;
        const std::string line = solved.out.substr(solved.out.find('\n') + 1);
        const std::string rate = line.substr(5, line.find(',', 5) - 5);
        // The settings file keeps the draw as the field's value: the text ÷ 100.
        std::string file = DefaultSettingsFile;
        const std::string designedDraw = RealItemText(DefaultPlan().RetirementDraw) + "\r\n";
        file.replace(file.find(designedDraw), designedDraw.size(),
                     RealItemText(fp::div(TextToReal(rate).value, 100)) + "\r\n");
        const std::string withDraw = folder.write("solved.fig", file);
        const ProgramRun schedule =
            RunProgram({"--schedule", withDraw, "--volatility", "12", "--horizon", "25"}, env, dir);
        ASSERT_EQ(schedule.status, 0) << schedule.err;
        // Year n + horizon = 45; funded is the last column.
        const std::size_t row = schedule.out.find("\n45,retired,");
        ASSERT_NE(row, std::string::npos) << schedule.out;
        const std::string rowText =
            schedule.out.substr(row + 1, schedule.out.find('\n', row + 1) - row - 1);
        const double funded = std::stod(rowText.substr(rowText.rfind(',') + 1));
        EXPECT_GE(funded, std::stoi(success) / 100.0) << rate << " %: " << rowText;
    }
}

}  // namespace
}  // namespace nestora::testing
