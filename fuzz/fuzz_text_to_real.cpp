// SPDX-License-Identifier: MIT
// TextToReal on any bytes: it never crashes, only EOverflow escapes, the
// error position lies within 0 .. length + 1, and the value it gives, on
// success or as a partial value, has a display text that reads back to the
// same text.
#include <cmath>
#include <limits>
#include <string>
#include <string_view>

#include "fuzz_check.h"
#include "number/arith.h"
#include "number/errors.h"
#include "number/real_to_text.h"
#include "number/text_to_real.h"

using namespace nestora;
using fuzzing::Check;
using fuzzing::Fail;

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
    // The value's display text reads back to a value with the same text. A
    // value just above the smallest normal may show digits that read back as
    // a denormal, which shows as "0": the only change allowed.
    const std::string shown = RealToText(parsed.value, '.');
    if (fp::isFinite(parsed.value)) {
        RealParse back{};
        try {
            back = TextToReal(shown);
        } catch (const EOverflow&) {
            Fail("the display text of a finite value overflows when read back");
        }
        Check(back.ok(), "the display text does not read back");
        const bool denormal =
            back.value != 0 && fp::abs(back.value) < std::numeric_limits<Extended>::min();
        Check(RealToText(back.value, '.') == shown || denormal,
              "the display text changes when read back");
    } else {
        Check(shown == "INF" || shown == "-INF" || shown == "NAN",
              "odd text for a non-finite value");
    }
    if (!parsed.ok()) {
        // A partial value is a whole number of digits: never negative.
        Check(!(parsed.value < 0), "negative partial value");
    }
    return 0;
}
