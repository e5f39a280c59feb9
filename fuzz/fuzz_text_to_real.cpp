// SPDX-License-Identifier: MIT
// TextToReal on any bytes: it never crashes, only EOverflow escapes, the
// error position lies within 0 .. length + 1, and the value it gives, on
// success or as a partial value, has a display text.
#include <string_view>

#include "fuzz_check.h"
#include "number/arith.h"
#include "number/errors.h"
#include "number/real_to_text.h"
#include "number/text_to_real.h"

using namespace nestora;
using fuzzing::Check;

extern "C" int LLVMFuzzerInitialize(int*, char***) {
    InitArithmetic();
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::string_view text(reinterpret_cast<const char*>(data), size);
    RealParse parsed{};
    try {
        parsed = TextToReal(text);
    } catch (const EOverflow&) {
        return 0;  // the digits or the exponent went beyond the extended range
    }
    Check(parsed.position >= 0, "position is negative");
    Check(static_cast<std::size_t>(parsed.position) <= size + 1, "position beyond length + 1");
    const std::string shown = RealToText(parsed.value, '.');
    Check(!shown.empty(), "empty display text");
    if (!parsed.ok()) {
        // A partial value is a whole number of digits: never negative.
        Check(!(parsed.value < 0), "negative partial value");
    }
    return 0;
}
