// SPDX-License-Identifier: MIT
// Runs a fuzz target once over every file it is given, or every file in the
// folders it is given, without libFuzzer: the kept corpus becomes a plain
// test that any compiler builds. A broken property aborts, as under the fuzzer.
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>
#include <vector>

#include "fuzz_check.h"

namespace {

int Replay(const std::filesystem::path& file) {
    std::ifstream in(file, std::ios::binary);
    if (!in) {
        std::fprintf(stderr, "cannot read %s\n", file.string().c_str());
        return 1;
    }
    const std::string bytes{std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
    LLVMFuzzerTestOneInput(reinterpret_cast<const std::uint8_t*>(bytes.data()), bytes.size());
    return 0;
}

}  // namespace

int main(int argc, char* argv[]) {
    LLVMFuzzerInitialize(&argc, &argv);
    int failures = 0;
    int inputs = 0;
    for (int a = 1; a < argc; ++a) {
        const std::filesystem::path named(argv[a]);
        std::vector<std::filesystem::path> files;
        if (std::filesystem::is_directory(named)) {
            for (const auto& entry : std::filesystem::directory_iterator(named))
                if (entry.is_regular_file()) files.push_back(entry.path());
        } else {
            files.push_back(named);
        }
        for (const auto& file : files) {
            failures += Replay(file);
            ++inputs;
        }
    }
    std::printf("replayed %d inputs\n", inputs);
    return failures == 0 && inputs > 0 ? 0 : 1;
}
