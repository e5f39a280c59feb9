// SPDX-License-Identifier: MIT
// Whole files: what the program refuses to read (anything that could block
// or never end), files written completely or not at all, the copy kept under
// a second name, and the leftovers of saves that never ended.
#include <gtest/gtest.h>
#include <sys/stat.h>
#include <sys/time.h>
#include <unistd.h>

#include <filesystem>
#include <string>
#include <vector>

#include "number/platform_file.h"
#include "number/whole_file.h"
#include "support/failing_files.h"
#include "support/full_disk.h"

namespace nestora::testing {
namespace {

std::size_t FilesIn(const std::filesystem::path& folder) {
    return static_cast<std::size_t>(std::distance(std::filesystem::directory_iterator(folder), {}));
}

// Sets a file's change time an hour back, before this program started.
void MakeOld(const std::string& path) {
    const struct timeval hourAgo[2] = {{::time(nullptr) - 3600, 0}, {::time(nullptr) - 3600, 0}};
    ASSERT_EQ(::lutimes(path.c_str(), hourAgo), 0) << path;
}

TEST(WholeFile, WhatCouldBlockOrNeverEndIsRefusedAtOnce) {
    ScratchFolder folder;
    const std::string pipe = folder.file("pipe.fig");
    ASSERT_EQ(::mkfifo(pipe.c_str(), 0600), 0);
    const std::string folderInside = folder.file("folder.fig");
    std::filesystem::create_directory(folderInside);
    const std::string large = folder.write("large.fig", std::string(MaxReadSize + 1, '1'));
    const std::string largest = folder.write("largest.fig", std::string(MaxReadSize, '1'));
    struct Row {
        const char* what;
        std::string path;
        std::int32_t code;
    };
    const std::vector<Row> rows = {
        {"a named pipe that nobody writes (would wait forever)", pipe, NotAFileCode},
        {"/dev/zero (never ends)", "/dev/zero", NotAFileCode},
        {"/dev/null (a device, even if it ends)", "/dev/null", NotAFileCode},
        {"a folder", folderInside, 5},
        {"one byte over 1 MiB", large, TooLargeCode},
        {"exactly 1 MiB", largest, 0},
    };
    for (const auto& row : rows) {
        std::string bytes;
        EXPECT_EQ(ReadWholeFile(SystemFiles(), row.path, bytes), row.code) << row.what;
        EXPECT_EQ(bytes.size(), row.code == 0 ? std::size_t(MaxReadSize) : 0u) << row.what;
    }
    if (::isatty(STDIN_FILENO) == 0 && std::filesystem::exists("/dev/tty")) {
        int handle = -1;
        const auto code = SystemFiles().openRead("/dev/tty", handle);
        EXPECT_NE(code, 0) << "a terminal is never read";
    }
}

TEST(WholeFile, WritesExactlyTheBytesAndKeepsTheOldOnesPermissions) {
    ScratchFolder folder;
    const std::string path = folder.write("plan.csv", "old\n");
    std::filesystem::permissions(path, std::filesystem::perms::owner_read |
                                           std::filesystem::perms::owner_write |
                                           std::filesystem::perms::group_read);
    ASSERT_EQ(WriteWholeFile(SystemFiles(), path, "year,phase\n1,saving\n"), 0);
    EXPECT_EQ(ScratchFolder::read(path), "year,phase\n1,saving\n");
    EXPECT_EQ(std::filesystem::status(path).permissions() & std::filesystem::perms::all,
              std::filesystem::perms::owner_read | std::filesystem::perms::owner_write |
                  std::filesystem::perms::group_read);
    EXPECT_EQ(FilesIn(folder.path()), 1u);
    const std::string fresh = folder.file("new.csv");
    ASSERT_EQ(WriteWholeFile(SystemFiles(), fresh, ""), 0);
    EXPECT_TRUE(std::filesystem::exists(fresh));
}

TEST(WholeFile, FailureAtAnyCallLeavesTheOldFileAndNothingElse) {
    ScratchFolder folder;
    const std::string path = folder.file("plan.csv");
    const std::string old = "year,phase\n";
    const std::string fresh(10000, 'n');
    FailingFiles probe;
    folder.write("plan.csv", old);
    ASSERT_EQ(WriteWholeFile(probe, path, fresh), 0);
    for (const FileCall kind : kAllFileCalls) {
        for (int k = 1; k <= probe.calls(kind); ++k) {
            if (kind == FileCall::Remove) continue;  // only a failure calls it
            SCOPED_TRACE(::testing::Message() << "the " << FileCallName(kind) << " call " << k);
            folder.write("plan.csv", old);
            FailingFiles files;
            files.failAt(kind, k, 112);
            EXPECT_EQ(WriteWholeFile(files, path, fresh), 112);
            EXPECT_EQ(ScratchFolder::read(path), old);
            EXPECT_EQ(FilesIn(folder.path()), 1u);
        }
    }
}

TEST(WholeFile, AFullFileSystemIsReportedAndTheOldFileStays) {
    const std::string old = "year,phase\n1,saving\n";
    FullDisk disk({{"plan.csv", old}});
    if (!disk.ready()) GTEST_SKIP() << disk.whyNot();
    const std::string path = disk.file("plan.csv");
    EXPECT_EQ(WriteWholeFile(SystemFiles(), path, std::string(20000, '7')), 112);
    EXPECT_EQ(ScratchFolder::read(path), old);
    EXPECT_EQ(FilesIn(disk.path()), 2u) << "the old file and the filler, no new file";
    EXPECT_EQ(WriteWholeFile(SystemFiles(), disk.file("other.csv"), "1\n"), 112);
    EXPECT_FALSE(std::filesystem::exists(disk.file("other.csv")));
}

TEST(WholeFile, KeepsACopyUnderASecondNameReplacingAnOlderOne) {
    ScratchFolder folder;
    const std::string path = folder.write("nestora.fig", "damaged");
    const std::string kept = folder.write("nestora.fig.damaged", "older");
    ASSERT_EQ(SystemFiles().keepAs(path, kept), 0);
    EXPECT_EQ(ScratchFolder::read(kept), "damaged");
    EXPECT_EQ(ScratchFolder::read(path), "damaged");
    EXPECT_EQ(FilesIn(folder.path()), 2u);
    // The copy of a file system without links does the same.
    folder.write("nestora.fig", "damaged again");
    FailingFiles plain;
    ASSERT_EQ(plain.FileSystem::keepAs(path, kept), 0);
    EXPECT_EQ(ScratchFolder::read(kept), "damaged again");
    EXPECT_EQ(FilesIn(folder.path()), 2u);
}

TEST(WholeFile, RemovesOnlyItsOwnOldLeftovers) {
    ScratchFolder folder;
    const std::string name = folder.file("nestora.fig.new");
    struct Row {
        std::string file;
        bool old;
        bool removed;
        const char* what;
    };
    const std::vector<Row> rows = {
        {"nestora.fig.new", true, true, "the new file's own name"},
        {"nestora.fig.new.a1b2c3", true, true, "a name of its own when that was taken"},
        {"nestora.fig.new.x9y8z7", false, false, "changed since the program started"},
        {"nestora.fig.new.A1B2C3", true, false, "not a name the program makes"},
        {"nestora.fig.new.a1b2c", true, false, "five characters"},
        {"nestora.fig.newer", true, false, "another name"},
        {"nestora.fig", true, false, "the settings file itself"},
        {"other.fig.new", true, false, "another file's new file"},
    };
    for (const auto& row : rows) {
        folder.write(row.file, "x");
        if (row.old) MakeOld(folder.file(row.file));
    }
    // A link under such a name, and a folder, are nobody's leftovers.
    std::filesystem::create_symlink(folder.file("nestora.fig"),
                                    folder.file("nestora.fig.new.l1l1l1"));
    MakeOld(folder.file("nestora.fig.new.l1l1l1"));
    std::filesystem::create_directory(folder.file("nestora.fig.new.d1d1d1"));
    // Another user's file, where the test may give one away.
    const std::string others = folder.write("nestora.fig.new.o1o1o1", "x");
    MakeOld(others);
    const bool givenAway = ::geteuid() == 0 && ::chown(others.c_str(), 65534, 65534) == 0;

    SystemFiles().removeLeftovers(name);
    for (const auto& row : rows)
        EXPECT_EQ(!std::filesystem::exists(folder.file(row.file)), row.removed) << row.what;
    EXPECT_TRUE(std::filesystem::is_symlink(folder.file("nestora.fig.new.l1l1l1")));
    EXPECT_TRUE(std::filesystem::is_directory(folder.file("nestora.fig.new.d1d1d1")));
    if (givenAway) {
        EXPECT_TRUE(std::filesystem::exists(others)) << "another user's file";
    }
}

}  // namespace
}  // namespace nestora::testing
