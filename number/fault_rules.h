// SPDX-License-Identifier: MIT
// The program's three arithmetic faults, detected from operands and results
// the same way for either kind of extended: the x87 type (NativeOps) and the
// software type (SoftOps). number/arith.cpp uses the kind the build chose;
// the bit-for-bit test uses both.
#pragma once

#include <cmath>
#include <cstdint>

#include "number/errors.h"
#include "number/soft_extended.h"

namespace nestora {

template <class Ops>
struct FaultRules {
    using T = typename Ops::Type;

    // A NaN made from operands that were not NaNs is an invalid operation; an
    // infinity made from finite operands is an overflow.
    static T checked(T r, T a, T b) {
        if (Ops::isNan(r) && !Ops::isNan(a) && !Ops::isNan(b)) throw EInvalidOp();
        if (Ops::isInf(r) && Ops::isFinite(a) && Ops::isFinite(b)) throw EOverflow();
        return r;
    }

    static T add(T a, T b) { return checked(Ops::add(a, b), a, b); }
    static T sub(T a, T b) { return checked(Ops::sub(a, b), a, b); }
    static T mul(T a, T b) { return checked(Ops::mul(a, b), a, b); }

    static T div(T a, T b) {
        if (b == 0 && Ops::isFinite(a) && a != 0) throw EZeroDivide();
        return checked(Ops::div(a, b), a, b);
    }

    static T ln(T x) {
        if (Ops::isNan(x)) return x;
        if (x < 0) throw EInvalidOp();
        if (x == 0) throw EZeroDivide();
        return Ops::ln(x);
    }

    static std::int64_t roundToInt64(T x) {
        std::int64_t whole = 0;
        if (!Ops::roundToInt64(x, whole)) throw EInvalidOp();
        return whole;
    }

    static std::int64_t truncToInt64(T x) {
        std::int64_t whole = 0;
        if (!Ops::truncToInt64(x, whole)) throw EInvalidOp();
        return whole;
    }

    static std::uint64_t roundToUint64(T x) {
        std::uint64_t whole = 0;
        if (!Ops::roundToUint64(x, whole)) throw EInvalidOp();
        return whole;
    }

    static double toDouble(T x) {
        const double d = Ops::toDouble(x);
        if (std::isinf(d) && Ops::isFinite(x)) throw EOverflow();
        return d;
    }
};

// The x87 unit's own operations on long double.
struct NativeOps {
    using Type = long double;
    static bool isNan(Type x) { return std::isnan(x); }
    static bool isInf(Type x) { return std::isinf(x); }
    static bool isFinite(Type x) { return std::isfinite(x); }
    static Type add(Type a, Type b) { return a + b; }
    static Type sub(Type a, Type b) { return a - b; }
    static Type mul(Type a, Type b) { return a * b; }
    static Type div(Type a, Type b) { return a / b; }
    static Type ln(Type x) { return std::log(x); }
    static double toDouble(Type x) { return static_cast<double>(x); }
    // Both bounds are exact in the extended format; a NaN fails both tests.
    static bool inInt64Range(Type whole) { return whole >= -0x1p63L && whole < 0x1p63L; }
    static bool roundToInt64(Type x, std::int64_t& out) { return toWhole(std::nearbyint(x), out); }
    static bool truncToInt64(Type x, std::int64_t& out) { return toWhole(std::trunc(x), out); }
    static bool roundToUint64(Type x, std::uint64_t& out) {
        const Type whole = std::nearbyint(x);
        if (!(whole >= 0 && whole < 0x1p64L)) return false;
        out = static_cast<std::uint64_t>(whole);
        return true;
    }
    static bool toWhole(Type whole, std::int64_t& out) {
        if (!inInt64Range(whole)) return false;
        out = static_cast<std::int64_t>(whole);
        return true;
    }
};

struct SoftOps {
    using Type = SoftExtended;
    static bool isNan(Type x) { return x.isNan(); }
    static bool isInf(Type x) { return x.isInf(); }
    static bool isFinite(Type x) { return x.isFinite(); }
    static Type add(Type a, Type b) { return soft::add(a, b); }
    static Type sub(Type a, Type b) { return soft::sub(a, b); }
    static Type mul(Type a, Type b) { return soft::mul(a, b); }
    static Type div(Type a, Type b) { return soft::div(a, b); }
    static Type ln(Type x) { return soft::ln(x); }
    static double toDouble(Type x) { return soft::toDouble(x); }
    static bool roundToInt64(Type x, std::int64_t& out) { return soft::roundToInt64(x, out); }
    static bool truncToInt64(Type x, std::int64_t& out) { return soft::truncToInt64(x, out); }
    static bool roundToUint64(Type x, std::uint64_t& out) { return soft::roundToUint64(x, out); }
};

}  // namespace nestora
