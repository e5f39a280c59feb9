// SPDX-License-Identifier: MIT
// The number of values a property loop tries. Natively the full count; under
// an emulator, where the same loop runs many times slower, the cross-test
// script sets NESTORA_PROPERTY_DIVISOR and the loop takes that fraction and
// says so in its output.
#pragma once

#include <cstdio>
#include <cstdlib>

namespace nestora::testing {

inline int PropertyCount(int full) {
    const char* text = std::getenv("NESTORA_PROPERTY_DIVISOR");
    const int divisor = text != nullptr ? std::atoi(text) : 1;
    if (divisor <= 1) return full;
    std::printf("[ reduced  ] %d of %d values under emulation\n", full / divisor, full);
    return full / divisor;
}

}  // namespace nestora::testing
