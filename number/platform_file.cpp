// SPDX-License-Identifier: MIT
#include "number/platform_file.h"

#include <dirent.h>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstdio>
#include <ctime>

#include "number/name_suffix.h"

namespace nestora {
namespace {

bool isFolder(const std::string& path) {
    struct stat info {};
    return ::stat(path.c_str(), &info) == 0 && S_ISDIR(info.st_mode);
}

// The folder that holds `path`: everything before its last "/", "/" for a
// file in the root, "." for a bare name.
std::string folderOf(const std::string& path) {
    const auto slash = path.find_last_of('/');
    if (slash == std::string::npos) return ".";
    if (slash == 0) return "/";
    return path.substr(0, slash);
}

// When the program started, to the second: files of its own changed before
// then were left by an earlier run.
const std::time_t ProgramStarted = std::time(nullptr);

// createNew's names for `base`: base itself, or base "." and six lower-case
// letters or digits.
bool IsNewFileName(const std::string& entry, const std::string& base) {
    if (entry == base) return true;
    if (entry.size() != base.size() + 7 || entry.compare(0, base.size(), base) != 0 ||
        entry[base.size()] != '.')
        return false;
    for (std::size_t k = base.size() + 1; k < entry.size(); ++k) {
        const char c = entry[k];
        if (!((c >= 'a' && c <= 'z') || (c >= '0' && c <= '9'))) return false;
    }
    return true;
}

class PosixFiles final : public FileSystem {
  public:
    std::int32_t openRead(const std::string& path, int& handle) override {
        handle = -1;
        // O_NONBLOCK: opening a pipe with no writer returns at once instead
        // of waiting for one; O_NOCTTY: a terminal never becomes ours.
        const int fd = openRetrying(path, O_RDONLY | O_CLOEXEC | O_NOCTTY | O_NONBLOCK, 0);
        if (fd < 0) return IOCodeFromErrno(errno, path);
        // Only an ordinary file of a sensible size is read: a pipe or a
        // terminal could wait forever, a device such as /dev/zero never ends.
        struct stat info {};
        std::int32_t refused = 0;
        if (::fstat(fd, &info) != 0) {
            refused = IOCodeFromErrno(errno, path);
        } else if (S_ISDIR(info.st_mode)) {
            refused = IOCodeFromErrno(EISDIR, path);
        } else if (!S_ISREG(info.st_mode)) {
            refused = NotAFileCode;
        } else if (info.st_size > MaxReadSize) {
            refused = TooLargeCode;
        } else if (::fcntl(fd, F_SETFL, 0) != 0) {
            refused = IOCodeFromErrno(errno, path);
        }
        if (refused != 0) {
            ::close(fd);
            return refused;
        }
        handle = fd;
        return 0;
    }

    std::int32_t openWrite(const std::string& path, int& handle) override {
        handle = -1;
        const int fd = openRetrying(path, O_WRONLY | O_CREAT | O_TRUNC | O_CLOEXEC, 0666);
        if (fd < 0) return IOCodeFromErrno(errno, path);
        handle = fd;
        return 0;
    }

    std::int32_t createNew(const std::string& name, const std::string& like, int& handle,
                           std::string& created) override {
        handle = -1;
        struct stat old {};
        const bool hasOld = ::stat(like.c_str(), &old) == 0 && S_ISREG(old.st_mode);
        // O_EXCL makes the open fail on any name that is taken, a link
        // included (the link is never followed, whether its target exists or
        // not); O_NOFOLLOW says the same again. Next to an old file the new
        // one starts readable by its owner alone and takes the old one's
        // bits once it is certainly the program's own.
        const int flags = O_WRONLY | O_CREAT | O_EXCL | O_NOFOLLOW | O_CLOEXEC | O_NOCTTY;
        std::string candidate = name;
        int fd = -1;
        for (int attempt = 0;; ++attempt) {
            fd = openRetrying(candidate, flags, hasOld ? 0600 : 0666);
            if (fd >= 0) break;
            // Taken names are skipped; after a hundred, something is wrong.
            if (errno != EEXIST || attempt == 100) return IOCodeFromErrno(errno, candidate);
            candidate = name + "." + NameSuffix();
        }
        if (hasOld && ::fchmod(fd, old.st_mode & 0777) != 0) {
            const int error = errno;
            ::close(fd);
            ::unlink(candidate.c_str());
            return IOCodeFromErrno(error, candidate);
        }
        handle = fd;
        created = candidate;
        return 0;
    }

    std::int32_t read(int handle, char* buffer, std::size_t size, std::size_t& got) override {
        got = 0;
        for (;;) {
            const ssize_t n = ::read(handle, buffer, size);
            if (n >= 0) {
                got = static_cast<std::size_t>(n);
                return 0;
            }
            if (errno != EINTR) return IOCodeFromErrno(errno, {});
        }
    }

    std::int32_t write(int handle, const char* buffer, std::size_t size) override {
        while (size > 0) {
            const ssize_t n = ::write(handle, buffer, size);
            if (n < 0) {
                if (errno == EINTR) continue;
                return IOCodeFromErrno(errno, {});
            }
            // A regular file takes no bytes only when it cannot take any more.
            if (n == 0) return IOCodeFromErrno(ENOSPC, {});
            buffer += n;
            size -= static_cast<std::size_t>(n);
        }
        return 0;
    }

    std::int32_t syncToDisk(int handle) override {
        for (;;) {
            if (::fsync(handle) == 0) return 0;
            // Pipes and character devices keep nothing to wait for.
            if (errno == EINVAL) return 0;
            if (errno != EINTR) return IOCodeFromErrno(errno, {});
        }
    }

