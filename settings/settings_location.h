// SPDX-License-Identifier: MIT
// Which settings file the program uses, decided once at start-up:
//  1. the file beside the program (SettingsPath) when it exists, so that a
//     copy carried around with its settings keeps them;
//  2. otherwise that same path when the user may create files in the
//     program's folder (a build folder, a copy in a folder of the user's);
//  3. otherwise the per-user file $XDG_CONFIG_HOME/nestora/nestora.fig, or
//     ~/.config/nestora/nestora.fig when that variable is unset, empty or not
//     an absolute path, as for a program installed in a system folder; on
//     Windows, %APPDATA%\Nestora\nestora.fig.
// A save into the per-user folder first makes the folder when it is missing.
#pragma once

#include <optional>
#include <string>

#include "number/platform_file.h"
#include "projection/planner.h"
#include "settings/settings_file.h"

namespace nestora {

// What the choice reads of the environment, given as an input so that it can
// be tried without touching the process's own environment.
struct HomeFolders {
    std::optional<std::string> xdgConfigHome;  // $XDG_CONFIG_HOME
    std::optional<std::string> home;           // $HOME
    // The home folder the user database gives, for a HOME that is unset or
    // not an absolute path.
    std::optional<std::string> accountHome;
    // %APPDATA%, the user's folder for programs' settings on Windows (only
    // Windows names one); when it holds an absolute path it is the per-user
    // folder's parent, whatever the other three say.
    std::optional<std::string> appData{};
};

// The process's environment and its user's entry in the user database.
HomeFolders ProcessHomeFolders();

struct SettingsLocation {
    std::string path;
    // The per-user folder that a save makes when it is missing; empty for the
    // file beside the program, whose folder is never made.
    std::string folder;
};

// The three steps above. When no per-user folder can be named (no HOME and no
// account), the file beside the program is kept, and saving it reports why it
// cannot be written.
SettingsLocation ChooseSettingsLocation(const std::string& executablePath, const HomeFolders& homes,
                                        FileSystem& files = SystemFiles());

// Makes the location's folder when it names one and it is missing (mode
// 0700), then writecfg. A folder that cannot be made raises EInOutError with
// its code, and nothing is written.
void SaveSettings(const Planner& planner, const WindowPlace& window,
                  const SettingsLocation& location, FileSystem& files = SystemFiles(),
                  const std::string& keepOldAs = {});

}  // namespace nestora
