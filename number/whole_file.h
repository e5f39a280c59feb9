// SPDX-License-Identifier: MIT
// A whole file read or written in one call, for every file the program reads
// or writes apart from its settings file's own items.
//
// WriteWholeFile never leaves a cut file: the bytes go to a new file beside
// the target (FileSystem::createNew, with the target's permission bits),
// reach the disk, and only then take the target's place. On any failure the
// target is as it was, the new file is removed and the code says why:
//   WriteWholeFile(files, "/home/me/plan.csv", csv) → 0, or 112 on a full disk
#pragma once

#include <cstdint>
#include <string>

#include "number/platform_file.h"

namespace nestora {

// Reads the whole of an ordinary file of at most MaxReadSize bytes.
std::int32_t ReadWholeFile(FileSystem& files, const std::string& path, std::string& bytes);

// Puts a file holding exactly `bytes` in the place of `path`. A folder or a
// read-only file there is refused with 5, as FileSystem::checkReplaceable.
std::int32_t WriteWholeFile(FileSystem& files, const std::string& path, const std::string& bytes);

// The text of a failed WriteWholeFile for a person: "Disk full (I/O error
// 112)", "File access denied".
std::string WriteFailureText(std::int32_t code);

}  // namespace nestora
