// SPDX-License-Identifier: MIT
#include "number/real_to_text.h"

#include <cmath>
#include <cstdint>
#include <cstring>

#include "number/decimal_digits.h"
#include "number/power_of_ten.h"

namespace nestora {
namespace {

constexpr std::uint64_t k17 = WholePowerOfTen(17);  // the smallest 18-digit number
constexpr std::uint64_t k18 = WholePowerOfTen(18);  // the smallest 19-digit number

// The first 18 significant digits of a positive normal magnitude, rounded to
// nearest (ties to even), as an 18-digit integer; decimalExponent receives E
// with magnitude ≈ 0.d1d2…d18 × 10^E.
std::uint64_t eighteenDigits(Extended magnitude, int& decimalExponent) {
    int E = DisplayExponentGuess(BinaryExponent(magnitude));

    // Bring the magnitude to 18 digits before the point and round to a whole
    // number. The result stays below 2^64 (about 1.8E19), so it fits in 64
    // unsigned bits but not always in 64 signed ones.
    std::uint64_t digits = 0;
    for (int attempt = 0; attempt < 4; ++attempt) {
        const Extended scaled = ScaleByPowerOfTen(magnitude, 18 - E);
        digits = fp::roundToUint64(scaled);
        if (digits >= k17) break;
        --E;  // only 17 digits: the estimate was one too high, scale again
    }

    // 19 digits: the estimate was one too low (or the rounding reached the
    // next power of ten). Drop the last digit, rounding to nearest with ties
    // to even, and move E up. Dividing 10^19 gives 10^18, still 19 digits,
    // hence the loop.
    while (digits >= k18) {
        const std::uint64_t last = digits % 10;
        digits /= 10;
        if (last > 5 || (last == 5 && (digits & 1u) != 0)) ++digits;
        ++E;
    }
    decimalExponent = E;
    return digits;
}

char* writeUnsigned(char* out, unsigned value) {
    char reversed[10];
    int count = 0;
    do {
        reversed[count++] = static_cast<char>('0' + value % 10);
        value /= 10;
    } while (value != 0);
    while (count > 0) *out++ = reversed[--count];
    return out;
}

}  // namespace

std::string RealToText(Extended value, char separator) {
    if (fp::isNan(value)) return "NAN";
    if (fp::isInf(value)) return value < 0 ? "-INF" : "INF";
    // Zeros of either sign and every denormal have exponent field 0.
    if (ExponentField(value) == 0) return "0";

    const bool negative = fp::signBit(value);
    int E = 0;
    const std::uint64_t eighteen = eighteenDigits(fp::abs(value), E);

    // Cut to 15 digits: the 16th digit 5 or more rounds the 15th up (half up,
    // on the 18 digits already rounded). A carry out of the first digit
    // leaves the single digit 1 one decade higher.
    std::uint64_t fifteen = FifteenDigitsHalfUp(eighteen, 3, E);
    char digits[15];
    for (int i = 14; i >= 0; --i) {
        digits[i] = static_cast<char>('0' + fifteen % 10);
        fifteen /= 10;
    }
    int count = 15;
    while (digits[count - 1] == '0') --count;  // d1 is never 0

    char text[32];
    char* out = text;
    if (negative) *out++ = '-';
    if (E > 15 || E < -3) {
        *out++ = digits[0];
        if (count > 1) {
            *out++ = separator;
            std::memcpy(out, digits + 1, static_cast<std::size_t>(count - 1));
            out += count - 1;
        }
        *out++ = 'E';
        const int power = E - 1;
        if (power < 0) *out++ = '-';
        out = writeUnsigned(out, static_cast<unsigned>(power < 0 ? -power : power));
    } else if (E <= 0) {
        *out++ = '0';
        *out++ = separator;
        for (int i = 0; i < -E; ++i) *out++ = '0';
        std::memcpy(out, digits, static_cast<std::size_t>(count));
        out += count;
    } else {
        for (int i = 0; i < E; ++i) *out++ = i < count ? digits[i] : '0';
        if (count > E) {
            *out++ = separator;
            std::memcpy(out, digits + E, static_cast<std::size_t>(count - E));
            out += count - E;
        }
    }
    return std::string(text, out);
}

}  // namespace nestora
