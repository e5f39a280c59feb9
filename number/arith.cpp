// SPDX-License-Identifier: MIT
#include "number/arith.h"

#include <cfenv>

#include "number/fault_rules.h"

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

#ifdef NESTORA_EXTENDED_IN_SOFTWARE
using Rules = FaultRules<SoftOps>;
#else
using Rules = FaultRules<NativeOps>;
#endif

}  // namespace

Extended add(Extended a, Extended b) { return Rules::add(a, b); }
Extended sub(Extended a, Extended b) { return Rules::sub(a, b); }
Extended mul(Extended a, Extended b) { return Rules::mul(a, b); }
Extended div(Extended a, Extended b) { return Rules::div(a, b); }
Extended ln(Extended x) { return Rules::ln(x); }
std::int64_t roundToInt64(Extended x) { return Rules::roundToInt64(x); }
std::int64_t truncToInt64(Extended x) { return Rules::truncToInt64(x); }
std::uint64_t roundToUint64(Extended x) { return Rules::roundToUint64(x); }
double toDouble(Extended x) { return Rules::toDouble(x); }

}  // namespace fp
}  // namespace nestora
