// SPDX-License-Identifier: MIT
#include "number/text_to_real.h"

#include <cstddef>
#include <cstdint>
#include <limits>

#include "number/power_of_ten.h"

namespace nestora {
namespace {

bool isDigit(char c) { return c >= '0' && c <= '9'; }

// Effective exponents at or beyond these give infinity or zero outright.
constexpr std::int64_t kExponentLimit = 5120;

// A written exponent or a count of fraction digits stops growing here: far
// beyond kExponentLimit, far below the 64-bit range, so that neither x nor
// x - f can wrap around however long the text is.
constexpr std::int64_t kSaturation = std::int64_t{1} << 40;

// The accumulator v of the digits. Every whole number below 2^64 is exact in
// the extended format, so while v × 10 + digit stays below 2^64 both steps
// are exact and a 64-bit integer gives the same v faster. From the first
// step that could round, v is extended and each step goes through fp::.
class Digits {
  public:
    void append(char c) {
        const auto digit = static_cast<unsigned>(c - '0');
        if (exact_) {
            if (whole_ <= (kLargestWhole - digit) / 10) {
                whole_ = whole_ * 10 + digit;
                return;
            }
            exact_ = false;
            v_ = static_cast<Extended>(whole_);
        }
        v_ = fp::add(fp::mul(v_, 10.0L), static_cast<Extended>(digit));
    }

    Extended value() const { return exact_ ? static_cast<Extended>(whole_) : v_; }

  private:
    static constexpr std::uint64_t kLargestWhole = ~std::uint64_t{0};
    std::uint64_t whole_ = 0;
    Extended v_ = 0.0L;
    bool exact_ = true;
};

}  // namespace

RealParse TextToReal(std::string_view text) {
    const std::size_t length = text.size();
    std::size_t i = 0;
    while (i < length && text[i] == ' ') ++i;

    bool negative = false;
    if (i < length && (text[i] == '-' || text[i] == '+')) {
        negative = text[i] == '-';
        ++i;
    }
    if (i == length) return {0.0L, ParsePosition(length + 1)};

    // Every digit, before or after the point, is v × 10 then + digit, each
    // rounded to extended; a value beyond the range raises EOverflow here.
    Digits v;
    for (; i < length && isDigit(text[i]); ++i) v.append(text[i]);
    std::int64_t fractionDigits = 0;
    if (i < length && text[i] == '.') {
        for (++i; i < length && isDigit(text[i]); ++i) {
            v.append(text[i]);
            if (fractionDigits < kSaturation) ++fractionDigits;
        }
    }
    auto failAt = [&v](std::size_t index) {
        return RealParse{v.value(), ParsePosition(index + 1)};
    };

    std::int64_t written = 0;
    if (i < length && (text[i] == 'E' || text[i] == 'e')) {
        ++i;
        bool exponentNegative = false;
        if (i < length && (text[i] == '-' || text[i] == '+')) {
            exponentNegative = text[i] == '-';
            ++i;
        }
        // A marker, or a marker and a sign, that ends the text wants more.
        if (i == length) return failAt(length);
        if (!isDigit(text[i])) return failAt(i);
        for (; i < length && isDigit(text[i]); ++i) {
            if (written < kSaturation) written = written * 10 + (text[i] - '0');
        }
        if (exponentNegative) written = -written;
    }
    if (i < length) return failAt(i);

    // A zero stays zero whatever its exponent: "0E6000" is 0, not infinity.
    const std::int64_t n = written - fractionDigits;
    const Extended digits = v.value();
    Extended magnitude;
    if (digits == 0 || n <= -kExponentLimit) {
        magnitude = 0.0L;
    } else if (n >= kExponentLimit) {
        magnitude = std::numeric_limits<Extended>::infinity();
    } else {
        magnitude = ScaleByPowerOfTen(digits, static_cast<int>(n));
    }
    return {negative ? -magnitude : magnitude, 0};
}

}  // namespace nestora
