// SPDX-License-Identifier: MIT
// Test support for anything that reads or writes through a FileSystem.
//
// FailingFiles wraps a real FileSystem, counts its calls by kind and can make
// the k-th call of one kind fail with a chosen code (or that call and every
// later one of its kind, like a disk that stays full). A failed call does not
// reach the wrapped system, except a close, which always releases the handle
// so that no test leaks one. A sweep over every single call:
//
//     FailingFiles probe;                 // a clean run counts the calls
//     run(probe);
//     for (FileCall kind : kAllFileCalls)
//         for (int k = 1; k <= probe.calls(kind); ++k) {
//             FailingFiles files;
//             files.failAt(kind, k, 112);
//             ... run(files), expect the failure ...
//         }
#pragma once

#include <stdlib.h>

#include <array>
#include <cstddef>
#include <cstdint>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <stdexcept>
#include <string>
#include <string_view>
#include <system_error>
#include <vector>

#include "number/platform_file.h"
#include "support/scratch_folder.h"

namespace nestora::testing {

enum class FileCall { Open, Read, Write, Sync, Close, Replace, Remove, MakeFolders };

inline constexpr std::array<FileCall, 8> kAllFileCalls{
    FileCall::Open,  FileCall::Read,    FileCall::Write,  FileCall::Sync,
    FileCall::Close, FileCall::Replace, FileCall::Remove, FileCall::MakeFolders};

inline const char* FileCallName(FileCall kind) {
    switch (kind) {
        case FileCall::Open:
            return "open";
        case FileCall::Read:
            return "read";
        case FileCall::Write:
            return "write";
        case FileCall::Sync:
            return "sync";
        case FileCall::Close:
            return "close";
        case FileCall::Replace:
            return "replace";
        case FileCall::Remove:
            return "remove";
        case FileCall::MakeFolders:
            return "make folders";
    }
    return "?";
}

class FailingFiles final : public FileSystem {
  public:
    explicit FailingFiles(FileSystem& real = SystemFiles()) : real_(real) {}

    // Makes call number `nth` (counted from 1) of `kind` fail with `code`;
    // with andLater, every later call of that kind fails too. One rule per
    // kind: a new failAt for a kind replaces its old rule.
    void failAt(FileCall kind, int nth, std::int32_t code, bool andLater = false) {
        rules_[index(kind)] = Rule{true, nth, code, andLater};
    }
    void failNothing() { rules_ = {}; }

    // Calls made so far (a failed one counts too).
    int calls(FileCall kind) const { return counts_[index(kind)]; }
    int totalCalls() const {
        int sum = 0;
        for (int c : counts_) sum += c;
        return sum;
    }
    // Whether a chosen failure has been given out.
    bool failed() const { return failures_ > 0; }
    // The size of each write call, in order, failed ones included.
    const std::vector<std::size_t>& writeSizes() const { return writeSizes_; }
    // Every call in order.
    const std::vector<FileCall>& log() const { return log_; }

    std::int32_t openRead(const std::string& path, int& handle) override {
        handle = -1;
        if (const auto code = next(FileCall::Open)) return code;
        return real_.openRead(path, handle);
    }
    std::int32_t openWrite(const std::string& path, int& handle) override {
        handle = -1;
        if (const auto code = next(FileCall::Open)) return code;
        return real_.openWrite(path, handle);
    }
    // Creating the new file is an open, and so is the check that a file may
    // be replaced, which opens it for writing.
    std::int32_t createNew(const std::string& name, const std::string& like, int& handle,
                           std::string& created) override {
        handle = -1;
        if (const auto code = next(FileCall::Open)) return code;
        return real_.createNew(name, like, handle, created);
    }
    std::int32_t checkReplaceable(const std::string& path) override {
        if (const auto code = next(FileCall::Open)) return code;
        return real_.checkReplaceable(path);
    }
    std::int32_t read(int handle, char* buffer, std::size_t size, std::size_t& got) override {
        got = 0;
        if (const auto code = next(FileCall::Read)) return code;
        return real_.read(handle, buffer, size, got);
    }
    std::int32_t write(int handle, const char* buffer, std::size_t size) override {
        writeSizes_.push_back(size);
        if (const auto code = next(FileCall::Write)) return code;
        return real_.write(handle, buffer, size);
    }
    std::int32_t syncToDisk(int handle) override {
        if (const auto code = next(FileCall::Sync)) return code;
        return real_.syncToDisk(handle);
    }
    std::int32_t close(int handle) override {
        const auto code = next(FileCall::Close);
        const auto realCode = real_.close(handle);
        return code != 0 ? code : realCode;
    }
    bool exists(const std::string& path) override { return real_.exists(path); }
    bool mayCreate(const std::string& path) override { return real_.mayCreate(path); }
    std::int32_t makeFolders(const std::string& folder) override {
        if (const auto code = next(FileCall::MakeFolders)) return code;
        return real_.makeFolders(folder);
    }
    std::int32_t replace(const std::string& from, const std::string& to) override {
        if (const auto code = next(FileCall::Replace)) return code;
        return real_.replace(from, to);
    }
    std::int32_t remove(const std::string& path) override {
        if (const auto code = next(FileCall::Remove)) return code;
        return real_.remove(path);
    }
    // The look at what a file holds is the real one's, never failed or
    // counted: failing it only means the file is written again.
    bool holds(const std::string& path, const std::string& bytes) override {
        return real_.holds(path, bytes);
    }
    // Keeping a copy under a second name counts as a replace.
    std::int32_t keepAs(const std::string& from, const std::string& to) override {
        if (const auto code = next(FileCall::Replace)) return code;
        return real_.keepAs(from, to);
    }
    void removeLeftovers(const std::string& name) override { real_.removeLeftovers(name); }

  private:
    struct Rule {
        bool active = false;
        int nth = 0;
        std::int32_t code = 0;
        bool andLater = false;
    };

    static std::size_t index(FileCall kind) { return static_cast<std::size_t>(kind); }

    // Counts the call and gives the code it is to fail with, or 0.
    std::int32_t next(FileCall kind) {
        log_.push_back(kind);
        const int number = ++counts_[index(kind)];
        const Rule& rule = rules_[index(kind)];
        if (!rule.active) return 0;
        if (number == rule.nth || (rule.andLater && number > rule.nth)) {
            ++failures_;
            return rule.code;
        }
        return 0;
    }

    FileSystem& real_;
    std::array<Rule, kAllFileCalls.size()> rules_{};
    std::array<int, kAllFileCalls.size()> counts_{};
    int failures_ = 0;
    std::vector<std::size_t> writeSizes_;
    std::vector<FileCall> log_;
};

}  // namespace nestora::testing
