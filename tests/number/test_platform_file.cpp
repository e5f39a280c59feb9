// SPDX-License-Identifier: MIT
#include <fcntl.h>
#include <gtest/gtest.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <filesystem>
#include <functional>
#include <string>
#include <vector>

#include "number/platform_file.h"
#include "support/failing_files.h"

namespace nestora::testing {
namespace {

TEST(PlatformFile, SystemErrorsBecomeTheProgramsCodes) {
    struct Row {
        int error;
        std::int32_t code;
    };
    const std::vector<Row> rows = {
        {0, 0},
        {ENOTDIR, 3},
        {ENAMETOOLONG, 3},
        {EMFILE, 4},
        {ENFILE, 4},
        {EACCES, 5},
        {EPERM, 5},
        {EISDIR, 5},
        {EROFS, 5},
        {ETXTBSY, 5},
        {ENOSPC, 112},
        {EDQUOT, 112},
        // Everything else is moved out of the way of the program's own codes:
        // EIO is 5 and ESRCH 3 as numbers, and must not read "File access
        // denied" or "Invalid filename".
        {EIO, 10000 + EIO},
        {ESRCH, 10000 + ESRCH},
        {EBUSY, 10000 + EBUSY},
        {EAGAIN, 10000 + EAGAIN},
        {ELOOP, 10000 + ELOOP},
        {EINVAL, 10000 + EINVAL},
    };
    for (const auto& row : rows)
        EXPECT_EQ(IOCodeFromErrno(row.error, "/tmp/x"), row.code) << "errno " << row.error;
}

TEST(PlatformFile, AMissingFileIsToldFromAMissingFolder) {
    ScratchFolder folder;
    const std::string missingFolder = folder.file("gone") + "/nestora.fig";
    EXPECT_EQ(IOCodeFromErrno(ENOENT, folder.file("nestora.fig")), 2);
    EXPECT_EQ(IOCodeFromErrno(ENOENT, missingFolder), 3);
    EXPECT_EQ(IOCodeFromErrno(ENOENT, "/nestora-no-such-file"), 2);  // in the root
    EXPECT_EQ(IOCodeFromErrno(ENOENT, "nestora-no-such-file"), 2);   // in the working folder
    EXPECT_EQ(IOCodeFromErrno(ENOENT, ""), 3);
}

// The cases below hold for every user, root included.
TEST(PlatformFile, RefusedOpensGiveTheirCodes) {
    ScratchFolder folder;
    FileSystem& files = SystemFiles();
    const std::string plainFile = folder.write("plain", "x");
    std::filesystem::create_directory(folder.file("sub"));
    struct Row {
        const char* what;
        std::string path;
        std::int32_t code;
    };
    const std::vector<Row> reads = {
        {"missing file", folder.file("none.fig"), 2},
        {"missing folder", folder.file("gone/none.fig"), 3},
        {"a file used as a folder", plainFile + "/none.fig", 3},
        {"a name too long", folder.file(std::string(300, 'n')), 3},
        {"a folder in the file's place", folder.file("sub"), 5},
    };
    for (const auto& row : reads) {
        int handle = 1234;
        EXPECT_EQ(files.openRead(row.path, handle), row.code) << "reading " << row.what;
        EXPECT_EQ(handle, -1) << row.what;
    }
    const std::vector<Row> writes = {
        {"missing folder", folder.file("gone/none.fig"), 3},
        {"a file used as a folder", plainFile + "/none.fig", 3},
        {"a folder in the file's place", folder.file("sub"), 5},
    };
    for (const auto& row : writes) {
        int handle = 1234;
        EXPECT_EQ(files.openWrite(row.path, handle), row.code) << "writing " << row.what;
        EXPECT_EQ(handle, -1) << row.what;
    }
}

TEST(PlatformFile, AReadOnlyFileRefusesWriting) {
    if (::geteuid() == 0)
        GTEST_SKIP() << "root writes a read-only file: permission bits do not refuse it";
    ScratchFolder folder;
    const std::string path = folder.write("locked.fig", "10\r\n");
    ASSERT_EQ(::chmod(path.c_str(), 0444), 0);
    int handle = -1;
    EXPECT_EQ(SystemFiles().openWrite(path, handle), 5);
    EXPECT_EQ(ScratchFolder::read(path), "10\r\n");
}

// Unlike opening, the check refuses a file that nobody may write even to root.
TEST(PlatformFile, ReplacingIsCheckedWithoutChangingAnything) {
    ScratchFolder folder;
    const std::string plain = folder.write("plain.fig", "10\r\n");
    const std::string locked = folder.write("locked.fig", "20\r\n");
    ASSERT_EQ(::chmod(locked.c_str(), 0444), 0);
    std::filesystem::create_directory(folder.file("sub"));
    struct Row {
        const char* what;
        std::string path;
        std::int32_t code;
    };
    const std::vector<Row> rows = {
        {"nothing there", folder.file("none.fig"), 0},
        {"an ordinary file", plain, 0},
        {"a read-only file", locked, 5},
        {"a folder", folder.file("sub"), 5},
        {"a file used as a folder", plain + "/x.fig", 3},
    };
    for (const auto& row : rows)
        EXPECT_EQ(SystemFiles().checkReplaceable(row.path), row.code) << row.what;
    EXPECT_EQ(ScratchFolder::read(plain), "10\r\n");
    EXPECT_EQ(ScratchFolder::read(locked), "20\r\n");
    EXPECT_FALSE(std::filesystem::exists(folder.file("none.fig")));
}

TEST(PlatformFile, AFullDiskGivesCode112) {
    // /dev/full refuses every write with ENOSPC, for root too.
    if (!std::filesystem::exists("/dev/full")) GTEST_SKIP() << "this system has no /dev/full";
    FileSystem& files = SystemFiles();
    int handle = -1;
    ASSERT_EQ(files.openWrite("/dev/full", handle), 0);
    EXPECT_EQ(files.write(handle, "10\r\n", 4), 112);
    EXPECT_EQ(files.close(handle), 0);
}

TEST(PlatformFile, WritesReadsAndReplacesFiles) {
    ScratchFolder folder;
    FileSystem& files = SystemFiles();
    const std::string path = folder.file("new.fig");
    std::string bytes;
    for (int i = 0; i < 300; ++i) bytes += static_cast<char>(i);  // every byte value, NUL too

    int handle = -1;
    ASSERT_EQ(files.openWrite(path, handle), 0);
    EXPECT_EQ(files.write(handle, bytes.data(), bytes.size()), 0);
    EXPECT_EQ(files.syncToDisk(handle), 0);
    EXPECT_EQ(files.close(handle), 0);
    EXPECT_EQ(ScratchFolder::read(path), bytes);
    EXPECT_TRUE(files.exists(path));
    EXPECT_FALSE(files.exists(folder.file("none")));
    EXPECT_FALSE(files.exists(folder.path().string()));  // a folder is no file

    ASSERT_EQ(files.openRead(path, handle), 0);
    std::string back;
    char chunk[128];
    std::size_t got = 0;
    do {
        ASSERT_EQ(files.read(handle, chunk, sizeof chunk, got), 0);
        back.append(chunk, got);
    } while (got > 0);
    EXPECT_EQ(files.close(handle), 0);
    EXPECT_EQ(back, bytes);

    // Opening for writing empties the file.
    ASSERT_EQ(files.openWrite(path, handle), 0);
    EXPECT_EQ(files.close(handle), 0);
    EXPECT_EQ(ScratchFolder::read(path), "");

    const std::string other = folder.write("other.fig", "20\r\n");
    EXPECT_EQ(files.replace(other, path), 0);
    EXPECT_EQ(ScratchFolder::read(path), "20\r\n");
    EXPECT_FALSE(files.exists(other));
    EXPECT_EQ(files.replace(other, path), 2);
    EXPECT_EQ(files.remove(path), 0);
    EXPECT_FALSE(files.exists(path));
    EXPECT_EQ(files.remove(path), 2);
}

std::uint32_t ModeOf(const std::string& path) {
    struct stat info {};
    if (::lstat(path.c_str(), &info) != 0) return 0;
    return info.st_mode & 07777;
}

// What a new file gets when nothing is there to take bits from.
std::uint32_t NewFileMode() {
    const mode_t mask = ::umask(0);
    ::umask(mask);
    return 0666 & ~mask;
}

TEST(PlatformFile, ANewFileIsCreatedNeverOpenedAndNeverThroughALink) {
    ScratchFolder folder;
    FileSystem& files = SystemFiles();
    const std::string victim = folder.write("victim", "precious");
    const std::string name = folder.file("nestora.fig.new");
    struct Row {
        const char* what;
        std::function<void()> plant;  // puts something under the wanted name
    };
    const std::vector<Row> rows = {
        {"nothing in the way", [] {}},
        {"a link to another file", [&] { std::filesystem::create_symlink(victim, name); }},
        {"a link that leads nowhere",
         [&] { std::filesystem::create_symlink(folder.file("nowhere"), name); }},
        {"a file", [&] { folder.write("nestora.fig.new", "old"); }},
        {"a folder", [&] { std::filesystem::create_directory(name); }},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.what);
        std::filesystem::remove_all(name);
        row.plant();
        const bool planted =
            std::filesystem::symlink_status(name).type() != std::filesystem::file_type::not_found;
        int handle = -1;
        std::string created;
        ASSERT_EQ(files.createNew(name, folder.file("none.fig"), handle, created), 0);
        EXPECT_EQ(files.write(handle, "10\r\n", 4), 0);
        EXPECT_EQ(files.close(handle), 0);
        if (planted) {
            EXPECT_NE(created, name);
            EXPECT_EQ(created.rfind(name + ".", 0), 0u) << created;
            EXPECT_EQ(created.size(), name.size() + 7);
        } else {
            EXPECT_EQ(created, name);
        }
        EXPECT_EQ(ScratchFolder::read(created), "10\r\n");
        EXPECT_EQ(ScratchFolder::read(victim), "precious");
        EXPECT_FALSE(std::filesystem::exists(folder.file("nowhere")));
        EXPECT_EQ(ModeOf(created), NewFileMode());
        std::filesystem::remove(created);
    }
}

TEST(PlatformFile, ANewFileTakesThePermissionBitsOfTheFileItIsLike) {
    ScratchFolder folder;
    FileSystem& files = SystemFiles();
    const std::string like = folder.write("nestora.fig", "10\r\n");
    const std::string linked = folder.file("linked.fig");
    std::filesystem::create_symlink(like, linked);
    // Each kept as it is, wider or narrower than what a new file gets.
    for (const std::uint32_t mode : {0600u, 0640u, 0644u, 0604u, 0664u, 0666u, 0200u}) {
        for (const std::string& from : {like, linked}) {
            SCOPED_TRACE(::testing::Message() << std::oct << mode << " from " << from);
            ASSERT_EQ(::chmod(like.c_str(), mode), 0);
            int handle = -1;
            std::string created;
            ASSERT_EQ(files.createNew(folder.file("nestora.fig.new"), from, handle, created), 0);
            EXPECT_EQ(files.close(handle), 0);
            EXPECT_EQ(ModeOf(created), mode);
            std::filesystem::remove(created);
        }
    }
    // The set-user-ID and sticky bits are no permission of the new file's.
    ASSERT_EQ(::chmod(like.c_str(), 04644 | 01000), 0);
    int handle = -1;
    std::string created;
    ASSERT_EQ(files.createNew(folder.file("nestora.fig.new"), like, handle, created), 0);
    EXPECT_EQ(files.close(handle), 0);
    EXPECT_EQ(ModeOf(created), 0644u);
}

TEST(PlatformFile, CreatingInAMissingFolderGivesItsCode) {
    ScratchFolder folder;
    int handle = 1234;
    std::string created = "unchanged";
    EXPECT_EQ(
        SystemFiles().createNew(folder.file("gone/x.new"), folder.file("gone/x"), handle, created),
        3);
    EXPECT_EQ(handle, -1);
    EXPECT_EQ(created, "unchanged");
}

TEST(PlatformFile, MakesMissingFoldersOwnerOnlyAndLeavesOthersAsTheyAre) {
    ScratchFolder folder;
    FileSystem& files = SystemFiles();
    std::filesystem::create_directory(folder.file("a"));
    ASSERT_EQ(::chmod(folder.file("a").c_str(), 0755), 0);
    EXPECT_EQ(files.makeFolders(folder.file("a/b/c")), 0);
    EXPECT_EQ(ModeOf(folder.file("a")), 0755u);
    EXPECT_EQ(ModeOf(folder.file("a/b")), 0700u);
    EXPECT_EQ(ModeOf(folder.file("a/b/c")), 0700u);
    EXPECT_EQ(files.makeFolders(folder.file("a/b/c")), 0) << "already there";
    EXPECT_EQ(files.makeFolders(folder.file("a/b/c/")), 0);

    // A file in the way is left for the save to meet.
    folder.write("plain", "x");
    EXPECT_EQ(files.makeFolders(folder.file("plain")), 0);
    EXPECT_EQ(files.makeFolders(folder.file("plain/sub")), 3);
    EXPECT_EQ(ScratchFolder::read(folder.file("plain")), "x");
}

TEST(PlatformFile, MayCreateAFileWhereItsFolderExists) {
    ScratchFolder folder;
    FileSystem& files = SystemFiles();
    folder.write("plain", "x");
    EXPECT_TRUE(files.mayCreate(folder.file("new.fig")));
    EXPECT_FALSE(files.mayCreate(folder.file("gone/new.fig")));
    EXPECT_FALSE(files.mayCreate(folder.file("plain/new.fig")));
}

TEST(PlatformFile, MayNotCreateAFileInAReadOnlyFolder) {
    if (::geteuid() == 0) GTEST_SKIP() << "root may create files in a read-only folder";
    ScratchFolder folder;
    ASSERT_EQ(::chmod(folder.path().c_str(), 0555), 0);
    EXPECT_FALSE(SystemFiles().mayCreate(folder.file("new.fig")));
    ASSERT_EQ(::chmod(folder.path().c_str(), 0755), 0);
}

TEST(FailingFiles, FailsTheChosenCallOfItsKindOnly) {
    ScratchFolder folder;
    const std::string path = folder.file("f");
    FailingFiles files;
    files.failAt(FileCall::Write, 2, 112);
    int handle = -1;
    ASSERT_EQ(files.openWrite(path, handle), 0);
    EXPECT_EQ(files.write(handle, "a", 1), 0);
    EXPECT_FALSE(files.failed());
    EXPECT_EQ(files.write(handle, "b", 1), 112);
    EXPECT_TRUE(files.failed());
    EXPECT_EQ(files.write(handle, "c", 1), 0);
    EXPECT_EQ(files.close(handle), 0);
    EXPECT_EQ(ScratchFolder::read(path), "ac");  // the failed call never reached the file
    EXPECT_EQ(files.calls(FileCall::Write), 3);
    EXPECT_EQ(files.calls(FileCall::Open), 1);
    EXPECT_EQ(files.totalCalls(), 5);

    // A failing close still releases the handle, and andLater keeps failing.
    files.failAt(FileCall::Close, 2, 10005, true);
    ASSERT_EQ(files.openRead(path, handle), 0);
    EXPECT_EQ(files.close(handle), 10005);
    EXPECT_EQ(::fcntl(handle, F_GETFD), -1);
    ASSERT_EQ(files.openRead(path, handle), 0);
    EXPECT_EQ(files.close(handle), 10005);
}

}  // namespace
}  // namespace nestora::testing
