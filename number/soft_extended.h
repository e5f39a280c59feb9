// SPDX-License-Identifier: MIT
// The 80-bit extended format in software, for processors without an x87 unit
// (arm64, where long double is a 128-bit type) and, on request, on x86-64:
// a 64-bit significand with its leading bit explicit, a 15-bit exponent
// biased by 16383 and a sign, with infinities, NaNs and denormals.
//
// Every operation gives the bits the x87 unit gives with a 64-bit significand
// and rounding to nearest (ties to even): the exact result rounded once,
// denormal results rounded at their own position, an overflow becoming an
// infinity, a NaN operand passed on quietened. The natural logarithm is not
// correctly rounded on the x87 either; here it is within one unit in the last
// place (in practice correctly rounded).
//
// The operations raise nothing: number/arith.h detects the program's faults
// from operands and results, the same way for both kinds of extended.
#pragma once

#include <bit>
#include <cstdint>
#include <limits>
#include <type_traits>

namespace nestora {

class SoftExtended {
  public:
    constexpr SoftExtended() = default;

    // Every whole number of up to 64 bits and every double is exact.
    template <class I>
    requires std::is_integral_v<I>
    constexpr SoftExtended(I value) {  // NOLINT: converts like the built-in type
        if constexpr (std::is_signed_v<I>) {
            const bool negative = value < 0;
            const auto magnitude = negative ? 0 - static_cast<std::uint64_t>(value)
                                            : static_cast<std::uint64_t>(value);
            *this = fromWhole(negative, magnitude);
        } else {
            *this = fromWhole(false, static_cast<std::uint64_t>(value));
        }
    }
    constexpr SoftExtended(double value) { *this = fromDouble(value); }  // NOLINT

    // Long double literals (0.25L, 0x8000000000000000p-63L) are taken at their
    // value, rounded to 64 bits if the compiler's long double is wider.
    constexpr SoftExtended(long double value) { *this = fromLongDouble(value); }  // NOLINT

    static constexpr SoftExtended fromFields(bool negative, unsigned exponentField,
                                             std::uint64_t significand) {
        SoftExtended x;
        x.significand_ = significand;
        x.signExponent_ =
            static_cast<std::uint16_t>((negative ? 0x8000u : 0u) | (exponentField & 0x7FFFu));
        return x;
    }

    constexpr std::uint64_t significand() const { return significand_; }
    constexpr unsigned exponentField() const { return signExponent_ & 0x7FFFu; }
    constexpr bool signBit() const { return (signExponent_ & 0x8000u) != 0; }

    constexpr bool isNan() const { return exponentField() == 0x7FFF && (significand_ << 1) != 0; }
    constexpr bool isInf() const { return exponentField() == 0x7FFF && (significand_ << 1) == 0; }
    constexpr bool isFinite() const { return exponentField() != 0x7FFF; }
    constexpr bool isZero() const { return exponentField() == 0 && significand_ == 0; }

    constexpr SoftExtended operator-() const {
        return fromFields(!signBit(), exponentField(), significand_);
    }
    constexpr SoftExtended abs() const { return fromFields(false, exponentField(), significand_); }

    friend constexpr bool operator==(SoftExtended a, SoftExtended b) {
        if (a.isNan() || b.isNan()) return false;
        if (a.isZero() && b.isZero()) return true;
        return a.significand_ == b.significand_ && a.signExponent_ == b.signExponent_;
    }
    friend constexpr bool operator<(SoftExtended a, SoftExtended b) {
        if (a.isNan() || b.isNan()) return false;
        if (a.isZero() && b.isZero()) return false;
        if (a.signBit() != b.signBit()) return a.signBit();
        const bool magnitudeLess = a.exponentField() != b.exponentField()
                                       ? a.exponentField() < b.exponentField()
                                       : a.significand_ < b.significand_;
        const bool magnitudeEqual =
            a.exponentField() == b.exponentField() && a.significand_ == b.significand_;
        return a.signBit() ? !magnitudeLess && !magnitudeEqual : magnitudeLess;
    }
    friend constexpr bool operator!=(SoftExtended a, SoftExtended b) { return !(a == b); }
    friend constexpr bool operator>(SoftExtended a, SoftExtended b) { return b < a; }
    friend constexpr bool operator<=(SoftExtended a, SoftExtended b) { return a < b || a == b; }
    friend constexpr bool operator>=(SoftExtended a, SoftExtended b) { return b < a || a == b; }

  private:
    static constexpr SoftExtended fromWhole(bool negative, std::uint64_t magnitude) {
        if (magnitude == 0) return fromFields(negative, 0, 0);
        const int lead = std::countl_zero(magnitude);
        return fromFields(negative, static_cast<unsigned>(16383 + 63 - lead), magnitude << lead);
    }

    static constexpr SoftExtended fromDouble(double value) {
        const auto bits = std::bit_cast<std::uint64_t>(value);
        const bool negative = (bits >> 63) != 0;
        const auto field = static_cast<unsigned>((bits >> 52) & 0x7FF);
        const std::uint64_t fraction = bits & ((std::uint64_t{1} << 52) - 1);
        if (field == 0x7FF) {
            // A signalling NaN is quietened on the way, as the x87 load does.
            const std::uint64_t payload =
                fraction == 0 ? 0 : (fraction << 11) | (std::uint64_t{1} << 62);
            return fromFields(negative, 0x7FFF, (std::uint64_t{1} << 63) | payload);
        }
        if (field == 0) {
            if (fraction == 0) return fromFields(negative, 0, 0);
            const int lead = std::countl_zero(fraction);  // 12 or more
            return fromFields(negative, static_cast<unsigned>(16383 - 1022 - (lead - 11)),
                              fraction << lead);
        }
        return fromFields(negative, field - 1023 + 16383,
                          (std::uint64_t{1} << 63) | (fraction << 11));
    }

