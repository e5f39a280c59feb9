// SPDX-License-Identifier: MIT
// Which settings file the program uses, and the per-user folder a save makes.
#include <gtest/gtest.h>
#include <pwd.h>
#include <sys/stat.h>
#include <unistd.h>

#include <filesystem>
#include <set>
#include <string>
#include <vector>

#include "settings/settings_location.h"
#include "settings_test_support.h"
#include "support/failing_files.h"
#include "support/scoped_environment.h"

namespace nestora::testing {
namespace {

// Answers the two questions the choice asks from lists; nothing else is used.
class AnsweringFiles final : public FileSystem {
  public:
    std::set<std::string> existing;   // files that exist
    std::set<std::string> creatable;  // paths the user may create

    bool exists(const std::string& path) override { return existing.count(path) > 0; }
    bool mayCreate(const std::string& path) override { return creatable.count(path) > 0; }

    std::int32_t openRead(const std::string&, int&) override { return Unused(); }
    std::int32_t openWrite(const std::string&, int&) override { return Unused(); }
    std::int32_t createNew(const std::string&, const std::string&, int&, std::string&) override {
        return Unused();
    }
    std::int32_t read(int, char*, std::size_t, std::size_t&) override { return Unused(); }
    std::int32_t write(int, const char*, std::size_t) override { return Unused(); }
    std::int32_t syncToDisk(int) override { return Unused(); }
    std::int32_t close(int) override { return Unused(); }
    std::int32_t makeFolders(const std::string&) override { return Unused(); }
    std::int32_t checkReplaceable(const std::string&) override { return Unused(); }
    std::int32_t replace(const std::string&, const std::string&) override { return Unused(); }
    std::int32_t remove(const std::string&) override { return Unused(); }

