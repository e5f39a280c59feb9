// SPDX-License-Identifier: MIT
// A real file system that is full: a small tmpfs mounted on a scratch
// folder, then filled to the last byte by a file of its own. Mounting needs
// root (as in the test machine's container); elsewhere `ready` is false and
// says why, and the test skips with that reason.
#pragma once

#ifndef _WIN32
#include <sys/mount.h>
#include <unistd.h>
#endif

#include <cerrno>
#include <cstring>
#include <fstream>
#include <string>
#include <string_view>
#include <vector>

#include "support/scratch_folder.h"

namespace nestora::testing {

class FullDisk {
  public:
    // A file system of 64 KiB, holding `files` (name, bytes) before it is filled.
    explicit FullDisk(const std::vector<std::pair<std::string, std::string>>& files = {}) {
#ifdef _WIN32
        why_ = "tmpfs is a Linux file system";
#else
        if (::geteuid() != 0) {
            why_ = "mounting a tmpfs needs root";
            return;
        }
        const std::string where = folder_.path().string();
        if (::mount("tmpfs", where.c_str(), "tmpfs", 0, "size=64k,mode=0755") != 0) {
            why_ = std::string("cannot mount a tmpfs: ") + std::strerror(errno);
            return;
        }
        mounted_ = true;
        for (const auto& [name, bytes] : files) folder_.write(name, bytes);
        // Fill what is left; the last write is refused when no byte remains.
        std::ofstream filler(folder_.file("filler"), std::ios::binary);
        const std::string block(4096, 'x');
        while (filler.write(block.data(), static_cast<std::streamsize>(block.size())))
            filler.flush();
#endif
    }
    ~FullDisk() {
#ifndef _WIN32
        if (mounted_) ::umount2(folder_.path().c_str(), MNT_DETACH);
#endif
    }
    FullDisk(const FullDisk&) = delete;
    FullDisk& operator=(const FullDisk&) = delete;

    bool ready() const { return mounted_; }
    const std::string& whyNot() const { return why_; }
    std::string file(std::string_view name) const { return folder_.file(name); }
    const std::filesystem::path& path() const { return folder_.path(); }

  private:
    ScratchFolder folder_;
    bool mounted_ = false;
    std::string why_;
};

}  // namespace nestora::testing
