// SPDX-License-Identifier: MIT
// Built on Windows in place of platform_file.cpp (see number/CMakeLists.txt).
#include "number/platform_file_win32.h"

#include <windows.h>

#include "number/name_suffix.h"
#include "number/platform_file.h"

namespace nestora {
namespace {

// Kernel handles fit in 32 bits on 64-bit Windows, which keeps them so that
// 32-bit programs can share them; HandleToLong and LongToHandle are the
// documented way to carry one in an int.
int toInt(HANDLE handle) { return static_cast<int>(HandleToLong(handle)); }
HANDLE toHandle(int handle) { return LongToHandle(handle); }

std::int32_t lastError() { return IOCodeFromWin32Error(::GetLastError()); }

bool isFolder(const std::string& path) {
    const DWORD attributes = ::GetFileAttributesW(WidePath(path).c_str());
    return attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_DIRECTORY) != 0;
}

// The folder that holds `path`: everything before its last "\\" or "/", "."
// for a bare name.
std::string folderOf(const std::string& path) {
    const auto slash = path.find_last_of("\\/");
    if (slash == std::string::npos) return ".";
    if (slash == 0 || (slash == 2 && path[1] == ':')) return path.substr(0, slash + 1);
    return path.substr(0, slash);
}

class Win32Files final : public FileSystem {
  public:
    std::int32_t openRead(const std::string& path, int& handle) override {
        if (const auto code = open(path, GENERIC_READ, FILE_SHARE_READ, OPEN_EXISTING, handle))
            return code;
        // Only a file on a disk of a sensible size is read: a named pipe or
        // a console could wait forever, a device may never end.
        const HANDLE h = toHandle(handle);
        LARGE_INTEGER size{};
        std::int32_t refused = 0;
        if (::GetFileType(h) != FILE_TYPE_DISK)
            refused = NotAFileCode;
        else if (!::GetFileSizeEx(h, &size))
            refused = lastError();
        else if (size.QuadPart > MaxReadSize)
            refused = TooLargeCode;
        if (refused != 0) {
            ::CloseHandle(h);
            handle = -1;
        }
        return refused;
    }

    std::int32_t openWrite(const std::string& path, int& handle) override {
        // Other programs may read what is being written, as on Linux.
        return open(path, GENERIC_WRITE, FILE_SHARE_READ, CREATE_ALWAYS, handle);
    }

    std::int32_t createNew(const std::string& name, const std::string& /*like*/, int& handle,
                           std::string& created) override {
        // CREATE_NEW fails on any name that is taken, and a file made this way
        // inherits its folder's access list, which is what Windows gives
        // every new file; there are no permission bits to copy.
        handle = -1;
        std::string candidate = name;
        for (int attempt = 0;; ++attempt) {
            const HANDLE h =
                ::CreateFileW(WidePath(candidate).c_str(), GENERIC_WRITE, FILE_SHARE_READ, nullptr,
                              CREATE_NEW, FILE_ATTRIBUTE_NORMAL, nullptr);
            if (h != INVALID_HANDLE_VALUE) {
                handle = toInt(h);
                created = candidate;
                return 0;
            }
            const DWORD error = ::GetLastError();
            const bool taken = error == ERROR_FILE_EXISTS || error == ERROR_ALREADY_EXISTS ||
                               (error == ERROR_ACCESS_DENIED && isFolder(candidate));
            if (!taken || attempt == 100) return IOCodeFromWin32Error(error);
            candidate = name + "." + NameSuffix();
        }
    }

    std::int32_t read(int handle, char* buffer, std::size_t size, std::size_t& got) override {
        got = 0;
        DWORD n = 0;
        const auto asked = static_cast<DWORD>(size > 0x40000000u ? 0x40000000u : size);
        if (!::ReadFile(toHandle(handle), buffer, asked, &n, nullptr)) return lastError();
        got = n;
        return 0;
    }

    std::int32_t write(int handle, const char* buffer, std::size_t size) override {
        while (size > 0) {
            DWORD n = 0;
            const auto chunk = static_cast<DWORD>(size > 0x40000000u ? 0x40000000u : size);
            if (!::WriteFile(toHandle(handle), buffer, chunk, &n, nullptr)) return lastError();
            if (n == 0) return IOCodeFromWin32Error(ERROR_DISK_FULL);
            buffer += n;
            size -= n;
        }
        return 0;
    }

    std::int32_t syncToDisk(int handle) override {
        if (::FlushFileBuffers(toHandle(handle))) return 0;
        return lastError();
    }

    std::int32_t close(int handle) override {
        if (::CloseHandle(toHandle(handle))) return 0;
        return lastError();
    }

    bool exists(const std::string& path) override {
        const DWORD attributes = ::GetFileAttributesW(WidePath(path).c_str());
        return attributes != INVALID_FILE_ATTRIBUTES &&
               (attributes & FILE_ATTRIBUTE_DIRECTORY) == 0;
    }

    bool mayCreate(const std::string& path) override {
        // Asked the way the system answers it: by creating a file there and
        // removing it again.
        const std::string probe = folderOf(path) + "\\nestora-probe." + NameSuffix();
        const std::wstring wide = WidePath(probe);
        const HANDLE h =
            ::CreateFileW(wide.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_NEW,
                          FILE_ATTRIBUTE_TEMPORARY | FILE_FLAG_DELETE_ON_CLOSE, nullptr);
        if (h == INVALID_HANDLE_VALUE) return false;
        ::CloseHandle(h);
        return true;
    }

