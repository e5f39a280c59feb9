// SPDX-License-Identifier: MIT
// The software extended type against the x87 unit, bit for bit: millions of
// operand pairs, half of them from the edges of the format, through the same
// fault rules as the program's fp:: functions. Each result must have the
// same 80 bits, or both sides must raise the same fault (the program never
// uses the result of a fault). The logarithm is not correctly rounded on the
// x87, so it is held to one unit in the last place of the exact value
// (from libquadmath's 113-bit logq) and its differences are counted.
//
// NESTORA_BITWISE_PAIRS sets the number of pairs (10 million by default).
#include <gtest/gtest.h>
#include <quadmath.h>

#include <array>
#include <bit>
#include <cmath>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <map>
#include <random>
#include <string>

#include "number/arith.h"
#include "number/errors.h"
#include "number/fault_rules.h"
#include "projection/plan.h"
#include "projection/savings_rules.h"

namespace nestora {
namespace {

using Native = FaultRules<NativeOps>;
using Soft = FaultRules<SoftOps>;

// One operand in both forms.
struct Operand {
    long double native;
    SoftExtended soft;
};

Operand fromFields(bool negative, unsigned field, std::uint64_t significand) {
    Operand op{};
    op.soft = SoftExtended::fromFields(negative, field, significand);
    unsigned char bytes[sizeof(long double)] = {};
    std::memcpy(bytes, &significand, 8);
    const unsigned top = (negative ? 0x8000u : 0u) | field;
    bytes[8] = static_cast<unsigned char>(top & 0xFF);
    bytes[9] = static_cast<unsigned char>(top >> 8);
    std::memcpy(&op.native, bytes, sizeof op.native);
    return op;
}

std::string imageOf(const void* value) {
    unsigned char bytes[10];
    std::memcpy(bytes, value, 10);
    char text[21];
    for (int k = 0; k < 10; ++k) std::snprintf(text + 2 * k, 3, "%02X", bytes[9 - k]);
    return text;
}

// What an operation gave: a fault class, or the bits of its result.
struct Outcome {
    int fault = 0;  // 1 invalid operation, 2 division by zero, 3 overflow
    std::array<unsigned char, 10> bits{};
    bool operator==(const Outcome&) const = default;
    std::string text() const {
        static const char* const names[] = {"", "EInvalidOp", "EZeroDivide", "EOverflow"};
        return fault != 0 ? names[fault] : imageOf(bits.data());
    }
};

template <class F>
Outcome outcomeOf(F&& operation) {
    Outcome out;
    try {
        const auto result = operation();
        std::memcpy(out.bits.data(), &result, std::min<std::size_t>(sizeof result, 10));
    } catch (const EInvalidOp&) {
        out.fault = 1;
    } catch (const EZeroDivide&) {
        out.fault = 2;
    } catch (const EOverflow&) {
        out.fault = 3;
    }
    return out;
}

int productWidth(std::uint64_t p, std::uint64_t q) {
    __extension__ typedef unsigned __int128 u128;
    const u128 m = static_cast<u128>(p) * q;
    const auto high = static_cast<std::uint64_t>(m >> 64);
    return high != 0 ? 128 - std::countl_zero(high)
                     : 64 - std::countl_zero(static_cast<std::uint64_t>(m));
}

// Operands: half anywhere in the format, half from its edges.
class Operands {
  public:
    explicit Operands(std::uint64_t seed) : random_(seed) {}

    std::uint64_t bits() { return random_(); }
    unsigned below(unsigned n) { return static_cast<unsigned>(random_() % n); }
    bool coin() { return (random_() & 1) != 0; }

    Operand normal(unsigned field) { return fromFields(coin(), field, random_() | (1ull << 63)); }
    Operand near(const Operand& a, int distance) {
        const int field = static_cast<int>(a.soft.exponentField()) - distance;
        if (field <= 0) return fromFields(coin(), 0, random_() >> (1 + below(63)));
        if (field >= 0x7FFF) return fromFields(coin(), 0x7FFE, random_() | (1ull << 63));
        return normal(static_cast<unsigned>(field));
    }

    // Anything finite: the whole range, or two operands of similar size.
    void ordinary(Operand& a, Operand& b) {
        if (coin()) {
            a = any();
            b = any();
        } else {
            a = normal(1 + below(0x7FFE));
            b = near(a, static_cast<int>(below(141)) - 70);
        }
    }

    Operand any() {
        const unsigned field = below(0x7FFF);
        std::uint64_t significand = random_();
        significand = field == 0 ? significand >> 1 : significand | (1ull << 63);
        return fromFields(coin(), field, significand);
    }