  private:
    static std::int32_t Unused() {
        ADD_FAILURE() << "the choice of the settings file touched a file";
        return 5;
    }
};

const std::string Program = "/usr/bin/nestora";
const std::string Beside = "/usr/bin/nestora.fig";

struct LocationCase {
    const char* what;
    bool besideExists;
    bool folderWritable;
    HomeFolders homes;
    SettingsLocation chosen;
};

// Where the file is kept for each answer to "is it there", "may it be made"
// and each set of home folders.
std::vector<LocationCase> LocationCases() {
    const std::optional<std::string> unset;
    return {
        {"a file beside the program is used as it is, even in a folder not writable",
         true,
         false,
         {"/x/cfg", "/home/me", unset},
         {Beside, ""}},
        {"a writable folder keeps the file beside the program",
         false,
         true,
         {"/x/cfg", "/home/me", unset},
         {Beside, ""}},
        {"both", true, true, {unset, "/home/me", unset}, {Beside, ""}},
        {"an installed program: XDG_CONFIG_HOME",
         false,
         false,
         {"/x/cfg", "/home/me", unset},
         {"/x/cfg/nestora/nestora.fig", "/x/cfg/nestora"}},
        {"XDG_CONFIG_HOME with a trailing slash",
         false,
         false,
         {"/x/cfg/", "/home/me", unset},
         {"/x/cfg/nestora/nestora.fig", "/x/cfg/nestora"}},
        {"XDG_CONFIG_HOME unset: ~/.config",
         false,
         false,
         {unset, "/home/me", unset},
         {"/home/me/.config/nestora/nestora.fig", "/home/me/.config/nestora"}},
        {"XDG_CONFIG_HOME empty counts as unset",
         false,
         false,
         {"", "/home/me", unset},
         {"/home/me/.config/nestora/nestora.fig", "/home/me/.config/nestora"}},
        {"XDG_CONFIG_HOME relative is ignored",
         false,
         false,
         {"cfg", "/home/me/", unset},
         {"/home/me/.config/nestora/nestora.fig", "/home/me/.config/nestora"}},
        {"HOME unset: the account's home folder",
         false,
         false,
         {unset, unset, "/home/acct"},
         {"/home/acct/.config/nestora/nestora.fig", "/home/acct/.config/nestora"}},
        {"HOME relative: the account's home folder",
         false,
         false,
         {unset, "me", "/home/acct"},
         {"/home/acct/.config/nestora/nestora.fig", "/home/acct/.config/nestora"}},
        {"HOME unset needs no home when XDG_CONFIG_HOME is absolute",
         false,
         false,
         {"/x/cfg", unset, unset},
         {"/x/cfg/nestora/nestora.fig", "/x/cfg/nestora"}},
        {"a home of / is no reason for a double slash",
         false,
         false,
         {unset, "/", unset},
         {"/.config/nestora/nestora.fig", "/.config/nestora"}},
        {"no home at all: beside the program, whose save then says why it fails",
         false,
         false,
         {unset, unset, unset},
         {Beside, ""}},
        {"Windows: %APPDATA%\\Nestora, whatever the XDG folders say",
         false,
         false,
         {"/x/cfg", "/home/me", unset, R"(C:\Users\Zoë\AppData\Roaming)"},
         {R"(C:\Users\Zoë\AppData\Roaming\Nestora\nestora.fig)",
          R"(C:\Users\Zoë\AppData\Roaming\Nestora)"}},
        {"Windows: a trailing separator and forward slashes",
         false,
         false,
         {unset, unset, unset, "D:/Profiles/me/"},
         {R"(D:/Profiles/me\Nestora\nestora.fig)", R"(D:/Profiles/me\Nestora)"}},
        {"Windows: a drive's root",
         false,
         false,
         {unset, unset, unset, R"(E:\)"},
         {R"(E:\Nestora\nestora.fig)", R"(E:\Nestora)"}},
        {"Windows: a share",
         false,
         false,
         {unset, unset, unset, R"(\\server\home\me)"},
         {R"(\\server\home\me\Nestora\nestora.fig)", R"(\\server\home\me\Nestora)"}},
        {"Windows: the file beside the program still comes first",
         true,
         false,
         {unset, unset, unset, R"(C:\Users\me\AppData\Roaming)"},
         {Beside, ""}},
        {"Windows: a relative %APPDATA% is ignored",
         false,
         false,
         {unset, "/home/me", unset, "AppData"},
         {"/home/me/.config/nestora/nestora.fig", "/home/me/.config/nestora"}},
    };
}

TEST(SettingsLocation, BesideTheProgramWhenThereOrPossibleElseThePerUserFile) {
    for (const LocationCase& row : LocationCases()) {
        AnsweringFiles files;
        if (row.besideExists) files.existing.insert(Beside);
        if (row.folderWritable) files.creatable.insert(Beside);
        const SettingsLocation got = ChooseSettingsLocation(Program, row.homes, files);
        EXPECT_EQ(got.path, row.chosen.path) << row.what;
        EXPECT_EQ(got.folder, row.chosen.folder) << row.what;
    }
}

// The questions themselves, asked of real folders. Root may create files in
// any folder, so the folder that refuses is shown by permission bits only to
// other users.
TEST(SettingsLocation, RealFoldersAnswerTheQuestions) {
    ScratchFolder folder;
    const std::string program = folder.file("nestora");
    const HomeFolders homes{folder.file("cfg"), std::nullopt, std::nullopt};
    EXPECT_EQ(ChooseSettingsLocation(program, homes).path, folder.file("nestora.fig"));
    EXPECT_EQ(ChooseSettingsLocation(folder.file("gone/nestora"), homes).path,
              folder.file("cfg/nestora/nestora.fig"))
        << "a missing folder cannot take a file";
    std::filesystem::create_directory(folder.file("nestora.fig"));
    EXPECT_EQ(ChooseSettingsLocation(program, homes).path, folder.file("nestora.fig"))
        << "a folder in the file's place counts as absent, and the folder is still writable";
}

TEST(SettingsLocation, AProgramFolderNobodyMayWriteSendsTheFileToTheUsersFolder) {
    if (::geteuid() == 0) GTEST_SKIP() << "root may create files in a read-only folder";
    ScratchFolder folder;
    const HomeFolders homes{folder.file("cfg"), std::nullopt, std::nullopt};
    ASSERT_EQ(::chmod(folder.path().c_str(), 0555), 0);
    EXPECT_EQ(ChooseSettingsLocation(folder.file("nestora"), homes).path,
              folder.file("cfg/nestora/nestora.fig"));
    ASSERT_EQ(::chmod(folder.path().c_str(), 0755), 0);
}

// The environment names the folders; the user database is asked for the
// home folder only where HOME names none.
TEST(SettingsLocation, ProcessHomeFoldersAsksTheUserDatabaseOnlyWithoutAHome) {
    const passwd* account = ::getpwuid(::getuid());
    ASSERT_NE(account, nullptr);
    {
        ScopedEnvironment config("XDG_CONFIG_HOME", "/x/cfg");
        ScopedEnvironment home("HOME", "/home/somebody");
        const HomeFolders homes = ProcessHomeFolders();
        EXPECT_EQ(homes.xdgConfigHome, "/x/cfg");
        EXPECT_EQ(homes.home, "/home/somebody");
        EXPECT_EQ(homes.accountHome, std::nullopt);
    }
    for (const char* home : {static_cast<const char*>(nullptr), "", "relative/home"}) {
        ScopedEnvironment set("HOME", home);
        EXPECT_EQ(ProcessHomeFolders().accountHome, std::string(account->pw_dir))
            << "HOME " << (home != nullptr ? home : "unset");
    }
}

TEST(SettingsLocation, SaveMakesTheMissingPerUserFoldersOwnerOnly) {
    ScratchFolder home;
    const SettingsLocation location{home.file(".config/nestora/nestora.fig"),
                                    home.file(".config/nestora")};
    StartedProgram program;
    program.start(location.path);  // nothing there yet: the first run
    EXPECT_TRUE(program.desktop.calls.empty());
    EXPECT_FALSE(std::filesystem::exists(home.file(".config")));

    program.entry(Entry::Edit1).type("777");
    ASSERT_TRUE(RunCaught(program.desktop, "Nestora",
                          [&] { SaveSettings(program.planner, program.window, location); }));
    for (const char* made : {".config", ".config/nestora"}) {
        struct stat info {};
        ASSERT_EQ(::stat(home.file(made).c_str(), &info), 0) << made;
        EXPECT_EQ(info.st_mode & 0777, 0700u) << made;
    }
    EXPECT_EQ(ScratchFolder::read(location.path).substr(0, 31),
              "10\r\n10\r\n 7.77000000000000E+0002");

    // The next start reads it; the folders, now there, are left as they are.
    ASSERT_EQ(::chmod(home.file(".config").c_str(), 0755), 0);
    StartedProgram again;
    again.start(location.path);
    EXPECT_EQ(again.entry(Entry::Edit1).text(), "777");
    ASSERT_TRUE(RunCaught(again.desktop, "Nestora",
                          [&] { SaveSettings(again.planner, again.window, location); }));
    EXPECT_EQ(std::filesystem::status(home.file(".config")).permissions(),
              std::filesystem::perms(0755));
}

TEST(SettingsLocation, FolderThatCannotBeMadeShowsTheErrorAndWritesNothing) {
    struct Row {
        const char* what;
        std::string blocker;  // a file where a folder should be; empty for none
        int failMake;         // code the folder making fails with; 0 for none
        std::string box;
    };
    const std::vector<Row> rows = {
        {"a full disk", "", 112, "Nestora|I/O error 112."},
        {"a folder made read-only", "", 5, "Nestora|File access denied."},
        {"a file named .config", ".config", 0, "Nestora|Invalid filename."},
    };
    for (const Row& row : rows) {
        ScratchFolder scratch;
        const SettingsLocation location{scratch.file(".config/nestora/nestora.fig"),
                                        scratch.file(".config/nestora")};
        if (!row.blocker.empty()) scratch.write(row.blocker, "x");
        StartedProgram program;
        program.start(location.path);
        FailingFiles files;
        if (row.failMake != 0) files.failAt(FileCall::MakeFolders, 1, row.failMake);
        EXPECT_FALSE(RunCaught(program.desktop, "Nestora", [&] {
            SaveSettings(program.planner, program.window, location, files);
        })) << row.what;
        EXPECT_EQ(program.desktop.errors(), std::vector<std::string>{row.box}) << row.what;
        EXPECT_FALSE(std::filesystem::exists(location.path)) << row.what;
    }
}

}  // namespace
}  // namespace nestora::testing
