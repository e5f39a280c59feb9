// SPDX-License-Identifier: MIT
// TextToInteger on any bytes: the error position lies within 0 .. length + 1
// (length + 2 only for a text that ends right after a hexadecimal prefix), a
// plain decimal text succeeds exactly when its value fits 32 bits and then
// gives that value, and the text of every successful value parses back to it.
#include <charconv>
#include <string>
#include <string_view>

#include "fuzz_check.h"
#include "number/arith.h"
#include "number/integer_text.h"

using namespace nestora;
using fuzzing::Check;

namespace {

bool EndsAfterHexPrefix(std::string_view text) {
    const std::size_t k = text.find_first_not_of(' ');
    if (k == std::string_view::npos) return false;
    const std::string_view rest = text.substr(k);
    return rest == "$" || rest == "x" || rest == "X" || rest == "0x" || rest == "0X";
}

bool AllDecimal(std::string_view digits) {
    if (digits.empty()) return false;
    for (char c : digits)
        if (c < '0' || c > '9') return false;
    return true;
}

// For blanks, an optional sign and decimal digits, what the text means,
// worked out without the parser; no answer for any other text.
bool DecimalMeaning(std::string_view text, bool& fits, std::int64_t& value) {
    std::size_t k = text.find_first_not_of(' ');
    if (k == std::string_view::npos) return false;
    bool negative = false;
    if (text[k] == '-' || text[k] == '+') negative = text[k++] == '-';
    const std::string_view digits = text.substr(k);
    if (!AllDecimal(digits)) return false;
    std::int64_t magnitude = 0;
    const auto [end, error] =
        std::from_chars(digits.data(), digits.data() + digits.size(), magnitude);
    fits = error == std::errc() && end == digits.data() + digits.size() &&
           magnitude <= (negative ? 2147483648LL : 2147483647LL);
    value = negative ? -magnitude : magnitude;
    return true;
}

}  // namespace

extern "C" int LLVMFuzzerInitialize(int*, char***) {
    InitArithmetic();
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::string_view text(reinterpret_cast<const char*>(data), size);
    const IntegerParse parsed = TextToInteger(text);
    Check(parsed.position >= 0, "position is negative");
    const std::size_t last = EndsAfterHexPrefix(text) ? size + 2 : size + 1;
    Check(static_cast<std::size_t>(parsed.position) <= last, "position beyond the end");
    if (EndsAfterHexPrefix(text))
        Check(parsed.position == static_cast<int>(size + 2), "bare prefix");

    bool fits = false;
    std::int64_t value = 0;
    if (DecimalMeaning(text, fits, value)) {
        Check(parsed.ok() == fits, "decimal text: success differs from the value fitting 32 bits");
        if (fits) Check(parsed.value == value, "decimal text: wrong value");
    }

    if (parsed.ok()) {
        const std::string shown = IntegerToText(parsed.value);
        const IntegerParse back = TextToInteger(shown);
        Check(back.position == 0, "the text of a parsed value does not parse");
        Check(back.value == parsed.value, "the text of a parsed value parses to another value");
    }
    return 0;
}
