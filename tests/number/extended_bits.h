// SPDX-License-Identifier: MIT
// Extended values built from their fields and shown as their 80-bit image
// (four hex digits of sign and exponent field, sixteen of significand), for
// exact expectations on denormals, the largest finite value and bit patterns.
#pragma once

#include <cmath>
#include <cstdint>
#include <cstdio>
#include <cstring>
#include <limits>
#include <string>

#include "number/arith.h"

namespace nestora::testing {

// The value with this sign, biased exponent field (0 to 32767) and 64-bit
// significand (explicit leading bit included).
inline Extended ExtendedFromFields(bool negative, unsigned exponentField,
                                   std::uint64_t significand) {
    unsigned char bytes[sizeof(Extended)] = {};
    std::memcpy(bytes, &significand, 8);
    const unsigned top = (negative ? 0x8000u : 0u) | (exponentField & 0x7FFFu);
    bytes[8] = static_cast<unsigned char>(top & 0xFF);
    bytes[9] = static_cast<unsigned char>(top >> 8);
    Extended value;
    std::memcpy(&value, bytes, sizeof value);
    return value;
}

// The sign and biased exponent field (the image's first four hex digits).
inline unsigned SignAndExponentOf(Extended value) {
    unsigned char bytes[sizeof(Extended)];
    std::memcpy(bytes, &value, sizeof bytes);
    return static_cast<unsigned>(bytes[8]) | (static_cast<unsigned>(bytes[9]) << 8);
}

// "3FFF8000000000000000" for 1.
inline std::string ImageOf(Extended value) {
    unsigned char bytes[sizeof(Extended)];
    std::memcpy(bytes, &value, sizeof bytes);
    std::uint64_t significand;
    std::memcpy(&significand, bytes, 8);
    const unsigned top = SignAndExponentOf(value);
    char text[21];
    std::snprintf(text, sizeof text, "%04X%016llX", top,
                  static_cast<unsigned long long>(significand));
    return text;
}

inline bool IsDenormal(Extended value) {
    return (SignAndExponentOf(value) & 0x7FFFu) == 0 && value != 0;
}

// The neighbour of a finite non-zero value one unit in the last place
// farther from zero or nearer to it.
inline Extended NextFromZero(Extended value, bool farther) {
    unsigned char bytes[sizeof(Extended)];
    std::memcpy(bytes, &value, sizeof bytes);
    std::uint64_t significand;
    std::memcpy(&significand, bytes, 8);
    const unsigned top = SignAndExponentOf(value);
    const bool negative = (top & 0x8000u) != 0;
    unsigned field = top & 0x7FFFu;
    if (farther) {
        if (++significand == 0) {
            significand = 1ull << 63;
            ++field;
        } else if (field == 0 && significand == 1ull << 63) {
            field = 1;
        }
    } else if (field > 1 && significand == 1ull << 63) {
        significand = ~0ull;
        --field;
    } else if (field == 1 && significand == 1ull << 63) {
        significand = (1ull << 63) - 1;
        field = 0;
    } else {
        --significand;
    }
    return ExtendedFromFields(negative, field, significand);
}

// The inverse of ImageOf; the image must be 20 hex digits.
inline Extended ExtendedFromImage(const std::string& image) {
    const unsigned top = static_cast<unsigned>(std::stoul(image.substr(0, 4), nullptr, 16));
    const std::uint64_t significand = std::stoull(image.substr(4, 16), nullptr, 16);
    return ExtendedFromFields((top & 0x8000u) != 0, top & 0x7FFFu, significand);
}

// The same value as the compiler's long double, exactly: the software type
// keeps the x87 format, which a 128-bit long double holds without loss. For
// test oracles that use the C library's long double functions.
inline long double ToLongDouble(Extended value) {
#ifdef NESTORA_EXTENDED_IN_SOFTWARE
    const unsigned top = SignAndExponentOf(value);
    const bool negative = (top & 0x8000u) != 0;
    const int field = static_cast<int>(top & 0x7FFFu);
    long double magnitude;
    if (value.isNan()) {
        magnitude = std::numeric_limits<long double>::quiet_NaN();
    } else if (value.isInf()) {
        magnitude = std::numeric_limits<long double>::infinity();
    } else {
        magnitude = std::ldexp(static_cast<long double>(value.significand()),
                               (field == 0 ? 1 : field) - 16383 - 63);
    }
    return negative ? -magnitude : magnitude;
#else
    return value;
#endif
}

}  // namespace nestora::testing
