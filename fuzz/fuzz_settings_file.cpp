// SPDX-License-Identifier: MIT
// A whole settings file of any bytes, loaded as the program starts: defaults,
// then two loads into a planner whose fields run their handlers. Whatever the
// bytes, nothing crashes, every error that escapes is one of the program's own
// and reaches the error box, the file is closed after each load, and no I/O
// code is left pending.
#include <algorithm>
#include <array>
#include <cstring>
#include <string>
#include <string_view>

#include "fuzz_check.h"
#include "number/arith.h"
#include "number/text_file.h"
#include "settings/settings_test_support.h"

using namespace nestora;
using fuzzing::Check;

namespace {

// One read-only file held in memory; every other call is refused.
class MemoryFile final : public FileSystem {
  public:
    explicit MemoryFile(std::string_view bytes) : bytes_(bytes) {}

    int opens = 0;
    int closes = 0;

    std::int32_t openRead(const std::string&, int& handle) override {
        Check(!open_, "opened while still open");
        open_ = true;
        position_ = 0;
        handle = 3;
        ++opens;
        return 0;
    }
    std::int32_t openWrite(const std::string&, int& handle) override {
        handle = -1;
        return 5;
    }
    std::int32_t createNew(const std::string&, const std::string&, int& handle,
                           std::string&) override {
        handle = -1;
        return 5;
    }
    std::int32_t read(int handle, char* buffer, std::size_t size, std::size_t& got) override {
        Check(open_ && handle == 3, "read from a file that is not open");
        got = std::min(size, bytes_.size() - position_);
        if (got > 0) std::memcpy(buffer, bytes_.data() + position_, got);
        position_ += got;
        return 0;
    }
    std::int32_t write(int, const char*, std::size_t) override { return 5; }
    std::int32_t syncToDisk(int) override { return 5; }
    std::int32_t close(int handle) override {
        Check(open_ && handle == 3, "closed a file that is not open");
        open_ = false;
        ++closes;
        return 0;
    }
    bool exists(const std::string&) override { return true; }
    bool mayCreate(const std::string&) override { return false; }
    std::int32_t makeFolders(const std::string&) override { return 5; }
    std::int32_t checkReplaceable(const std::string&) override { return 5; }
    std::int32_t replace(const std::string&, const std::string&) override { return 5; }
    std::int32_t remove(const std::string&) override { return 5; }

  private:
    std::string_view bytes_;
    std::size_t position_ = 0;
    bool open_ = false;
};

// The messages a settings file can bring to the error box: a bad number, an
// exponent beyond the range, and the faults of rounding a value for its field
// or of computing the projection from it.
constexpr std::array<std::string_view, 4> kExpectedBoxes = {
    "Nestora|Invalid numeric input.",
    "Nestora|Floating point overflow.",
    "Nestora|Invalid floating point operation.",
    "Nestora|Floating point division by zero.",
};

}  // namespace

extern "C" int LLVMFuzzerInitialize(int*, char***) {
    InitArithmetic();
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    MemoryFile file(std::string_view(reinterpret_cast<const char*>(data), size));
    testing::StartedProgram program;
    // An error that is not a nestora::Error passes the catch points and ends
    // the run as a crash.
    program.start("nestora.fig", file);

    Check(IOResultCode == 0, "an I/O code is left pending");
    Check(file.opens == 2 && file.closes == 2, "the file was not opened and closed once per load");
    for (const std::string& box : program.desktop.errors()) {
        const bool known =
            std::find(kExpectedBoxes.begin(), kExpectedBoxes.end(), box) != kExpectedBoxes.end();
        if (!known) {
            std::fprintf(stderr, "error box: %s\n", box.c_str());
            fuzzing::Fail("an unexpected error box");
        }
    }
    return 0;
}
