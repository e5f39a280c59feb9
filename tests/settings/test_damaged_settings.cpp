// SPDX-License-Identifier: MIT
// A settings file that cannot be read: the window shows the plan it computes
// with, the damaged file is kept before the first save replaces it, and what
// is not a file at all is refused at once.
#include <gtest/gtest.h>
#include <sys/stat.h>
#include <sys/time.h>
#include <unistd.h>

#include <filesystem>
#include <string>
#include <vector>

#include "settings/settings_file.h"
#include "settings_test_support.h"
#include "support/failing_files.h"

namespace nestora::testing {
namespace {

const std::string BadSavings =
    "20\r\n30\r\nabc\r\n 1.30000000000000E+0004\r\n"
    " 8.00000000000000E-0002\r\n 2.00000000000000E-0002\r\n 5.00000000000000E-0002\r\n25\r\n";

TEST(DamagedSettings, FieldsAndResultsShowThePlanAsFarAsItWasRead) {
    ScratchFolder folder;
    const std::string path = folder.write("nestora.fig", BadSavings);
    StartedProgram program;
    EXPECT_FALSE(program.startShowingPlan(path));

    const std::string box = "Nestora|Invalid numeric input.\n\n" + DamagedCopyNote(path);
    EXPECT_EQ(program.desktop.errors(), (std::vector<std::string>{box, box}));
    EXPECT_NE(box.find(path + ".damaged"), std::string::npos);
    EXPECT_EQ(program.window.placed, std::nullopt) << "the damaged file's position is not used";
    // Savings: "abc" reads as 0; the lines after it were never read.
    EXPECT_EQ(program.entryTexts(), (EntryTexts{"0", "12000", "7.5", "3", "6.5", "20"}));
    EXPECT_EQ(program.planner.plan.CurrentSavings, 0);
    PlannerFixture typed(DefaultEntryTexts);
    typed.planner.plan = DefaultPlan();
    typed.entry(Entry::Edit1).type("0");
    EXPECT_EQ(program.resultTexts(), typed.resultTexts())
        << "the results of the plan on screen, as if it had been typed";
}

TEST(DamagedSettings, FirstSaveKeepsTheDamagedFileBesideTheNewOne) {
    ScratchFolder folder;
    const std::string path = folder.write("nestora.fig", BadSavings);
    folder.write("nestora.fig.damaged", "an older damaged file");
    StartedProgram program;
    program.startShowingPlan(path);
    program.entry(Entry::Edit1).type("80000");
    ASSERT_TRUE(program.save(path, SystemFiles(), DamagedCopyPath(path)));
    EXPECT_EQ(ScratchFolder::read(path + ".damaged"), BadSavings);
    EXPECT_NE(ScratchFolder::read(path).find(" 8.00000000000000E+0004"), std::string::npos);

    // When the copy cannot be kept, nothing is replaced.
    folder.write("nestora.fig", BadSavings);
    std::filesystem::remove(path + ".damaged");
    FailingFiles files;
    files.failAt(FileCall::Replace, 1, 5);
    EXPECT_FALSE(program.save(path, files, DamagedCopyPath(path)));
    EXPECT_EQ(ScratchFolder::read(path), BadSavings);
    EXPECT_FALSE(std::filesystem::exists(path + ".damaged"));
    EXPECT_EQ(std::distance(std::filesystem::directory_iterator(folder.path()), {}), 1);
}

TEST(DamagedSettings, WhatIsNotAFileIsRefusedAtOnceWithItsCode) {
    ScratchFolder folder;
    struct Row {
        const char* what;
        std::function<void(const std::string&)> make;
        const char* box;
    };
    const std::vector<Row> rows = {
        {"a named pipe nobody writes",
         [](const std::string& p) { ASSERT_EQ(::mkfifo(p.c_str(), 0600), 0); },
         "Nestora|I/O error 130."},
        {"a link to /dev/zero",
         [](const std::string& p) { std::filesystem::create_symlink("/dev/zero", p); },
         "Nestora|I/O error 130."},
        {"a file over 1 MiB",
         [](const std::string& p) {
             std::ofstream(p) << "10\r\n10\r\n" << std::string(MaxReadSize, ' ');
         },
         "Nestora|I/O error 131."},
    };
    for (const auto& row : rows) {
        SCOPED_TRACE(row.what);
        const std::string path = folder.file("nestora.fig");
        std::filesystem::remove(path);
        row.make(path);
        StartedProgram program;
        EXPECT_FALSE(program.startShowingPlan(path));
        const std::string box = std::string(row.box) + "\n\n" + DamagedCopyNote(path);
        EXPECT_EQ(program.desktop.errors(), (std::vector<std::string>{box, box}));
        EXPECT_EQ(program.entryTexts(), DefaultEntryTexts);
        EXPECT_EQ(program.resultTexts(), DefaultResultTexts);
    }
}

TEST(DamagedSettings, ASaveRemovesTheProgramsOwnOldNewFiles) {
    ScratchFolder folder;
    const std::string path = folder.file("nestora.fig");
    const std::string leftover = folder.write("nestora.fig.new", "cut");
    const std::string another = folder.write("nestora.fig.new.k2j4h6", "cut");
    const struct timeval dayAgo[2] = {{::time(nullptr) - 86400, 0}, {::time(nullptr) - 86400, 0}};
    ASSERT_EQ(::utimes(leftover.c_str(), dayAgo), 0);
    ASSERT_EQ(::utimes(another.c_str(), dayAgo), 0);
    StartedProgram program;
    program.start(path);
    ASSERT_TRUE(program.save(path));
    EXPECT_FALSE(std::filesystem::exists(leftover));
    EXPECT_FALSE(std::filesystem::exists(another));
    EXPECT_EQ(std::distance(std::filesystem::directory_iterator(folder.path()), {}), 1);
}

}  // namespace
}  // namespace nestora::testing
