// SPDX-License-Identifier: MIT
#include "settings/settings_location.h"

#ifdef _WIN32
#include <windows.h>

#include "number/platform_file_win32.h"
#else
#include <pwd.h>
#include <unistd.h>
#endif

#include <cstdlib>
#include <vector>

#include "number/errors.h"

namespace nestora {
namespace {

std::optional<std::string> Variable(const char* name) {
#ifdef _WIN32
    // Windows keeps the environment in wide characters: read that way, a
    // folder name outside the ANSI code page arrives whole, as UTF-8.
    const std::wstring wide = WidePath(name);
    const DWORD size = ::GetEnvironmentVariableW(wide.c_str(), nullptr, 0);
    if (size == 0) return std::nullopt;
    std::wstring value(size, L'\0');
    value.resize(::GetEnvironmentVariableW(wide.c_str(), value.data(), size));
    return Utf8Path(value);
#else
    const char* value = std::getenv(name);
    if (value == nullptr) return std::nullopt;
    return std::string(value);
#endif
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

// "C:\Users\me\AppData\Roaming", "C:/...", or a share's "\\server\..."
bool IsWindowsAbsolute(const std::optional<std::string>& path) {
    if (!path.has_value() || path->size() < 3) return false;
    const std::string& p = *path;
    const bool drive = ((p[0] >= 'A' && p[0] <= 'Z') || (p[0] >= 'a' && p[0] <= 'z')) &&
                       p[1] == ':' && (p[2] == '\\' || p[2] == '/');
    return drive || (p[0] == '\\' && p[1] == '\\');
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
#ifdef _WIN32
    homes.appData = Variable("APPDATA");
#endif
    if (!IsAbsolute(homes.home)) homes.accountHome = AccountHome();
    return homes;
}

SettingsLocation ChooseSettingsLocation(const std::string& executablePath, const HomeFolders& homes,
                                        FileSystem& files) {
    const std::string beside = SettingsPath(executablePath);
    if (files.exists(beside) || files.mayCreate(beside)) return {beside, {}};
    if (IsWindowsAbsolute(homes.appData)) {
        std::string parent = *homes.appData;
        while (parent.size() > 3 && (parent.back() == '\\' || parent.back() == '/'))
            parent.pop_back();
        const char* separator = parent.back() == '\\' || parent.back() == '/' ? "" : "\\";
        const std::string folder = parent + separator + "Nestora";
        return {folder + "\\nestora.fig", folder};
    }
    const auto config = ConfigFolder(homes);
    if (!config) return {beside, {}};
    const std::string folder = *config + "/nestora";
    return {folder + "/nestora.fig", folder};
}

void SaveSettings(const Planner& planner, const WindowPlace& window,
                  const SettingsLocation& location, FileSystem& files,
                  const std::string& keepOldAs) {
    if (!location.folder.empty()) {
        if (const auto code = files.makeFolders(location.folder)) throw EInOutError(code);
    }
    writecfg(planner, window, location.path, files, keepOldAs);
}

}  // namespace nestora