    Operand edge() {
        switch (below(12)) {
            case 0:
                return fromFields(coin(), 0, 0);  // zeros
            case 1:                               // denormals of every width
                return fromFields(coin(), 0, (random_() >> 1) >> below(63));
            case 2:  // around the smallest normal value
                return fromFields(coin(), 1 + below(2), (1ull << 63) | (random_() >> below(64)));
            case 3: {  // the largest finite value and just below it
                const std::uint64_t s = ~0ull - below(4);
                return fromFields(coin(), 0x7FFE - below(2), s);
            }
            case 4:
                return fromFields(coin(), 0x7FFF, 1ull << 63);  // infinities
            case 5: {  // NaNs, quiet and signalling, with payloads
                std::uint64_t s = (1ull << 63) | (random_() >> 2);
                if (coin()) s |= 1ull << 62;
                if ((s << 1) == 0) s |= 1;
                return fromFields(coin(), 0x7FFF, s);
            }
            case 6:
                return whole();
            case 7:  // powers of two
                return fromFields(coin(), below(0x7FFF), 1ull << 63);
            case 8:  // doubles' range ends
                return fromFields(coin(), 16383 + 1023 + below(3) - 1, ~0ull << below(13));
            case 9:
                return fromFields(coin(), 16383 - 1022 - below(60), random_() | (1ull << 63));
            default:
                return normal(16383 - 40 + below(80));  // money and rates
        }
    }

    // Whole numbers, halves and values between them, from 1/4 to 2^65.
    Operand whole() {
        const unsigned width = below(67);  // 2^(width - 2) <= |value| < 2^(width - 1)
        std::uint64_t s = random_() | (1ull << 63);
        if (width >= 2 && width < 64 && coin()) s &= ~0ull << (64 - width);  // x.0 or x.5
        return fromFields(coin(), 16383 - 2 + width, s);
    }

    // An edge pair: two edge operands, or pairs made to hit a tie, far
    // exponents or the range limits.
    void edgePair(Operand& a, Operand& b) {
        switch (below(6)) {
            case 0:
            case 1:
                a = edge();
                b = edge();
                return;
            case 2: {  // exponents more than 64 apart (and around 64)
                a = coin() ? any() : edge();
                b = near(a, static_cast<int>(62 + below(80)) * (coin() ? 1 : -1));
                return;
            }
            case 3: {  // a + b exactly half way between two neighbours of a
                a = any();
                const int field = static_cast<int>(a.soft.exponentField()) - 64;
                b = field > 0 ? fromFields(coin(), static_cast<unsigned>(field),
                                           (1ull << 63) | ((random_() & 1) << 62))
                              : fromFields(coin(), 0, 1ull << below(63));
                return;
            }
            case 4: {  // products of odd whole numbers that need exactly 65 bits
                const unsigned width = 2 + below(63);
                std::uint64_t p = (random_() >> (64 - width)) | (1ull << (width - 1)) | 1;
                const unsigned rest = 66 - width;
                std::uint64_t q = rest >= 64
                                      ? random_() | (1ull << 63) | 1
                                      : (random_() >> (64 - rest)) | (1ull << (rest - 1)) | 1;
                if (productWidth(p, q) != 65) q = (q >> 1) | 1;
                const int lead_p = std::countl_zero(p);
                const int lead_q = std::countl_zero(q);
                // Exponents that put the product anywhere, denormals included.
                const int ea = static_cast<int>(below(0x7FFE)) + 1;
                const int eb = static_cast<int>(below(0x7FFE)) + 1;
                a = fromFields(coin(), static_cast<unsigned>(ea), p << lead_p);
                b = fromFields(coin(), static_cast<unsigned>(eb), q << lead_q);
                if (coin()) {  // keep the product near the normal range
                    const int target = static_cast<int>(below(0x8000)) - 0x4000 + 16383;
                    const int fb = target - ea + 16383;
                    if (fb >= 1 && fb <= 0x7FFE)
                        b = fromFields(coin(), static_cast<unsigned>(fb), q << lead_q);
                }
                return;
            }
            default: {  // results at the ends of the range
                a = normal(coin() ? 0x7FFE - below(3) : 1 + below(64));
                b = coin() ? normal(16383 + below(3) - 1) : normal(16383 - 64 + below(128));
                return;
            }
        }
    }

    std::mt19937_64& engine() { return random_; }