    std::int32_t makeFolders(const std::string& folder) override {
        if (folder.empty() || isFolder(folder)) return 0;
        if (::CreateDirectoryW(WidePath(folder).c_str(), nullptr)) return 0;
        DWORD error = ::GetLastError();
        if (error == ERROR_ALREADY_EXISTS) return 0;
        if (error != ERROR_PATH_NOT_FOUND) return IOCodeFromWin32Error(error);
        const std::string parent = folderOf(folder);
        if (parent.size() >= folder.size()) return IOCodeFromWin32Error(error);
        if (const auto code = makeFolders(parent)) return code;
        if (::CreateDirectoryW(WidePath(folder).c_str(), nullptr)) return 0;
        error = ::GetLastError();
        return error == ERROR_ALREADY_EXISTS ? 0 : IOCodeFromWin32Error(error);
    }

    std::int32_t checkReplaceable(const std::string& path) override {
        const std::wstring wide = WidePath(path);
        const DWORD attributes = ::GetFileAttributesW(wide.c_str());
        if (attributes == INVALID_FILE_ATTRIBUTES) {
            const DWORD error = ::GetLastError();
            // Nothing there: the open that makes the file reports a bad folder.
            if (error == ERROR_FILE_NOT_FOUND || error == ERROR_PATH_NOT_FOUND) return 0;
            return IOCodeFromWin32Error(error);
        }
        if ((attributes & (FILE_ATTRIBUTE_DIRECTORY | FILE_ATTRIBUTE_READONLY)) != 0)
            return IOCodeFromWin32Error(ERROR_ACCESS_DENIED);
        // The open asks the system with every rule it has (access lists, a
        // file another program holds); OPEN_EXISTING keeps the contents.
        const HANDLE h = ::CreateFileW(wide.c_str(), GENERIC_WRITE,
                                       FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE,
                                       nullptr, OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr);
        if (h == INVALID_HANDLE_VALUE) return lastError();
        ::CloseHandle(h);
        return 0;
    }

    std::int32_t replace(const std::string& from, const std::string& to) override {
        // One step, and not reported done before the new name is on the disk.
        if (::MoveFileExW(WidePath(from).c_str(), WidePath(to).c_str(),
                          MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH))
            return 0;
        return lastError();
    }

    std::int32_t remove(const std::string& path) override {
        if (::DeleteFileW(WidePath(path).c_str())) return 0;
        return lastError();
    }

  private:
    static std::int32_t open(const std::string& path, DWORD access, DWORD share, DWORD creation,
                             int& handle) {
        handle = -1;
        if (path.empty()) return IOCodeFromWin32Error(ERROR_PATH_NOT_FOUND);
        const HANDLE h = ::CreateFileW(WidePath(path).c_str(), access, share, nullptr, creation,
                                       FILE_ATTRIBUTE_NORMAL, nullptr);
        if (h == INVALID_HANDLE_VALUE) return lastError();
        handle = toInt(h);
        return 0;
    }
};

}  // namespace

FileSystem& SystemFiles() {
    static Win32Files files;
    return files;
}

std::wstring WidePath(const std::string& path) {
    if (path.empty()) return {};
    const int size =
        ::MultiByteToWideChar(CP_UTF8, 0, path.data(), static_cast<int>(path.size()), nullptr, 0);
    std::wstring wide(static_cast<std::size_t>(size), L'\0');
    ::MultiByteToWideChar(CP_UTF8, 0, path.data(), static_cast<int>(path.size()), wide.data(),
                          size);
    return wide;
}

std::string Utf8Path(const std::wstring& path) {
    if (path.empty()) return {};
    const int size = ::WideCharToMultiByte(CP_UTF8, 0, path.data(), static_cast<int>(path.size()),
                                           nullptr, 0, nullptr, nullptr);
    std::string text(static_cast<std::size_t>(size), '\0');
    ::WideCharToMultiByte(CP_UTF8, 0, path.data(), static_cast<int>(path.size()), text.data(), size,
                          nullptr, nullptr);
    return text;
}

std::int32_t IOCodeFromWin32Error(unsigned long error) {
    switch (error) {
        case ERROR_SUCCESS:
            return 0;
        case ERROR_FILE_NOT_FOUND:
            return 2;
        case ERROR_PATH_NOT_FOUND:
        case ERROR_INVALID_NAME:
        case ERROR_BAD_PATHNAME:
        case ERROR_DIRECTORY:
        case ERROR_FILENAME_EXCED_RANGE:
        case ERROR_INVALID_DRIVE:
        case ERROR_BAD_NETPATH:
            return 3;
        case ERROR_TOO_MANY_OPEN_FILES:
            return 4;
        case ERROR_ACCESS_DENIED:
        case ERROR_SHARING_VIOLATION:
        case ERROR_LOCK_VIOLATION:
        case ERROR_WRITE_PROTECT:
            return 5;
        case ERROR_DISK_FULL:
        case ERROR_HANDLE_DISK_FULL:
            return 112;
        default:
            return static_cast<std::int32_t>(10000 + error);
    }
}

}  // namespace nestora