    // Splits the value by scaling with exact powers of two, so that it also
    // works in constant expressions and with a 113-bit long double.
    static constexpr SoftExtended fromLongDouble(long double value) {
        if (value != value) return fromFields(false, 0x7FFF, 0xC000000000000000ull);
        const bool negative = __builtin_signbit(value) != 0;
        long double a = negative ? -value : value;
        if (a == 0) return fromFields(negative, 0, 0);
        if (a > std::numeric_limits<long double>::max())
            return fromFields(negative, 0x7FFF, 1ull << 63);
        int exponent = 0;  // 2^exponent <= a < 2^(exponent + 1)
        while (a >= 0x1p1024L) a *= 0x1p-1024L, exponent += 1024;
        while (a >= 2) a *= 0.5L, ++exponent;
        while (a < 0x1p-1024L) a *= 0x1p1024L, exponent -= 1024;
        while (a < 1) a *= 2, --exponent;
        // The significand's last place: 2^-63 of the leading bit, or the
        // denormal step 2^-16445 below the normal range.
        const int shift = exponent >= -16382 ? 63 : 63 + (exponent + 16382);
        for (int k = 0; k < shift; ++k) a *= 2;
        for (int k = 0; k > shift; --k) a *= 0.5L;
        auto whole = static_cast<std::uint64_t>(a);
        const long double rest = a - static_cast<long double>(whole);
        if (rest > 0.5L || (rest == 0.5L && (whole & 1) != 0)) {
            ++whole;
            if (whole == 0) {  // carried out of 64 bits
                whole = 1ull << 63;
                ++exponent;
            }
        }
        if (exponent > 16383) return fromFields(negative, 0x7FFF, 1ull << 63);
        if (exponent < -16382) {  // a denormal, or the smallest normal after a carry
            return fromFields(negative, (whole >> 63) != 0 ? 1 : 0, whole);
        }
        return fromFields(negative, static_cast<unsigned>(exponent + 16383), whole);
    }

    // Laid out as the x87 unit stores it in memory on little-endian machines.
    std::uint64_t significand_ = 0;
    std::uint16_t signExponent_ = 0;
};

// The operations, each rounded once to nearest with ties to even.
namespace soft {

SoftExtended add(SoftExtended a, SoftExtended b);
SoftExtended sub(SoftExtended a, SoftExtended b);
SoftExtended mul(SoftExtended a, SoftExtended b);
SoftExtended div(SoftExtended a, SoftExtended b);
// NaN for a negative x or a NaN, -infinity for a zero.
SoftExtended ln(SoftExtended x);
// The nearest double; beyond its range an infinity.
double toDouble(SoftExtended x);
// The whole number nearest x (ties to even) or x truncated toward zero, as a
// 64-bit integer; false when x is not finite or the whole number is outside
// the signed 64-bit range.
bool roundToInt64(SoftExtended x, std::int64_t& out);
bool truncToInt64(SoftExtended x, std::int64_t& out);
// The nearest whole number (ties to even); false outside [0, 2^64).
bool roundToUint64(SoftExtended x, std::uint64_t& out);

}  // namespace soft
}  // namespace nestora

template <>
class std::numeric_limits<nestora::SoftExtended> {
    using T = nestora::SoftExtended;

  public:
    static constexpr bool is_specialized = true;
    static constexpr bool is_signed = true;
    static constexpr bool is_integer = false;
    static constexpr bool is_exact = false;
    static constexpr bool has_infinity = true;
    static constexpr bool has_quiet_NaN = true;
    static constexpr bool has_signaling_NaN = true;
    static constexpr std::float_denorm_style has_denorm = std::denorm_present;
    static constexpr std::float_round_style round_style = std::round_to_nearest;
    static constexpr bool is_iec559 = false;
    static constexpr int radix = 2;
    static constexpr int digits = 64;
    static constexpr int digits10 = 18;
    static constexpr int max_digits10 = 21;
    static constexpr int min_exponent = -16381;
    static constexpr int max_exponent = 16384;
    static constexpr int min_exponent10 = -4931;
    static constexpr int max_exponent10 = 4932;
    static constexpr T min() { return T::fromFields(false, 1, 1ull << 63); }
    static constexpr T max() { return T::fromFields(false, 0x7FFE, ~0ull); }
    static constexpr T lowest() { return T::fromFields(true, 0x7FFE, ~0ull); }
    static constexpr T epsilon() { return T::fromFields(false, 16383 - 63, 1ull << 63); }
    static constexpr T round_error() { return T::fromFields(false, 16382, 1ull << 63); }
    static constexpr T infinity() { return T::fromFields(false, 0x7FFF, 1ull << 63); }
    static constexpr T quiet_NaN() { return T::fromFields(false, 0x7FFF, 0xC000000000000000ull); }
    static constexpr T signaling_NaN() {
        return T::fromFields(false, 0x7FFF, 0xA000000000000000ull);
    }
    static constexpr T denorm_min() { return T::fromFields(false, 0, 1); }
};
