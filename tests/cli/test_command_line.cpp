// SPDX-License-Identifier: MIT
// The real program's command line: every argument list gives a status and,
// on failure, a first line of standard error that begins "nestora: " and
// names what it is about.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "cli/program_run.h"
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
        {{"plan.fig"}, 2, "nestora: Unexpected argument 'plan.fig': FILE goes with --schedule."},
        {{"plan.fig"},
         2,
         "nestora: Unexpected argument 'plan.fig': FILE goes with --schedule.",
         Display::Offscreen},
        {{"-x"}, 2, "nestora: Unknown option '-x'."},
        {{"-schedule"}, 2, "nestora: Unknown option '-schedule'."},
        {{"-h", "-schedule"}, 2, "nestora: Unknown option '-schedule'."},
        {{"--bogus"}, 2, "nestora: Unknown option '--bogus'."},
        {{"--"}, 2, "nestora: No command given: --schedule writes the schedule."},
        {{"--schedule=yes"}, 2, "nestora: Unexpected value after '--schedule'."},
        {{"--schedule", "a.fig", "b.fig"},
         2,
         "nestora: Unexpected argument 'b.fig': --schedule takes one FILE at most."},
        {{"--volatility", "12"}, 2, "nestora: --volatility goes with --schedule."},
        {{"--schedule", "--volatility", "51"},
         2,
         "nestora: --volatility takes a percent from 0 to 50."},
        {{"--schedule", "--horizon", "0"}, 2, "nestora: --horizon takes whole years from 1 to 80."},
        {{"--schedule", "--paths", "1e3"},
         2,
         "nestora: --paths takes a whole number from 1 to 100000."},
        {{"--schedule", "--seed", "-1"}, 2, "nestora: --seed takes a whole number from 0."},
        {{"--schedule", "--horizon"}, 2, "nestora: Missing value after '--horizon'."},
        // Files it cannot read name the file.
        {{"--schedule", "{dir}/none.fig"}, 1, "nestora: {dir}/none.fig: File not found."},
        {{"--schedule", "{dir}/bad.fig"}, 1, "nestora: {dir}/bad.fig: Invalid numeric input."},
        {{"--schedule", "{dir}/plan.fig"}, 0, ""},
        {{"--schedule", "{dir}/plan.fig", "--horizon", "5", "--paths", "10"}, 0, ""},
        // A failed write is a failure.
        {{"--schedule", "{dir}/plan.fig"},
         1,
         "nestora: standard output: The schedule could not be written.",
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

}  // namespace
}  // namespace nestora::testing
