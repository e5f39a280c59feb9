// SPDX-License-Identifier: MIT
#include "number/integer_text.h"

#include <cstddef>

namespace nestora {

std::string IntegerToText(std::int32_t value) {
    // The magnitude in 32 unsigned bits holds 2147483648 as well.
    std::uint32_t magnitude =
        value < 0 ? 0u - static_cast<std::uint32_t>(value) : static_cast<std::uint32_t>(value);
    char digits[11];
    char* p = digits + sizeof digits;
    do {
        *--p = static_cast<char>('0' + magnitude % 10);
        magnitude /= 10;
    } while (magnitude != 0);
    std::string text;
    text.reserve(12);
    if (value < 0) text.push_back('-');
    text.append(p, digits + sizeof digits);
    return text;
}

namespace {

int hexDigit(char c) {
    if (c >= '0' && c <= '9') return c - '0';
    if (c >= 'A' && c <= 'F') return c - 'A' + 10;
    if (c >= 'a' && c <= 'f') return c - 'a' + 10;
    return -1;
}

std::int32_t bitsOf(std::uint32_t a) { return static_cast<std::int32_t>(a); }

}  // namespace

IntegerParse TextToInteger(std::string_view text) {
    const std::size_t length = text.size();
    std::size_t i = 0;
    while (i < length && text[i] == ' ') ++i;
    if (i == length) return {0, ParsePosition(length + 1)};

    bool negative = false;
    bool hex = false;
    if (text[i] == '-' || text[i] == '+') {
        negative = text[i] == '-';
        ++i;
        if (i == length) return {0, ParsePosition(length + 1)};
    } else if (text[i] == '$' || text[i] == 'x' || text[i] == 'X') {
        hex = true;
        ++i;
    } else if (text[i] == '0' && i + 1 < length && (text[i + 1] == 'x' || text[i + 1] == 'X')) {
        hex = true;
        i += 2;
    }

    std::uint32_t a = 0;
    if (hex) {
        // A prefix with nothing after it fails two places beyond the end.
        if (i == length) return {0, ParsePosition(length + 2)};
        for (; i < length; ++i) {
            const int digit = hexDigit(text[i]);
            if (digit < 0 || a > 0x0FFFFFFFu) return {bitsOf(a), ParsePosition(i + 1)};
            a = a * 16 + static_cast<std::uint32_t>(digit);
        }
        // The 32 bits are the result: "$FFFFFFFF" is -1.
        return {bitsOf(a), 0};
    }

    for (; i < length; ++i) {
        const char c = text[i];
        // Once a exceeds 214748364 another digit could pass 32 bits.
        if (c < '0' || c > '9' || a > 214748364u) return {bitsOf(a), ParsePosition(i + 1)};
        a = a * 10 + static_cast<std::uint32_t>(c - '0');
    }
    if (negative) {
        const std::int32_t result = bitsOf(0u - a);
        return {result, a <= 2147483648u ? 0 : ParsePosition(length + 1)};
    }
    return {bitsOf(a), a <= 2147483647u ? 0 : ParsePosition(length + 1)};
}

}  // namespace nestora