  private:
    std::mt19937_64 random_;
};

double randomDouble(Operands& source) {
    std::uint64_t bits = source.bits();
    switch (source.below(6)) {
        case 0:
            bits &= (1ull << 63) | ((1ull << 52) - 1) >> source.below(52);  // denormals, zeros
            break;
        case 1:
            bits |= 0x7FFull << 52;  // infinities and NaNs of both kinds
            if (source.coin()) bits &= ~((1ull << 52) - 1) | (1ull << 63);
            break;
        default:
            break;
    }
    return std::bit_cast<double>(bits);
}

std::int64_t randomWhole(Operands& source) {
    const unsigned width = source.below(65);
    return width == 64 ? static_cast<std::int64_t>(source.bits())
                       : static_cast<std::int64_t>(source.bits() >> (63 - std::min(width, 63u))) *
                             (source.coin() ? 1 : -1);
}

struct Tally {
    std::uint64_t compared = 0;
    std::uint64_t mismatched = 0;
    std::uint64_t faults = 0;
};

long long pairsToRun() {
    const char* text = std::getenv("NESTORA_BITWISE_PAIRS");
    return text != nullptr ? std::atoll(text) : 10'000'000;
}

// Tallies each operation's comparisons and reports the first mismatches.
class Comparison {
  public:
    // The operands' text is made only for a report.
    template <typename Describe>
    void operator()(const char* name, const Outcome& native, const Outcome& soft,
                    Describe&& operands) {
        Tally& tally = tallies_[name];
        ++tally.compared;
        if (native.fault != 0) ++tally.faults;
        if (native == soft) return;
        ++tally.mismatched;
        if (reported_++ < 20) {
            ADD_FAILURE() << name << "(" << operands() << "): x87 " << native.text()
                          << ", software " << soft.text();
        }
    }

    void print() const {
        std::printf("%-14s %12s %12s %10s\n", "operation", "compared", "faults", "mismatched");
        for (const auto& [name, tally] : tallies_) {
            std::printf("%-14s %12llu %12llu %10llu\n", name.c_str(),
                        static_cast<unsigned long long>(tally.compared),
                        static_cast<unsigned long long>(tally.faults),
                        static_cast<unsigned long long>(tally.mismatched));
        }
    }

