// SPDX-License-Identifier: MIT
// The thin layer between the text-file record and the operating system. Every
// call answers with the program's I/O code (0 for success), so that a caller
// never sees errno, and a test can put a failing layer in place of the real
// one to break any single call.
//
// Codes: 2 a missing file, 3 a missing folder on the path or a bad name,
// 4 too many open files, 5 access refused or a folder in the file's place,
// 112 a full disk; any other system error e gives 10000 + e, which no message
// of the program can be mistaken for. Two codes are the program's own, for a
// file it refuses to read because reading it could block or never end:
// 130 something that is not an ordinary file (a pipe, a device, a socket, a
// folder) and 131 a file larger than MaxReadSize.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string>

namespace nestora {

// Every file the program reads is small; a larger one is refused unread.
inline constexpr std::int64_t MaxReadSize = 1 << 20;
inline constexpr std::int32_t NotAFileCode = 130;
inline constexpr std::int32_t TooLargeCode = 131;

class FileSystem {
  public:
    virtual ~FileSystem() = default;

    // Opens an existing file for reading; other programs may read it too.
    // Never blocks: a pipe, a device or a folder is refused with 130 and a
    // file larger than MaxReadSize with 131.
    virtual std::int32_t openRead(const std::string& path, int& handle) = 0;
    // Creates a file, or empties an existing one, for writing.
    virtual std::int32_t openWrite(const std::string& path, int& handle) = 0;
    // Creates a new, empty file for writing, never opening one that is there
    // already and never through a link: named `name`, or, when that name is
    // taken (a file, a folder, a link someone planted), `name` followed by "."
    // and six characters of its own. `created` gets the name it took. The
    // file has the permission bits of the file `like` when there is one
    // (followed if it is a link), otherwise those of any new file (0666 less
    // the umask).
    virtual std::int32_t createNew(const std::string& name, const std::string& like, int& handle,
                                   std::string& created) = 0;
    // Reads up to size bytes; got = 0 at the end of the file.
    virtual std::int32_t read(int handle, char* buffer, std::size_t size, std::size_t& got) = 0;
    // Writes all size bytes or fails.
    virtual std::int32_t write(int handle, const char* buffer, std::size_t size) = 0;
    // Waits until what was written has reached the disk.
    virtual std::int32_t syncToDisk(int handle) = 0;
    virtual std::int32_t close(int handle) = 0;
    // True for an existing file that is not a folder.
    virtual bool exists(const std::string& path) = 0;
    // True when the user may create a file named `path`: its folder exists
    // and lets them add files.
    virtual bool mayCreate(const std::string& path) = 0;
    // Creates `folder` and every missing folder above it, each with mode 0700
    // (owner only); folders that exist are left as they are.
    virtual std::int32_t makeFolders(const std::string& folder) = 0;
    // Whether a file may be put in the place of `path`: 0 when nothing is
    // there or an ordinary file that may be written; 5 for a folder or a
    // read-only file (one without any write permission: like a read-only
    // attribute, it refuses root too); otherwise the code of the refused open.
    // Nothing is changed.
    virtual std::int32_t checkReplaceable(const std::string& path) = 0;
    // Puts the file `from` in the place of `to` in one step.
    virtual std::int32_t replace(const std::string& from, const std::string& to) = 0;
    virtual std::int32_t remove(const std::string& path) = 0;

    // True when `path` is a file that holds exactly `bytes`; any failure to
    // read it answers false. The calls it makes are not the caller's to see.
    virtual bool holds(const std::string& path, const std::string& bytes);
    // Keeps the file `from` as `to` too, replacing an older `to` in one step;
    // `from` stays as it is. The copy is complete or not there.
    virtual std::int32_t keepAs(const std::string& from, const std::string& to);
    // Removes the files left by a save that never ended: ordinary files of
    // this user named `name` or `name` + "." + six characters (createNew's
    // names), last changed before this program started. Nothing is reported.
    virtual void removeLeftovers(const std::string& name);
};

// The operating system's files.
FileSystem& SystemFiles();

// The program's I/O code for an errno value met at `path` (ENOENT is told
// apart by whether the folder of the path exists).
std::int32_t IOCodeFromErrno(int error, const std::string& path);

}  // namespace nestora
