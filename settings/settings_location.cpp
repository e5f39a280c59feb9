// SPDX-License-Identifier: MIT
#include "settings/settings_location.h"

#ifndef _WIN32
#include <pwd.h>
#include <unistd.h>
#endif

#include <cstdlib>
#include <vector>

#include "number/errors.h"

namespace nestora {
namespace {

std::optional<std::string> Variable(const char* name) {
    const char* value = std::getenv(name);
    if (value == nullptr) return std::nullopt;
    return std::string(value);
}

std::optional<std::string> AccountHome() {
#ifdef _WIN32
    return std::nullopt;  // Windows keeps no user database of home folders
#else
    const long size = ::sysconf(_SC_GETPW_R_SIZE_MAX);
    std::vector<char> buffer(size > 0 ? static_cast<std::size_t>(size) : 16384);
    struct passwd entry {};
    struct passwd* found = nullptr;
    if (::getpwuid_r(::getuid(), &entry, buffer.data(), buffer.size(), &found) != 0 ||
        found == nullptr || found->pw_dir == nullptr)
        return std::nullopt;
    return std::string(found->pw_dir);
#endif
}

// Only an absolute path names a folder here: a relative one would depend on
// the folder the program happens to be started from.
bool IsAbsolute(const std::optional<std::string>& path) {
    return path.has_value() && !path->empty() && path->front() == '/';
}

// "/home/me/" and "/home/me" name the same folder.
std::string WithoutTrailingSlashes(std::string path) {
    while (path.size() > 1 && path.back() == '/') path.pop_back();
    return path;
}

// The folder for per-user configuration, or nothing when none can be named.
std::optional<std::string> ConfigFolder(const HomeFolders& homes) {
    if (IsAbsolute(homes.xdgConfigHome)) return WithoutTrailingSlashes(*homes.xdgConfigHome);
    for (const auto* home : {&homes.home, &homes.accountHome}) {
        if (IsAbsolute(*home)) {
            const std::string folder = WithoutTrailingSlashes(**home);
            return (folder == "/" ? "" : folder) + "/.config";
        }
    }
    return std::nullopt;
}

}  // namespace

HomeFolders ProcessHomeFolders() {
    HomeFolders homes{Variable("XDG_CONFIG_HOME"), Variable("HOME"), std::nullopt};
    if (!IsAbsolute(homes.home)) homes.accountHome = AccountHome();
    return homes;
}

SettingsLocation ChooseSettingsLocation(const std::string& executablePath, const HomeFolders& homes,
                                        FileSystem& files) {
    const std::string beside = SettingsPath(executablePath);
    if (files.exists(beside) || files.mayCreate(beside)) return {beside, {}};
    const auto config = ConfigFolder(homes);
    if (!config) return {beside, {}};
    const std::string folder = *config + "/nestora";
    return {folder + "/nestora.fig", folder};
}

void SaveSettings(const Planner& planner, const WindowPlace& window,
                  const SettingsLocation& location, FileSystem& files) {
    if (!location.folder.empty()) {
        if (const auto code = files.makeFolders(location.folder)) throw EInOutError(code);
    }
    writecfg(planner, window, location.path, files);
}

}  // namespace nestora
