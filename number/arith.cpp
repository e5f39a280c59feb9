// SPDX-License-Identifier: MIT
#include "number/arith.h"

#include <cfenv>
#include <cmath>

#include "number/errors.h"

namespace nestora {

void InitArithmetic() {
#if defined(__x86_64__) || defined(__i386__)
    // Control word: all exceptions masked (0x3F), precision control 64-bit
    // significand (bits 8-9 = 11), rounding to nearest (bits 10-11 = 00).
    const std::uint16_t controlWord = 0x037F;
    asm volatile("fldcw %0" : : "m"(controlWord));
#endif
    std::fesetround(FE_TONEAREST);
}

namespace fp {
namespace {

// A NaN made from operands that were not NaNs is an invalid operation; an
// infinity made from finite operands is an overflow.
Extended checked(Extended r, Extended a, Extended b) {
    if (std::isnan(r) && !std::isnan(a) && !std::isnan(b)) throw EInvalidOp();
    if (std::isinf(r) && std::isfinite(a) && std::isfinite(b)) throw EOverflow();
    return r;
}

bool inInt64Range(Extended whole) {
    // Both bounds are exact in the extended format; a NaN fails both tests.
    return whole >= -0x1p63L && whole < 0x1p63L;
}

}  // namespace

Extended add(Extended a, Extended b) { return checked(a + b, a, b); }
Extended sub(Extended a, Extended b) { return checked(a - b, a, b); }
Extended mul(Extended a, Extended b) { return checked(a * b, a, b); }

Extended div(Extended a, Extended b) {
    if (b == 0 && std::isfinite(a) && a != 0) throw EZeroDivide();
    return checked(a / b, a, b);
}

Extended ln(Extended x) {
    if (std::isnan(x)) return x;
    if (x < 0) throw EInvalidOp();
    if (x == 0) throw EZeroDivide();
    return std::log(x);
}

std::int64_t roundToInt64(Extended x) {
    const Extended whole = std::nearbyint(x);
    if (!inInt64Range(whole)) throw EInvalidOp();
    return static_cast<std::int64_t>(whole);
}

std::int64_t truncToInt64(Extended x) {
    const Extended whole = std::trunc(x);
    if (!inInt64Range(whole)) throw EInvalidOp();
    return static_cast<std::int64_t>(whole);
}

double toDouble(Extended x) {
    const double d = static_cast<double>(x);
    if (std::isinf(d) && std::isfinite(x)) throw EOverflow();
    return d;
}

}  // namespace fp
}  // namespace nestora