  private:
    std::map<std::string, Tally> tallies_;
    int reported_ = 0;
};

// The four operations, the six comparisons and negation on one pair.
void CompareArithmetic(Comparison& compare, const Operand& a, const Operand& b) {
    auto operands = [&] { return imageOf(&a.soft) + ", " + imageOf(&b.soft); };
    const long double x = a.native;
    const long double y = b.native;
    const SoftExtended u = a.soft;
    const SoftExtended v = b.soft;

    compare("add", outcomeOf([&] { return Native::add(x, y); }),
            outcomeOf([&] { return Soft::add(u, v); }), operands);
    compare("sub", outcomeOf([&] { return Native::sub(x, y); }),
            outcomeOf([&] { return Soft::sub(u, v); }), operands);
    compare("mul", outcomeOf([&] { return Native::mul(x, y); }),
            outcomeOf([&] { return Soft::mul(u, v); }), operands);
    compare("div", outcomeOf([&] { return Native::div(x, y); }),
            outcomeOf([&] { return Soft::div(u, v); }), operands);
    const int nativeOrder =
        (x < y) | (x == y) << 1 | (x > y) << 2 | (x <= y) << 3 | (x >= y) << 4 | (x != y) << 5;
    const int softOrder =
        (u < v) | (u == v) << 1 | (u > v) << 2 | (u <= v) << 3 | (u >= v) << 4 | (u != v) << 5;
    compare("compare", outcomeOf([&] { return nativeOrder; }), outcomeOf([&] { return softOrder; }),
            operands);
    compare("negate", outcomeOf([&] { return -x; }), outcomeOf([&] { return -u; }), operands);
}

// The conversions to and from double and the whole-number types.
void CompareConversions(Comparison& compare, Operands& source, const Operand& a) {
    auto operands = [&] { return imageOf(&a.soft); };
    const long double x = a.native;
    const SoftExtended u = a.soft;
    // The whole-number conversions take values around the 64-bit range three
    // times in four, where they are not a fault.
    const Operand c = source.below(4) == 0 ? a : source.whole();
    const long double cx = c.native;
    const SoftExtended cu = c.soft;
    auto converted = [&] { return imageOf(&cu); };
    compare("toDouble", outcomeOf([&] { return Native::toDouble(x); }),
            outcomeOf([&] { return Soft::toDouble(u); }), operands);
    compare("roundToInt64", outcomeOf([&] { return Native::roundToInt64(cx); }),
            outcomeOf([&] { return Soft::roundToInt64(cu); }), converted);
    compare("truncToInt64", outcomeOf([&] { return Native::truncToInt64(cx); }),
            outcomeOf([&] { return Soft::truncToInt64(cu); }), converted);
    compare("roundToUint64", outcomeOf([&] { return Native::roundToUint64(cx); }),
            outcomeOf([&] { return Soft::roundToUint64(cu); }), converted);

    const double d = randomDouble(source);
    compare("fromDouble", outcomeOf([&] { return static_cast<long double>(d); }),
            outcomeOf([&] { return SoftExtended(d); }), [&] { return std::to_string(d); });
    const std::int64_t w = randomWhole(source);
    compare("fromInt64", outcomeOf([&] { return static_cast<long double>(w); }),
            outcomeOf([&] { return SoftExtended(w); }), [&] { return std::to_string(w); });
    const std::uint64_t uw = static_cast<std::uint64_t>(randomWhole(source));
    compare("fromUint64", outcomeOf([&] { return static_cast<long double>(uw); }),
            outcomeOf([&] { return SoftExtended(uw); }), [&] { return std::to_string(uw); });
}

TEST(SoftExtended, AgreesWithTheX87BitForBit) {
    InitArithmetic();
    constexpr std::uint64_t seed = 0x5EED5EED0013;
    const long long pairs = pairsToRun();
    std::printf("[ seed     ] %llu, %lld pairs\n", static_cast<unsigned long long>(seed), pairs);
    Operands source(seed);
    Comparison compare;
    for (long long k = 0; k < pairs; ++k) {
        Operand a;
        Operand b;
        if (k % 2 == 0)
            source.ordinary(a, b);
        else
            source.edgePair(a, b);
        if (source.coin()) std::swap(a, b);
        CompareArithmetic(compare, a, b);
        CompareConversions(compare, source, a);
    }
    compare.print();
}

TEST(SoftExtended, LnIsWithinOneUnitAndItsDifferencesAreCounted) {
    InitArithmetic();
    constexpr std::uint64_t seed = 0x5EED5EED1013;
    const long long count = pairsToRun() / 10;
    std::printf("[ seed     ] %llu, %lld values\n", static_cast<unsigned long long>(seed), count);
    Operands source(seed);
    long long finite = 0;
    long long differ = 0;
    long long softNotNearest = 0;
    long long x87NotNearest = 0;
    double worstSoft = 0;
    double worstX87 = 0;
    int reported = 0;
    for (long long k = 0; k < count; ++k) {
        Operand a = k % 2 == 0 ? source.any() : source.edge();
        if (k % 4 == 1) {  // just above or below 1, where ln is smallest
            const std::uint64_t small = source.bits() >> (1 + source.below(63));
            a = source.coin() ? fromFields(false, 16383, (1ull << 63) | small)
                              : fromFields(false, 16382, ~0ull - small);
        }
        const Outcome native = outcomeOf([&] { return Native::ln(a.native); });
        const Outcome soft = outcomeOf([&] { return Soft::ln(a.soft); });
        if (native.fault != soft.fault) {
            ADD_FAILURE() << "ln(" << imageOf(&a.soft) << "): x87 " << native.text()
                          << ", software " << soft.text();
            continue;
        }
        if (native.fault != 0) continue;
        if (!(native == soft)) ++differ;
        long double x87;
        long double mine;
        std::memcpy(&x87, native.bits.data(), 10);
        std::memcpy(&mine, soft.bits.data(), 10);
        if (!std::isfinite(a.native) || a.native == 1) continue;
        ++finite;
        // 113 bits of the exact logarithm; errors in units of its last place.
        const __float128 exact = logq(static_cast<__float128>(a.native));
        const auto unit = static_cast<__float128>(
            std::ldexp(1.0L, std::ilogb(static_cast<long double>(exact)) - 63));
        const auto mineError =
            static_cast<double>(fabsq(static_cast<__float128>(mine) - exact) / unit);
        const auto x87Error =
            static_cast<double>(fabsq(static_cast<__float128>(x87) - exact) / unit);
        worstSoft = std::max(worstSoft, mineError);
        worstX87 = std::max(worstX87, x87Error);
        if (mineError > 0.5) ++softNotNearest;
        if (x87Error > 0.5) ++x87NotNearest;
        if (mineError >= 1 && reported++ < 10) {
            ADD_FAILURE() << "ln(" << imageOf(&a.soft) << ") is " << mineError
                          << " units from the exact value";
        }
    }
    std::printf(
        "ln: %lld values, %lld finite results checked; %lld differ from the x87 (%.4f %%)\n"
        "    software: within %.4f units of the exact value, %lld not the nearest\n"
        "    x87:      within %.4f units of the exact value, %lld not the nearest\n",
        count, finite, differ, 100.0 * static_cast<double>(differ) / static_cast<double>(count),
        worstSoft, softNotNearest, worstX87, x87NotNearest);
    EXPECT_LT(worstSoft, 1.0);
}

// The projection's count of years, step for step as Planner::calculate
// takes it, for either kind of extended. The quotient is the value before
// truncation (zero when no logarithm is taken).
template <class Rules, class T>
std::int64_t yearsProvided(const std::array<T, 5>& rates, std::int32_t n, T& quotient) {
    const auto [C, P, r, i, d] = rates;
    const T S = SavingsAfterYears<Rules>(C, P, r, n);
    const T A = Rules::div(S, WholePower<Rules>(Rules::add(T(1), i), n));
    const T D = Rules::mul(A, d);
    const T e = Rules::sub(r, i);
    quotient = T(0);
    if (NeverSpent<Rules>(e, A, D)) return YearsWhenNeverSpent;
    if (e > T(0)) {
        const T ratio = Rules::div(D, Rules::sub(D, Rules::mul(e, A)));
        quotient = Rules::div(Rules::ln(ratio), Rules::ln(Rules::add(T(1), e)));
        return Rules::truncToInt64(quotient);
    }
    return Rules::truncToInt64(Rules::div(A, D));
}

SoftExtended softOf(long double x) {
    unsigned char bytes[sizeof x];
    std::memcpy(bytes, &x, sizeof bytes);
    std::uint64_t significand;
    std::memcpy(&significand, bytes, 8);
    const unsigned top = bytes[8] | (bytes[9] << 8);
    return SoftExtended::fromFields((top & 0x8000u) != 0, top & 0x7FFFu, significand);
}

// Over a table of typed plans (rates in steps of half a percent), the
// logarithm's differences move the quotient of the count by a unit or two in
// its last place; the count of years changes only where that quotient lies
// on a whole number.
TEST(SoftExtended, YearsProvidedDifferOnlyOnWholeQuotients) {
    InitArithmetic();
    auto typed = [](int halfPercents) {
        return Native::div(static_cast<long double>(halfPercents), 200.0L);
    };
    long long plans = 0;
    long long withLn = 0;
    long long quotientsDiffer = 0;
    long long yearsDiffer = 0;
    long long nearWhole = 0;
    for (const long double C : {0.0L, 65000.0L, 1234567.0L}) {
        for (const long double P : {0.0L, 12000.0L}) {
            for (const std::int32_t n : {0, 20, 35}) {
                for (int r = 1; r <= 40; ++r) {
                    for (int i = 0; i <= 20; ++i) {
                        for (int d = 2; d <= 50; ++d) {
                            const std::array<long double, 5> native = {C, P, typed(r), typed(i),
                                                                       typed(d)};
                            std::array<SoftExtended, 5> soft;
                            for (std::size_t k = 0; k < 5; ++k) soft[k] = softOf(native[k]);
                            long double nq = 0;
                            SoftExtended sq;
                            std::int64_t nativeYears = 0;
                            std::int64_t softYears = 0;
                            const Outcome no = outcomeOf(
                                [&] { return nativeYears = yearsProvided<Native>(native, n, nq); });
                            const Outcome so = outcomeOf(
                                [&] { return softYears = yearsProvided<Soft>(soft, n, sq); });
                            ++plans;
                            ASSERT_EQ(no.fault, so.fault);
                            if (no.fault != 0) continue;
                            const long double sqAsNative = [&] {
                                long double x = 0;
                                std::memcpy(&x, &sq, 10);
                                return x;
                            }();
                            const bool whole =
                                std::fabs(nq - std::nearbyint(nq)) <= std::ldexp(nq, -60);
                            if (nq == 0) continue;  // no logarithm taken
                            ++withLn;
                            if (whole) ++nearWhole;
                            if (nq != sqAsNative) ++quotientsDiffer;
                            if (nativeYears != softYears) {
                                ++yearsDiffer;
                                EXPECT_TRUE(whole)
                                    << "years " << nativeYears << " and " << softYears
                                    << " from a quotient " << static_cast<double>(nq);
                            }
                        }
                    }
                }
            }
        }
    }
    std::printf(
        "years: %lld plans, %lld counted through logarithms; their quotient differs in %lld and "
        "lies within 2^-60 of a whole number in %lld; the years differ in %lld\n",
        plans, withLn, quotientsDiffer, nearWhole, yearsDiffer);
}

}  // namespace
}  // namespace nestora
