// SPDX-License-Identifier: MIT
// A failure at any single file call: a save keeps the previous file byte for
// byte and leaves nothing behind; a load places nothing and fills nothing.
#include <gtest/gtest.h>

#include <filesystem>
#include <string>
#include <vector>

#include "number/errors.h"
#include "number/text_file.h"
#include "projection/catch_point.h"
#include "settings/settings_file.h"
#include "settings_test_support.h"
#include "support/failing_files.h"

namespace nestora::testing {
namespace {

const std::string OldFile =
    "20\r\n30\r\n 1.00000000000000E+0005\r\n 1.20000000000000E+0004\r\n"
    " 7.50000000000000E-0002\r\n 3.00000000000000E-0002\r\n 6.50000000000000E-0002\r\n25\r\n";

std::size_t FilesIn(const std::filesystem::path& folder) {
    return static_cast<std::size_t>(std::distance(std::filesystem::directory_iterator(folder), {}));
}

std::string Shown(std::int32_t code) { return "Nestora|" + ErrorBoxText(InOutMessage(code)); }

TEST(SettingsFaults, FailedSaveAtAnyCallKeepsThePreviousFile) {
    ScratchFolder folder;
    const std::string path = folder.write("nestora.fig", OldFile);
    StartedProgram program;
    program.start(path);
    program.entry(Entry::Edit1).type("777");

    FailingFiles probe;
    ASSERT_TRUE(program.save(path, probe));
    ASSERT_NE(ScratchFolder::read(path), OldFile);
    ASSERT_GE(probe.calls(FileCall::Write), 2) << "137 bytes pass the 128-byte buffer twice";

    for (const FileCall kind : kAllFileCalls) {
        for (int k = 1; k <= probe.calls(kind); ++k) {
            for (const std::int32_t code : {112, 5}) {
                SCOPED_TRACE(::testing::Message() << "the " << FileCallName(kind) << " call number "
                                                  << k << " fails with code " << code);
                folder.write("nestora.fig", OldFile);
                program.desktop.calls.clear();
                FailingFiles files;
                files.failAt(kind, k, code);
                EXPECT_FALSE(program.save(path, files));
                EXPECT_EQ(program.desktop.errors(), std::vector<std::string>{Shown(code)});
                EXPECT_EQ(ScratchFolder::read(path), OldFile);
                EXPECT_EQ(FilesIn(folder.path()), 1u) << "the new file is removed";
                EXPECT_EQ(IOResultCode, 0) << "no stale code is left for a later check";
            }
        }
    }
}

TEST(SettingsFaults, DiskThatStaysFullKeepsThePreviousFile) {
    ScratchFolder folder;
    const std::string path = folder.write("nestora.fig", OldFile);
    StartedProgram program;
    program.start(path);
    program.entry(Entry::Edit2).type("13000");
    FailingFiles files;
    files.failAt(FileCall::Write, 1, 112, /*andLater=*/true);
    EXPECT_FALSE(program.save(path, files));
    EXPECT_EQ(program.desktop.errors(), std::vector<std::string>{"Nestora|I/O error 112."});
    EXPECT_EQ(ScratchFolder::read(path), OldFile);
    EXPECT_EQ(FilesIn(folder.path()), 1u);

    // Once there is room again, the next close saves.
    program.desktop.calls.clear();
    EXPECT_TRUE(program.save(path));
    EXPECT_TRUE(program.desktop.calls.empty());
    EXPECT_NE(ScratchFolder::read(path).find("\r\n 1.30000000000000E+0004\r\n"), std::string::npos);
}

TEST(SettingsFaults, FileThatHoldsThePlanAlreadyIsNotWrittenSoCannotFail) {
    ScratchFolder folder;
    const std::string path = folder.write("nestora.fig", OldFile);
    StartedProgram program;
    program.start(path);
    program.window.setTop(20);
    program.window.setLeft(30);
    // Every call of every kind would fail; none is made.
    FailingFiles files;
    for (const FileCall kind : kAllFileCalls) files.failAt(kind, 1, 112, /*andLater=*/true);
    EXPECT_TRUE(program.save(path, files));
    EXPECT_EQ(files.totalCalls(), 0);
    EXPECT_TRUE(program.desktop.calls.empty());
    // A read-only file that already holds the plan is no failure either.
    std::filesystem::permissions(path, std::filesystem::perms::owner_read);
    EXPECT_TRUE(program.save(path));
    EXPECT_TRUE(program.desktop.calls.empty());
    EXPECT_EQ(ScratchFolder::read(path), OldFile);
}

TEST(SettingsFaults, FailedLoadAtAnyCallPlacesAndFillsNothing) {
    ScratchFolder folder;
    const std::string path = folder.write("nestora.fig", OldFile);

    FailingFiles probe;
    {
        StartedProgram program;
        program.planner.plan = DefaultPlan();
        program.load(path, probe);
        ASSERT_EQ(program.window.placed, std::make_pair(20, 30));
    }
    for (const FileCall kind : kAllFileCalls) {
        for (int k = 1; k <= probe.calls(kind); ++k) {
            SCOPED_TRACE(::testing::Message() << "the " << FileCallName(kind) << " call number "
                                              << k << " fails with code 5");
            StartedProgram program;
            program.planner.plan = DefaultPlan();
            FailingFiles files;
            files.failAt(kind, k, 5);
            program.load(path, files);
            EXPECT_EQ(program.desktop.errors(), std::vector<std::string>{Shown(5)});
            EXPECT_EQ(program.window.placed, std::nullopt);
            EXPECT_EQ(program.entry(Entry::Edit1).text(), "50000");
            EXPECT_TRUE(program.planner.CalcEnabled);
            EXPECT_EQ(IOResultCode, 0);
        }
    }
    EXPECT_EQ(ScratchFolder::read(path), OldFile);
}

}  // namespace
}  // namespace nestora::testing
