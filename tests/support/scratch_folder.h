// SPDX-License-Identifier: MIT
// A fresh folder under the system's temporary folder, removed with all it
// holds when the test ends.
#pragma once

#include <stdlib.h>

#include <filesystem>
#include <fstream>
#include <iterator>
#include <random>
#include <stdexcept>
#include <string>
#include <string_view>
#include <system_error>

namespace nestora::testing {

class ScratchFolder {
  public:
    ScratchFolder() {
#ifdef _WIN32
        // Windows has no mkdtemp: a new folder under a random name, tried
        // until one is free.
        std::random_device random;
        for (int attempt = 0; attempt < 100 && path_.empty(); ++attempt) {
            const auto candidate =
                std::filesystem::temp_directory_path() / ("nestora-" + std::to_string(random()));
            std::error_code error;
            if (std::filesystem::create_directory(candidate, error)) path_ = candidate;
        }
        if (path_.empty()) throw std::runtime_error("no scratch folder");
#else
        std::string pattern = (std::filesystem::temp_directory_path() / "nestora-XXXXXX").string();
        if (::mkdtemp(pattern.data()) == nullptr) throw std::runtime_error("mkdtemp failed");
        path_ = pattern;
#endif
    }
    ~ScratchFolder() {
        std::error_code ignored;
        // Give back write permission that a test took away, so removal works.
        std::filesystem::permissions(path_, std::filesystem::perms::owner_all,
                                     std::filesystem::perm_options::add, ignored);
        std::filesystem::remove_all(path_, ignored);
    }
    ScratchFolder(const ScratchFolder&) = delete;
    ScratchFolder& operator=(const ScratchFolder&) = delete;

    const std::filesystem::path& path() const { return path_; }
    // The full name of `name` inside the folder.
    std::string file(std::string_view name) const { return (path_ / name).string(); }

    // Creates (or replaces) a file holding exactly `bytes`; gives its name.
    std::string write(std::string_view name, std::string_view bytes) const {
        const std::string full = file(name);
        std::ofstream out(full, std::ios::binary | std::ios::trunc);
        out.write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
        if (!out) throw std::runtime_error("cannot write " + full);
        return full;
    }

    // The bytes of a file; empty when it cannot be read.
    static std::string read(const std::string& full) {
        std::ifstream in(full, std::ios::binary);
        return std::string(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
    }

  private:
    std::filesystem::path path_;
};

}  // namespace nestora::testing
