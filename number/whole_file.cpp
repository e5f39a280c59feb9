// SPDX-License-Identifier: MIT
#include "number/whole_file.h"

#include <array>

#include "number/errors.h"

namespace nestora {

std::int32_t ReadWholeFile(FileSystem& files, const std::string& path, std::string& bytes) {
    bytes.clear();
    int handle = -1;
    if (const auto code = files.openRead(path, handle)) return code;
    std::array<char, 4096> buffer{};
    std::int32_t code = 0;
    for (;;) {
        std::size_t got = 0;
        code = files.read(handle, buffer.data(), buffer.size(), got);
        if (code != 0 || got == 0) break;
        bytes.append(buffer.data(), got);
        // A file that grows while it is read is refused as a large one is.
        if (static_cast<std::int64_t>(bytes.size()) > MaxReadSize) {
            code = TooLargeCode;
            break;
        }
    }
    const auto closed = files.close(handle);
    if (code == 0) code = closed;
    if (code != 0) bytes.clear();
    return code;
}

std::int32_t WriteWholeFile(FileSystem& files, const std::string& path, const std::string& bytes) {
    if (const auto code = files.checkReplaceable(path)) return code;
    int handle = -1;
    std::string fresh;
    if (const auto code = files.createNew(path + ".new", path, handle, fresh)) return code;
    std::int32_t code = files.write(handle, bytes.data(), bytes.size());
    if (code == 0) code = files.syncToDisk(handle);
    const auto closed = files.close(handle);
    if (code == 0) code = closed;
    if (code == 0) code = files.replace(fresh, path);
    if (code != 0) files.remove(fresh);
    return code;
}

std::string WriteFailureText(std::int32_t code) {
    switch (code) {
        case 3:
            return "the folder does not exist (" + InOutMessage(code) + ")";
        case 5:
            return "it may not be written there (" + InOutMessage(code) + ")";
        case 112:
            return "the disk is full (" + InOutMessage(code) + ")";
        default:
            return InOutMessage(code);
    }
}

// What every file system can do with the calls above; the operating
// system's own layer does the last two better where it can.

bool FileSystem::holds(const std::string& path, const std::string& bytes) {
    std::string present;
    return ReadWholeFile(*this, path, present) == 0 && present == bytes;
}

std::int32_t FileSystem::keepAs(const std::string& from, const std::string& to) {
    std::string bytes;
    if (const auto code = ReadWholeFile(*this, from, bytes)) return code;
    return WriteWholeFile(*this, to, bytes);
}

void FileSystem::removeLeftovers(const std::string& /*name*/) {}

}  // namespace nestora
