// SPDX-License-Identifier: MIT
#include <gtest/gtest.h>

#include <filesystem>
#include <functional>
#include <string>
#include <vector>

#include "number/text_to_real.h"
#include "settings/settings_file.h"
#include "settings_test_support.h"

namespace nestora::testing {
namespace {

using Texts = EntryTexts;

// The defaults, but a return of 8.5555 %, finer than the field shows.
const std::string FineRateFile =
    "10\r\n10\r\n 6.50000000000000E+0004\r\n 1.20000000000000E+0004\r\n"
    " 8.55550000000000E-0002\r\n 3.00000000000000E-0002\r\n 6.50000000000000E-0002\r\n20\r\n";

Extended Real(const char* text) { return TextToReal(text).value; }

TEST(SettingsPath, ReplacesTheExtensionOfTheFileNameOnly) {
    const std::vector<std::pair<std::string, std::string>> cases = {
        {"/opt/nestora/nestora", "/opt/nestora/nestora.fig"},
        {"/opt/nestora/RetirePlan.bin", "/opt/nestora/RetirePlan.fig"},
        {"/opt/nestora/plan.tar.gz", "/opt/nestora/plan.tar.fig"},
        {"/opt/v1.2/nestora", "/opt/v1.2/nestora.fig"},
        {"nestora", "nestora.fig"},
        {"/home/me/.nestora", "/home/me/.fig"},
    };
    for (const auto& [executable, settings] : cases)
        EXPECT_EQ(SettingsPath(executable), settings) << executable;
}

TEST(SettingsFile, FirstRunShowsTheDefaultsAndSavesTheExampleFile) {
    ScratchFolder folder;
    const auto path = folder.file("nestora.fig");
    StartedProgram program;
    program.start(path);

    EXPECT_EQ(program.window.placed, std::make_pair(10, 10));
    EXPECT_EQ(program.entryTexts(), DefaultEntryTexts);
    EXPECT_EQ(program.resultTexts(), DefaultResultTexts);
    EXPECT_TRUE(program.desktop.calls.empty());

    ASSERT_TRUE(program.save(path));
    EXPECT_EQ(ScratchFolder::read(path), DefaultSettingsFile);
    EXPECT_EQ(ScratchFolder::read(path).size(), 137u);
    EXPECT_EQ(std::distance(std::filesystem::directory_iterator(folder.path()), {}), 1);
}

TEST(SettingsFile, SecondLoadKeepsTheUnroundedRateThatTheFieldShowsRounded) {
    ScratchFolder folder;
    const auto path = folder.file("nestora.fig");
    folder.write("nestora.fig", FineRateFile);
    StartedProgram program;
    program.start(path);
    EXPECT_EQ(program.entry(Entry::Edit9).text(), "8.56");
    EXPECT_EQ(program.planner.plan.InvestmentReturn, Real("8.55550000000000E-0002"));

    // The results come from 0.085555, not from the 0.0856 the field shows.
    PlannerFixture unrounded;
    unrounded.planner.plan = program.planner.plan;
    unrounded.planner.calculate();
    PlannerFixture rounded;
    rounded.planner.plan = program.planner.plan;
    rounded.planner.plan.InvestmentReturn = Real("0.0856");
    rounded.planner.calculate();
    EXPECT_EQ(program.resultTexts(), unrounded.resultTexts());
    EXPECT_NE(program.resultTexts(), rounded.resultTexts());

    // Editing the field re-derives the value from its text.
    program.entry(Entry::Edit9).type("8.5");
    EXPECT_EQ(program.planner.plan.InvestmentReturn, fp::div(Real("8.5"), 100));
}

TEST(SettingsFile, CommaLocaleShowsCommasAndStillKeepsPointsInTheFile) {
    ScratchFolder folder;
    const auto path = folder.file("nestora.fig");
    StartedProgram program(',');
    program.start(path);
    EXPECT_EQ(program.entryTexts(), (Texts{"65000", "12000", "7,5", "3", "6,5", "20"}));
    EXPECT_TRUE(program.desktop.calls.empty());
    EXPECT_EQ(program.planner.plan.InvestmentReturn, DefaultPlan().InvestmentReturn);
    ASSERT_TRUE(program.save(path));
    EXPECT_EQ(ScratchFolder::read(path), DefaultSettingsFile);

    // A rate with more digits than the field shows stays unrounded.
    folder.write("nestora.fig", FineRateFile);
    StartedProgram again(',');
    again.start(path);
    EXPECT_EQ(again.entry(Entry::Edit9).text(), "8,56");
    EXPECT_EQ(again.planner.plan.InvestmentReturn, Real("8.55550000000000E-0002"));
    EXPECT_TRUE(again.desktop.calls.empty());
}

struct FileCase {
    const char* name;
    std::string bytes;
    std::optional<std::pair<int, int>> placed;  // (top, left), empty when never placed
    Texts entries;
    std::vector<std::string> errors;
    std::function<void(const Plan&, const SavedPosition&)> check = [](const Plan&,
                                                                      const SavedPosition&) {};
};

const std::string Tail = " 3.00000000000000E-0002\r\n 6.50000000000000E-0002\r\n20\r\n";
const std::string Money = " 6.50000000000000E+0004\r\n 1.20000000000000E+0004\r\n";
const Texts Designed = DesignedEntryTexts;
const std::string BadNumber = "Nestora|Invalid numeric input.";

const std::vector<FileCase> FileCases = {
    {"OutOfRangeValuesAreClampedAndKept",
     "10\r\n10\r\n" + Money +
         " 7.50000000000000E-0002\r\n 4.00000000000000E-0001\r\n"
         " 6.50000000000000E-0002\r\n200\r\n",
     std::make_pair(10, 10),
     {"65000", "12000", "7.5", "25", "6.5", "80"},
     {},
     [](const Plan& plan, const SavedPosition&) {
         EXPECT_EQ(plan.InflationRate, 0.25L);
         EXPECT_EQ(plan.YearsToRetirement, 80);
     }},
    {"ZeroDrawBecomesOnePercent",
     "10\r\n10\r\n" + Money +
         " 7.50000000000000E-0002\r\n 3.00000000000000E-0002\r\n"
         " 0.00000000000000E+0000\r\n20\r\n",
     std::make_pair(10, 10),
     {"65000", "12000", "7.5", "3", "1", "20"},
     {},
     [](const Plan& plan, const SavedPosition&) { EXPECT_EQ(plan.RetirementDraw, 1.0L / 100); }},
    {"NegativeDrawBecomesOnePercent",
     "10\r\n10\r\n" + Money +
         " 7.50000000000000E-0002\r\n 3.00000000000000E-0002\r\n"
         "-5.00000000000000E-0002\r\n20\r\n",
     std::make_pair(10, 10),
     {"65000", "12000", "7.5", "3", "1", "20"},
     {},
     [](const Plan& plan, const SavedPosition&) { EXPECT_EQ(plan.RetirementDraw, 1.0L / 100); }},
    {"NegativePositionsAreUsedUnchanged",
     "-1200\r\n-35\r\n" + Money + " 7.50000000000000E-0002\r\n" + Tail,
     std::make_pair(-1200, -35),
     {"65000", "12000", "7.5", "3", "6.5", "20"},
     {}},
    {"BlankLinesAreSkippedSoLaterValuesComeFromTheNextLine",
     "10\r\n\r\n20\r\n" + Money + " 7.50000000000000E-0002\r\n" + Tail,
     std::make_pair(10, 20),
     {"65000", "12000", "7.5", "3", "6.5", "20"},
     {}},
    {"TextAfterABlankIsIgnored",
     "10 px\r\n10\tleft\r\n" + Money + " 7.50000000000000E-0002\r\n" + Tail,
     std::make_pair(10, 10),
     {"65000", "12000", "7.5", "3", "6.5", "20"},
     {}},
    {"TextJoinedToANumberFails",
     "10abc\r\n10\r\n" + Money + " 7.50000000000000E-0002\r\n" + Tail,
     std::nullopt,
     Designed,
     {BadNumber, BadNumber}},
    {"BadMoneyLineStopsTheReadingAfterThePosition",
     "33\r\n44\r\nabc\r\n 1.20000000000000E+0004\r\n 7.50000000000000E-0002\r\n" + Tail,
     std::nullopt,
     Designed,
     {BadNumber, BadNumber},
     [](const Plan& plan, const SavedPosition& saved) {
         EXPECT_EQ(saved.SavedTop, 33);
         EXPECT_EQ(saved.SavedLeft, 44);
         EXPECT_EQ(plan.CurrentSavings, 0);     // the partial value of "abc"
         EXPECT_EQ(plan.AnnualSavings, 12000);  // the default, never read
     }},
    {"ShortFileGivesZeroForTheRest",
     "10\r\n10\r\n 6.50000000000000E+0004\r\n",
     std::make_pair(10, 10),
     {"65000", "0", "0", "0", "1", "0"},
     {}},
    // Nothing saved and no return: the count of years divides 0 by 0, at each load.
    {"EmptyFileGivesZerosAndTheOnePercentDraw",
     "",
     std::make_pair(0, 0),
     {"0", "0", "0", "0", "1", "0"},
     {"Nestora|Invalid floating point operation.", "Nestora|Invalid floating point operation."}},
    {"LinesAfterTheEighthAreNeverRead",
     DefaultSettingsFile + "garbage\r\n1E99999\r\n",
     std::make_pair(10, 10),
     {"65000", "12000", "7.5", "3", "6.5", "20"},
     {}},
    {"InfiniteValueIsWrittenButDoesNotReadBack",
     "10\r\n10\r\n                   +Inf\r\n 1.20000000000000E+0004\r\n"
     " 7.50000000000000E-0002\r\n" +
         Tail,
     std::nullopt,
     Designed,
     {BadNumber, BadNumber}},
    {"CtrlZEndsTheFile",
     "10\r\n10\r\n 6.50000000000000E+0004\r\n\x1a" + Money + Tail,
     std::make_pair(10, 10),
     {"65000", "0", "0", "0", "1", "0"},
     {}},
    {"LoneCarriageReturnIsNoLineEnd",
     "10\r20\r\n30\r\n" + Money + " 7.50000000000000E-0002\r\n" + Tail,
     std::make_pair(10, 30),
     {"65000", "12000", "7.5", "3", "6.5", "20"},
     {}},
    {"ExponentBeyondTheRangeFailsWithTheFault",
     "10\r\n10\r\n1E4933\r\n" + Money + " 7.50000000000000E-0002\r\n" + Tail,
     std::nullopt,
     Designed,
     {"Nestora|Floating point overflow.", "Nestora|Floating point overflow."},
     [](const Plan& plan, const SavedPosition&) { EXPECT_EQ(plan.CurrentSavings, 65000); }},
};

// A failing row prints its name (gtest prints a row through PrintTo).
void PrintTo(const FileCase& row, std::ostream* os) { *os << row.name; }

class SettingsFileBytes : public ::testing::TestWithParam<FileCase> {};

TEST_P(SettingsFileBytes, StartUpShowsWhatTheFileHolds) {
    const FileCase& c = GetParam();
    ScratchFolder folder;
    const auto path = folder.file("nestora.fig");
    folder.write("nestora.fig", c.bytes);
    StartedProgram program;
    program.start(path);

    EXPECT_EQ(program.window.placed, c.placed);
    EXPECT_EQ(program.entryTexts(), c.entries);
    EXPECT_EQ(program.desktop.errors(), c.errors);
    EXPECT_TRUE(program.desktop.warnings().empty());
    c.check(program.planner.plan, program.saved);
    EXPECT_EQ(ScratchFolder::read(path), c.bytes) << "reading never changes the file";
}

INSTANTIATE_TEST_SUITE_P(Cases, SettingsFileBytes, ::testing::ValuesIn(FileCases),
                         [](const auto& param) { return std::string(param.param.name); });

TEST(SettingsFile, FaultWhileFillingKeepsTheFieldsFilledSoFarAndEnablesCalculation) {
    ScratchFolder folder;
    const auto path = folder.file("nestora.fig");
    // 1E300 currency units cannot be rounded through a 64-bit whole number.
    folder.write("nestora.fig",
                 "10\r\n10\r\n 6.50000000000000E+0004\r\n 1.00000000000000E+0300\r\n"
                 " 7.50000000000000E-0002\r\n" +
                     Tail);
    StartedProgram program;
    program.start(path);
    const std::string invalid = "Nestora|Invalid floating point operation.";
    EXPECT_EQ(program.desktop.errors(), (std::vector<std::string>{invalid, invalid}));
    EXPECT_EQ(program.window.placed, std::make_pair(10, 10));
    EXPECT_EQ(program.entryTexts(), (Texts{"65000", "10000", "8.5", "3.0", "6.0", "25"}));
    EXPECT_EQ(program.resultTexts(), DesignedResultTexts);
    EXPECT_TRUE(program.planner.CalcEnabled);
}

TEST(SettingsFile, NegativePositionsAreWrittenWithAMinus) {
    ScratchFolder folder;
    const auto path = folder.file("nestora.fig");
    folder.write("nestora.fig", "-1200\r\n-35\r\n" + Money + " 7.50000000000000E-0002\r\n" + Tail);
    StartedProgram program;
    program.start(path);
    ASSERT_TRUE(program.save(path));
    EXPECT_EQ(ScratchFolder::read(path),
              "-1200\r\n-35\r\n" + Money + " 7.50000000000000E-0002\r\n" + Tail);
}

TEST(SettingsFile, FolderInTheFilesPlaceCountsAsAbsentAndCannotBeSaved) {
    ScratchFolder folder;
    const auto path = folder.file("nestora.fig");
    std::filesystem::create_directory(path);
    StartedProgram program;
    program.start(path);
    EXPECT_EQ(program.window.placed, std::make_pair(10, 10));
    EXPECT_EQ(program.entryTexts(), DefaultEntryTexts);
    EXPECT_TRUE(program.desktop.calls.empty());

    EXPECT_FALSE(program.save(path));
    EXPECT_EQ(program.desktop.errors(), std::vector<std::string>{"Nestora|File access denied."});
    EXPECT_TRUE(std::filesystem::is_directory(path));
    EXPECT_EQ(std::distance(std::filesystem::directory_iterator(folder.path()), {}), 1);
}

TEST(SettingsFile, ReadOnlyFileIsNotReplaced) {
    ScratchFolder folder;
    const auto path = folder.file("nestora.fig");
    folder.write("nestora.fig", DefaultSettingsFile);
    std::filesystem::permissions(path, std::filesystem::perms::owner_read |
                                           std::filesystem::perms::group_read |
                                           std::filesystem::perms::others_read);
    StartedProgram program;
    program.start(path);
    program.entry(Entry::Edit1).type("1");
    EXPECT_FALSE(program.save(path));
    EXPECT_EQ(program.desktop.errors(), std::vector<std::string>{"Nestora|File access denied."});
    EXPECT_EQ(ScratchFolder::read(path), DefaultSettingsFile);
    EXPECT_EQ(std::distance(std::filesystem::directory_iterator(folder.path()), {}), 1);
}

// Links and permission bits are POSIX matters; Windows has neither here.
#ifndef _WIN32
// In a folder that others may write, someone may plant a link under the name
// of the new file: the save must neither write through it nor leave it.
TEST(SettingsFile, LinkPlantedUnderTheNewFilesNameIsLeftAlone) {
    ScratchFolder folder;
    const auto path = folder.file("nestora.fig");
    folder.write("nestora.fig", DefaultSettingsFile);
    const std::string victim = folder.write("victim", "precious");
    std::filesystem::create_symlink(victim, folder.file("nestora.fig.new"));
    StartedProgram program;
    program.start(path);
    program.entry(Entry::Edit11).type("30");
    ASSERT_TRUE(program.save(path));
    EXPECT_EQ(ScratchFolder::read(path).substr(ScratchFolder::read(path).size() - 4), "30\r\n");
    EXPECT_EQ(ScratchFolder::read(victim), "precious");
    EXPECT_TRUE(std::filesystem::is_symlink(folder.file("nestora.fig.new")));
    EXPECT_EQ(std::distance(std::filesystem::directory_iterator(folder.path()), {}), 3)
        << "the file, the victim and the link: no new file is left behind";
}

TEST(SettingsFile, SavedFileKeepsThePermissionBitsOfTheOneItReplaces) {
    using std::filesystem::perms;
    for (const perms mode : {perms(0600), perms(0640), perms(0644), perms(0660)}) {
        SCOPED_TRACE(::testing::Message() << std::oct << static_cast<int>(mode));
        ScratchFolder folder;
        const auto path = folder.file("nestora.fig");
        folder.write("nestora.fig", DefaultSettingsFile);
        std::filesystem::permissions(path, mode);
        StartedProgram program;
        program.start(path);
        program.entry(Entry::Edit11).type("30");
        ASSERT_TRUE(program.save(path));
        EXPECT_NE(ScratchFolder::read(path), DefaultSettingsFile);
        EXPECT_EQ(std::filesystem::status(path).permissions(), mode);
    }
}
#endif

TEST(SettingsFile, MissingFolderIsAnInvalidFilename) {
    ScratchFolder folder;
    const auto path = folder.file("gone/nestora.fig");
    StartedProgram program;
    program.start(path);
    EXPECT_FALSE(program.save(path));
    EXPECT_EQ(program.desktop.errors(), std::vector<std::string>{"Nestora|Invalid filename."});
}

}  // namespace
}  // namespace nestora::testing
