// SPDX-License-Identifier: MIT
// What the fuzz targets share: the libFuzzer entry points and a check that
// stops the run with a message, which libFuzzer then reports as a crash with
// the input that caused it.
#pragma once

#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <cstdlib>

extern "C" int LLVMFuzzerInitialize(int* argc, char*** argv);
extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size);

namespace nestora::fuzzing {

[[noreturn]] inline void Fail(const char* what) {
    std::fprintf(stderr, "property broken: %s\n", what);
    std::abort();
}

inline void Check(bool holds, const char* what) {
    if (!holds) Fail(what);
}

}  // namespace nestora::fuzzing
