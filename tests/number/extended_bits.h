// SPDX-License-Identifier: MIT
// Extended values built from their fields and shown as their 80-bit image
// (four hex digits of sign and exponent field, sixteen of significand), for
// exact expectations on denormals, the largest finite value and bit patterns.
#pragma once

#include <cstdint>
#include <cstdio>
#include <cstring>
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

// "3FFF8000000000000000" for 1.
inline std::string ImageOf(Extended value) {
    unsigned char bytes[sizeof(Extended)];
    std::memcpy(bytes, &value, sizeof bytes);
    std::uint64_t significand;
    std::memcpy(&significand, bytes, 8);
    const unsigned top = static_cast<unsigned>(bytes[8]) | (static_cast<unsigned>(bytes[9]) << 8);
    char text[21];
    std::snprintf(text, sizeof text, "%04X%016llX", top,
                  static_cast<unsigned long long>(significand));
    return text;
}

// The inverse of ImageOf; the image must be 20 hex digits.
inline Extended ExtendedFromImage(const std::string& image) {
    const unsigned top = static_cast<unsigned>(std::stoul(image.substr(0, 4), nullptr, 16));
    const std::uint64_t significand = std::stoull(image.substr(4, 16), nullptr, 16);
    return ExtendedFromFields((top & 0x8000u) != 0, top & 0x7FFFu, significand);
}

}  // namespace nestora::testing