    std::int32_t close(int handle) override {
        // Linux releases the descriptor even when close is interrupted, so it
        // is never retried: a second close could hit a descriptor that another
        // open has reused meanwhile.
        if (::close(handle) == 0 || errno == EINTR) return 0;
        return IOCodeFromErrno(errno, {});
    }

    bool exists(const std::string& path) override {
        struct stat info {};
        return ::stat(path.c_str(), &info) == 0 && !S_ISDIR(info.st_mode);
    }

    bool mayCreate(const std::string& path) override {
        const std::string folder = folderOf(path);
        return isFolder(folder) && ::access(folder.c_str(), W_OK | X_OK) == 0;
    }

    std::int32_t makeFolders(const std::string& folder) override {
        if (folder.empty() || isFolder(folder)) return 0;
        if (::mkdir(folder.c_str(), 0700) == 0) return 0;
        // Something else in the folder's place: the save that follows meets
        // it and reports it as it would without this step.
        if (errno == EEXIST) return 0;
        if (errno != ENOENT) return IOCodeFromErrno(errno, folder);
        const std::string parent = folderOf(folder);
        if (parent.size() >= folder.size()) return IOCodeFromErrno(ENOENT, folder);
        if (const auto code = makeFolders(parent)) return code;
        if (::mkdir(folder.c_str(), 0700) == 0 || errno == EEXIST) return 0;
        return IOCodeFromErrno(errno, folder);
    }

    std::int32_t checkReplaceable(const std::string& path) override {
        struct stat info {};
        if (::stat(path.c_str(), &info) != 0)
            return errno == ENOENT ? 0 : IOCodeFromErrno(errno, path);
        if (S_ISDIR(info.st_mode)) return IOCodeFromErrno(EISDIR, path);
        if ((info.st_mode & (S_IWUSR | S_IWGRP | S_IWOTH)) == 0)
            return IOCodeFromErrno(EACCES, path);
        // The open asks the system the question with every rule it has (owner,
        // access lists, a read-only mount); O_TRUNC is left out so that the
        // file keeps its contents.
        const int fd = openRetrying(path, O_WRONLY | O_CLOEXEC | O_NOCTTY | O_NONBLOCK, 0);
        if (fd < 0) return IOCodeFromErrno(errno, path);
        ::close(fd);
        return 0;
    }

    std::int32_t replace(const std::string& from, const std::string& to) override {
        if (::rename(from.c_str(), to.c_str()) == 0) return 0;
        return IOCodeFromErrno(errno, to);
    }

    std::int32_t remove(const std::string& path) override {
        if (::unlink(path.c_str()) == 0) return 0;
        return IOCodeFromErrno(errno, path);
    }

    // A second name for the same file, then renamed into place: nothing is
    // read, so a file that could not be read is kept too. Where the file
    // system has no links, the copy of FileSystem does it.
    std::int32_t keepAs(const std::string& from, const std::string& to) override {
        std::string link;
        for (int attempt = 0; attempt <= 100; ++attempt) {
            link = to + ".new." + NameSuffix();
            if (::link(from.c_str(), link.c_str()) == 0) break;
            if (errno == EPERM || errno == EXDEV || errno == EMLINK || errno == ENOTSUP)
                return FileSystem::keepAs(from, to);
            if (errno != EEXIST || attempt == 100) return IOCodeFromErrno(errno, from);
        }
        if (::rename(link.c_str(), to.c_str()) == 0) return 0;
        const int error = errno;
        ::unlink(link.c_str());
        return IOCodeFromErrno(error, to);
    }

    void removeLeftovers(const std::string& name) override {
        const std::string folder = folderOf(name);
        const auto slash = name.find_last_of('/');
        const std::string base = slash == std::string::npos ? name : name.substr(slash + 1);
        DIR* entries = ::opendir(folder.c_str());
        if (entries == nullptr) return;
        while (const dirent* entry = ::readdir(entries)) {
            if (!IsNewFileName(entry->d_name, base)) continue;
            struct stat info {};
            // lstat: a link under such a name is someone else's, never followed.
            if (::fstatat(::dirfd(entries), entry->d_name, &info, AT_SYMLINK_NOFOLLOW) != 0 ||
                !S_ISREG(info.st_mode) || info.st_uid != ::getuid() ||
                info.st_mtime >= ProgramStarted)
                continue;
            ::unlinkat(::dirfd(entries), entry->d_name, 0);
        }
        ::closedir(entries);
    }

  private:
    static int openRetrying(const std::string& path, int flags, mode_t mode) {
        for (;;) {
            const int fd = ::open(path.c_str(), flags, mode);
            if (fd >= 0 || errno != EINTR) return fd;
        }
    }
};

}  // namespace

FileSystem& SystemFiles() {
    static PosixFiles files;
    return files;
}

std::int32_t IOCodeFromErrno(int error, const std::string& path) {
    switch (error) {
        case 0:
            return 0;
        case ENOENT:
            // The file is missing (2) when its folder is there; otherwise the
            // name leads nowhere (3). An empty name is no name at all.
            return !path.empty() && isFolder(folderOf(path)) ? 2 : 3;
        case ENOTDIR:
        case ENAMETOOLONG:
            return 3;
        case EMFILE:
        case ENFILE:
            return 4;
        case EACCES:
        case EPERM:
        case EISDIR:
        case EROFS:
        case ETXTBSY:
            return 5;
        case ENOSPC:
        case EDQUOT:
            return 112;
        default:
            return 10000 + error;
    }
}

}  // namespace nestora
