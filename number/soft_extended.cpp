// SPDX-License-Identifier: MIT
#include "number/soft_extended.h"

#include <bit>

namespace nestora::soft {
namespace {

__extension__ typedef unsigned __int128 u128;

constexpr int kBias = 16383;
constexpr unsigned kMaxField = 0x7FFF;
constexpr std::uint64_t kLeading = 1ull << 63;
constexpr std::uint64_t kQuietBit = 1ull << 62;
// The x87 "indefinite": what an invalid operation gives.
constexpr SoftExtended kIndefinite =
    SoftExtended::fromFields(true, kMaxField, 0xC000000000000000ull);

SoftExtended infinity(bool negative) {
    return SoftExtended::fromFields(negative, kMaxField, kLeading);
}
SoftExtended zero(bool negative) { return SoftExtended::fromFields(negative, 0, 0); }

SoftExtended quietened(SoftExtended x) {
    return SoftExtended::fromFields(x.signBit(), kMaxField, x.significand() | kQuietBit);
}

// The NaN an operation with a NaN operand gives, chosen as the x87 unit
// chooses: a quiet NaN over a signalling one, otherwise the larger
// significand; quietened.
SoftExtended propagatedNan(SoftExtended a, SoftExtended b) {
    if (!a.isNan()) return quietened(b);
    if (!b.isNan()) return quietened(a);
    const bool aQuiet = (a.significand() & kQuietBit) != 0;
    const bool bQuiet = (b.significand() & kQuietBit) != 0;
    if (aQuiet != bQuiet) return aQuiet ? a : b;
    if (a.significand() != b.significand())
        return quietened(a.significand() > b.significand() ? a : b);
    // Equal significands: the one with the positive sign.
    return quietened(a.signBit() ? b : a);
}

// A finite non-zero value as significand × 2^(exponent - 63) with the
// significand's top bit set (denormals are brought up to that form).
struct Unpacked {
    bool negative;
    int exponent;
    std::uint64_t significand;
};

Unpacked unpack(SoftExtended x) {
    const int field = static_cast<int>(x.exponentField());
    std::uint64_t s = x.significand();
    int exponent = (field == 0 ? 1 : field) - kBias;
    const int lead = std::countl_zero(s);
    s <<= lead;
    exponent -= lead;
    return {x.signBit(), exponent, s};
}

int topBit(u128 m) {
    const auto high = static_cast<std::uint64_t>(m >> 64);
    return high != 0 ? 127 - std::countl_zero(high)
                     : 63 - std::countl_zero(static_cast<std::uint64_t>(m));
}

// m × 2^e (m > 0, exact except that a lowest set bit may stand for a
// discarded non-zero rest, which must lie at least two places below the
// rounding position) rounded once to the extended format.
SoftExtended roundPack(bool negative, int e, u128 m) {
    const int top = topBit(m);
    const int exponent = e + top;  // 2^exponent <= value < 2^(exponent + 1)
    // Bits below 2^lowest are rounded off: 64 significant bits, or fewer
    // below the normal range, where the last place is 2^-16445.
    const int lowest = exponent >= 1 - kBias ? exponent - 63 : 1 - kBias - 63;
    const int shift = lowest - e;
    std::uint64_t q;
    if (shift <= 0) {
        q = static_cast<std::uint64_t>(m << -shift);
    } else if (shift > 128) {
        q = 0;
    } else {
        const u128 kept = shift == 128 ? 0 : m >> shift;
        const u128 rest = shift == 128 ? m : m & ((u128{1} << shift) - 1);
        const u128 half = u128{1} << (shift - 1);
        q = static_cast<std::uint64_t>(kept);
        if (rest > half || (rest == half && (q & 1) != 0)) {
            ++q;
            if (q == 0) {  // carried out of 64 bits: 2^64 × 2^lowest
                return exponent + 1 + kBias >= static_cast<int>(kMaxField)
                           ? infinity(negative)
                           : SoftExtended::fromFields(
                                 negative, static_cast<unsigned>(exponent + 1 + kBias), kLeading);
            }
        }
    }
    if (exponent >= 1 - kBias) {
        if (exponent + kBias >= static_cast<int>(kMaxField)) return infinity(negative);
        return SoftExtended::fromFields(negative, static_cast<unsigned>(exponent + kBias), q);
    }
    // Denormal, or rounded up to the smallest normal value.
    return SoftExtended::fromFields(negative, (q & kLeading) != 0 ? 1 : 0, q);
}

SoftExtended addSigned(SoftExtended a, SoftExtended b, bool negateB) {
    if (a.isNan() || b.isNan()) return propagatedNan(a, b);
    const bool bNegative = b.signBit() != negateB;
    if (a.isInf() || b.isInf()) {
        if (a.isInf() && b.isInf() && a.signBit() != bNegative) return kIndefinite;
        return a.isInf() ? a : infinity(bNegative);
    }
    if (a.isZero() && b.isZero()) return zero(a.signBit() && bNegative);
    if (b.isZero()) return a;
    if (a.isZero()) return negateB ? -b : b;

    Unpacked x = unpack(a);
    Unpacked y = unpack(b);
    y.negative = bNegative;
    if (x.exponent < y.exponent || (x.exponent == y.exponent && x.significand < y.significand)) {
        const Unpacked t = x;
        x = y;
        y = t;
    }
    // Top bit at 126: room for the carry of a sum.
    const u128 big = u128{x.significand} << 63;
    const int distance = x.exponent - y.exponent;
    u128 small;
    if (distance >= 127) {
        small = 1;  // only its trace: below every rounding position
    } else {
        const u128 full = u128{y.significand} << 63;
        small = full >> distance;
        if ((small << distance) != full) small |= 1;
    }
    const u128 m = x.negative == y.negative ? big + small : big - small;
    if (m == 0) return zero(false);
    return roundPack(x.negative, x.exponent - 126, m);
}

}  // namespace

SoftExtended add(SoftExtended a, SoftExtended b) { return addSigned(a, b, false); }
SoftExtended sub(SoftExtended a, SoftExtended b) { return addSigned(a, b, true); }

SoftExtended mul(SoftExtended a, SoftExtended b) {
    if (a.isNan() || b.isNan()) return propagatedNan(a, b);
    const bool negative = a.signBit() != b.signBit();
    if (a.isInf() || b.isInf()) {
        if (a.isZero() || b.isZero()) return kIndefinite;
        return infinity(negative);
    }
    if (a.isZero() || b.isZero()) return zero(negative);
    const Unpacked x = unpack(a);
    const Unpacked y = unpack(b);
    return roundPack(negative, x.exponent + y.exponent - 126, u128{x.significand} * y.significand);
}

SoftExtended div(SoftExtended a, SoftExtended b) {
    if (a.isNan() || b.isNan()) return propagatedNan(a, b);
    const bool negative = a.signBit() != b.signBit();
    if (a.isInf()) return b.isInf() ? kIndefinite : infinity(negative);
    if (b.isInf()) return zero(negative);
    if (b.isZero()) return a.isZero() ? kIndefinite : infinity(negative);
    if (a.isZero()) return zero(negative);
    const Unpacked x = unpack(a);
    const Unpacked y = unpack(b);
    // The quotient of the significands to 64 or 65 bits, three more bits
    // and a trace of the remainder.
    const u128 numerator = u128{x.significand} << 64;
    u128 q = numerator / y.significand;
    u128 r = numerator % y.significand;
    for (int k = 0; k < 3; ++k) {
        r <<= 1;
        q <<= 1;
        if (r >= y.significand) {
            r -= y.significand;
            q |= 1;
        }
    }
    q = (q << 1) | (r != 0 ? 1 : 0);
    return roundPack(negative, x.exponent - y.exponent - 64 - 4, q);
}

double toDouble(SoftExtended x) {
    const std::uint64_t sign = x.signBit() ? 1ull << 63 : 0;
    if (x.isNan()) {
        const std::uint64_t fraction =
            ((x.significand() >> 11) | (1ull << 51)) & ((1ull << 52) - 1);
        return std::bit_cast<double>(sign | (0x7FFull << 52) | fraction);
    }
    if (x.isInf()) return std::bit_cast<double>(sign | (0x7FFull << 52));
    if (x.isZero()) return std::bit_cast<double>(sign);
    const Unpacked u = unpack(x);
    // Keep 53 bits, or fewer below the normal range of doubles.
    const int shift = u.exponent >= -1022 ? 11 : 11 + (-1022 - u.exponent);
    std::uint64_t kept = 0;
    std::uint64_t rest = u.significand;
    std::uint64_t half = 0;
    if (shift < 64) {
        kept = u.significand >> shift;
        rest = u.significand & ((1ull << shift) - 1);
        half = 1ull << (shift - 1);
    }
    bool up = false;
    if (shift < 64) {
        up = rest > half || (rest == half && (kept & 1) != 0);
    } else if (shift == 64) {
        up = rest > (1ull << 63);  // a tie rounds to the even zero
    }
    if (up) ++kept;
    int exponent = u.exponent;
    if (shift == 11) {
        if (kept == (1ull << 53)) {
            kept >>= 1;
            ++exponent;
        }
        if (exponent > 1023) return std::bit_cast<double>(sign | (0x7FFull << 52));
        const auto field = static_cast<std::uint64_t>(exponent + 1023);
        return std::bit_cast<double>(sign | (field << 52) | (kept & ((1ull << 52) - 1)));
    }
    // A denormal double; a carry into bit 52 makes it the smallest normal,
    // which the same bits already say.
    return std::bit_cast<double>(sign | kept);
}

namespace {

// The magnitude of x made whole (rounded or truncated); false when x is not
// finite or the whole number needs more than 64 bits.
bool wholeMagnitude(SoftExtended x, bool round, std::uint64_t& whole) {
    if (!x.isFinite()) return false;
    whole = 0;
    if (x.isZero()) return true;
    const Unpacked u = unpack(x);
    if (u.exponent >= 64) return false;
    if (u.exponent < 0) {
        // |x| < 1: rounds to 1 only above one half.
        whole = round && u.exponent == -1 && u.significand > kLeading ? 1 : 0;
        return true;
    }
    const int fractionBits = 63 - u.exponent;
    whole = fractionBits == 0 ? u.significand : u.significand >> fractionBits;
    if (round && fractionBits > 0) {
        const std::uint64_t rest = u.significand & ((1ull << fractionBits) - 1);
        const std::uint64_t half = 1ull << (fractionBits - 1);
        if (rest > half || (rest == half && (whole & 1) != 0)) {
            ++whole;
            if (whole == 0) return false;  // 2^64
        }
    }
    return true;
}

bool toInt64(SoftExtended x, bool round, std::int64_t& out) {
    std::uint64_t whole = 0;
    if (!wholeMagnitude(x, round, whole)) return false;
    if (x.signBit()) {
        if (whole > kLeading) return false;
        out = static_cast<std::int64_t>(0 - whole);
    } else {
        if (whole >= kLeading) return false;
        out = static_cast<std::int64_t>(whole);
    }
    return true;
}

}  // namespace

bool roundToInt64(SoftExtended x, std::int64_t& out) { return toInt64(x, true, out); }
bool truncToInt64(SoftExtended x, std::int64_t& out) { return toInt64(x, false, out); }

bool roundToUint64(SoftExtended x, std::uint64_t& out) {
    std::uint64_t whole = 0;
    if (!wholeMagnitude(x, true, whole)) return false;
    if (x.signBit() && whole != 0) return false;
    out = whole;
    return true;
}

// ---- The natural logarithm -------------------------------------------------
namespace {

// A positive working value sig × 2^(exponent - 127) with 128 significant bits
// (top bit set), or zero; each operation truncates, so a chain of a few dozen
// stays within some 2^-120 of the exact value.
struct Wide {
    bool negative = false;
    int exponent = 0;
    u128 sig = 0;
};

Wide normalized(bool negative, int exponent, u128 sig) {
    if (sig == 0) return {};
    const int lead = 127 - topBit(sig);
    return {negative, exponent - lead, sig << lead};
}

Wide mulWide(const Wide& a, const Wide& b) {
    if (a.sig == 0 || b.sig == 0) return {};
    const auto aHigh = static_cast<std::uint64_t>(a.sig >> 64);
    const auto aLow = static_cast<std::uint64_t>(a.sig);
    const auto bHigh = static_cast<std::uint64_t>(b.sig >> 64);
    const auto bLow = static_cast<std::uint64_t>(b.sig);
    const u128 low = u128{aLow} * bLow;
    const u128 cross1 = u128{aLow} * bHigh;
    const u128 cross2 = u128{aHigh} * bLow;
    const u128 middle =
        (low >> 64) + static_cast<std::uint64_t>(cross1) + static_cast<std::uint64_t>(cross2);
    const u128 top = u128{aHigh} * bHigh + (cross1 >> 64) + (cross2 >> 64) + (middle >> 64);
    // top × 2^128 is the product of the significands: at least 2^254.
    return normalized(a.negative != b.negative, a.exponent + b.exponent + 1, top);
}

Wide addWide(const Wide& a, const Wide& b) {
    if (a.sig == 0) return b;
    if (b.sig == 0) return a;
    Wide x = a;
    Wide y = b;
    if (x.exponent < y.exponent || (x.exponent == y.exponent && x.sig < y.sig)) {
        const Wide t = x;
        x = y;
        y = t;
    }
    const int distance = x.exponent - y.exponent;
    // One bit of headroom for the carry.
    const u128 big = x.sig >> 1;
    const u128 small = distance + 1 >= 128 ? 0 : y.sig >> (distance + 1);
    const u128 sum = x.negative == y.negative ? big + small : big - small;
    return normalized(x.negative, x.exponent + 1, sum);
}

Wide divBySmall(const Wide& a, unsigned d) {
    // Long division of the 128-bit significand, continued for the bits that
    // the quotient lacks at the top.
    const u128 q = a.sig / d;
    const u128 r = a.sig % d;
    const int lead = 127 - topBit(q);
    const u128 more = (r << lead) / d;
    return {a.negative, a.exponent - lead, (q << lead) | more};
}

// n / d for 0 < n, d < 2^70, to 128 bits.
Wide divide(bool negative, u128 n, u128 d) {
    const int align = topBit(d) - topBit(n);
    u128 r = align >= 0 ? n << align : n;
    const u128 divisor = align >= 0 ? d : d << -align;
    u128 q = 0;
    for (int k = 0; k < 128; ++k) {
        q <<= 1;
        if (r >= divisor) {
            r -= divisor;
            q |= 1;
        }
        r <<= 1;
    }
    // q ≈ (n / d) × 2^(127 - align)
    return normalized(negative, -align, q);
}

Wide fromInt(int v) {
    const bool negative = v < 0;
    const auto magnitude = static_cast<u128>(negative ? -static_cast<long long>(v) : v);
    return normalized(negative, 127, magnitude);
}

// ln 2 × 2^128, rounded down (0.b17217f7d1cf79abc9e3b39803f2f6af…).
constexpr u128 kLn2 = (u128{0xB17217F7D1CF79ABull} << 64) | 0xC9E3B39803F2F6AFull;
// √2 × 2^63, rounded down.
constexpr std::uint64_t kSqrt2 = 0xB504F333F9DE6484ull;

}  // namespace

SoftExtended ln(SoftExtended x) {
    if (x.isNan()) return quietened(x);
    if (x.isZero()) return infinity(true);
    if (x.signBit()) return kIndefinite;
    if (x.isInf()) return x;
    Unpacked u = unpack(x);
    // x = m × 2^k with m in [√½, √2); ln x = k ln 2 + 2 atanh((m − 1)/(m + 1)).
    // With m = significand / 2^63 (or / 2^64 when above √2), m − 1 and m + 1
    // are exact whole numbers over that power.
    const bool above = u.significand > kSqrt2;
    const int k = u.exponent + (above ? 1 : 0);
    const u128 one = above ? u128{1} << 64 : u128{1} << 63;
    const u128 m = u.significand;
    Wide sum;
    if (m != one) {
        const bool negative = m < one;
        const Wide s = divide(negative, negative ? one - m : m - one, m + one);
        const Wide s2 = mulWide(s, s);
        sum = s;
        Wide power = s;
        for (unsigned odd = 3;; odd += 2) {
            power = mulWide(power, s2);
            const Wide term = divBySmall(power, odd);
            if (term.exponent < sum.exponent - 130) break;
            sum = addWide(sum, term);
        }
        sum.exponent += 1;  // 2 atanh
    }
    if (k != 0) sum = addWide(mulWide(fromInt(k), Wide{false, -1, kLn2}), sum);
    if (sum.sig == 0) return zero(false);
    // The logarithm of a number other than 1 is irrational: never a tie. The
    // lowest bit stands for what the truncations dropped.
    return roundPack(sum.negative, sum.exponent - 127, sum.sig | 1);
}

}  // namespace nestora::soft
