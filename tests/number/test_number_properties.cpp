// SPDX-License-Identifier: MIT
// Properties over many random values and texts, each loop with a fixed seed
// that it prints, so that a failure can be replayed.
#include <gtest/gtest.h>

#include <cmath>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <limits>
#include <random>
#include <string>
#include <vector>

#include "extended_bits.h"
#include "number/errors.h"
#include "number/integer_text.h"
#include "number/real_to_text.h"
#include "number/text_to_real.h"
#include "support/property_count.h"

namespace nestora {
namespace {

using testing::ExtendedFromFields;
using testing::ImageOf;
using testing::IsDenormal;
using testing::NextFromZero;

constexpr int kMaxReported = 10;

// Random extended values that reach the places where display text is hard:
// the whole exponent range with denormals, values a few units from a power
// of ten, values whose 16th digit is 5 after a run of nines, and money-sized
// values.
class ValueSource {
  public:
    explicit ValueSource(std::uint64_t seed) : random_(seed) {
        for (int k = -4950; k <= 4932; ++k) {
            powers_.push_back(TextToReal("1E" + std::to_string(k)).value);
        }
    }

    Extended next() {
        const bool negative = (random_() & 1) != 0;
        Extended magnitude = 0;
        switch (random_() % 8) {
            case 0:
            case 1:
            case 2:
            case 3: {  // anywhere, denormals included
                const unsigned field = static_cast<unsigned>(random_() % 0x7FFF);
                std::uint64_t significand = random_();
                significand = field == 0 ? significand >> 1 : significand | (1ull << 63);
                magnitude = ExtendedFromFields(false, field, significand);
                break;
            }
            case 4: {  // within a few units of a power of ten
                magnitude = powers_[random_() % powers_.size()];
                const int steps = static_cast<int>(random_() % 7) - 3;
                for (int i = 0; i < steps; ++i) magnitude = NextFromZero(magnitude, true);
                for (int i = 0; i > steps; --i) magnitude = NextFromZero(magnitude, false);
                break;
            }
            case 5: {  // d16 = 5 after trailing nines: the carry of the cut
                std::uint64_t digits = 100000000000000ull + random_() % 900000000000000ull;
                const std::uint64_t nines = 1 + random_() % 14;
                std::uint64_t unit = 1;
                for (std::uint64_t i = 0; i < nines; ++i) unit *= 10;
                digits = digits - digits % unit + unit - 1;
                const int exponent = static_cast<int>(random_() % 9800) - 4900;
                const std::string text = std::to_string(digits) + "5" +
                                         std::to_string(random_() % 100) + "E" +
                                         std::to_string(exponent);
                magnitude = TextToReal(text).value;
                break;
            }
            default: {  // money and rates
                const unsigned field = 16383 - 20 + static_cast<unsigned>(random_() % 70);
                magnitude = ExtendedFromFields(false, field, random_() | (1ull << 63));
                break;
            }
        }
        return negative ? -magnitude : magnitude;
    }

  private:
    std::mt19937_64 random_;
    std::vector<Extended> powers_;
};

TEST(NumberProperties, DisplayTextIsStableThroughAParse) {
    constexpr std::uint64_t seed = 0x5EED0001;
    const int count = testing::PropertyCount(1'000'000);
    std::printf("[ seed     ] %llu\n", static_cast<unsigned long long>(seed));
    ValueSource source(seed);
    // Texts at or below this parse to a denormal, which shows as "0".
    const Extended smallestStable = TextToReal("3.36210314311210E-4932").value;
    int reported = 0;
    for (int i = 0; i < count && reported < kMaxReported; ++i) {
        const Extended value = source.next();
        const std::string text = RealToText(value, '.');
        const RealParse parsed = TextToReal(text);
        const std::string again = RealToText(parsed.value, '.');
        if (parsed.ok() && again == text) continue;
        if (parsed.ok() && IsDenormal(parsed.value) && fp::abs(value) < smallestStable) {
            continue;
        }
        ++reported;
        ADD_FAILURE() << "value " << ImageOf(value) << " shows \"" << text << "\", parses to "
                      << ImageOf(parsed.value) << " (position " << parsed.position
                      << "), which shows \"" << again << "\"";
    }
}

// Texts made mostly of the characters that the parsers look at.
std::string randomText(std::mt19937_64& random) {
    static constexpr char alphabet[] = "0123456789012345678901234567890123456789 +-.eE$xX,\tAf";
    const std::size_t length = random() % 24;
    std::string text;
    for (std::size_t i = 0; i < length; ++i)
        text.push_back(alphabet[random() % (sizeof alphabet - 1)]);
    return text;
}

TEST(NumberProperties, ParsingArbitraryTextNeverFaultsExceptOverflow) {
    constexpr std::uint64_t seed = 0x5EED0002;
    const int count = testing::PropertyCount(300'000);
    std::printf("[ seed     ] %llu\n", static_cast<unsigned long long>(seed));
    std::mt19937_64 random(seed);
    int reported = 0;
    for (int i = 0; i < count && reported < kMaxReported; ++i) {
        const std::string text = randomText(random);
        const auto length = static_cast<std::int32_t>(text.size());
        try {
            const RealParse real = TextToReal(text);
            // A failed parse gives the digits read so far: never negative.
            const bool sound = real.position >= 0 && real.position <= length + 1 &&
                               (real.ok() || (real.value >= 0 && !fp::signBit(real.value)));
            if (!sound) {
                ++reported;
                ADD_FAILURE() << "TextToReal(\"" << text << "\") gave " << ImageOf(real.value)
                              << " at " << real.position;
            }
        } catch (const EOverflow&) {
        }

        // A hexadecimal prefix with nothing after it reports length + 2.
        const IntegerParse integer = TextToInteger(text);
        bool sound = integer.position >= 0 && integer.position <= length + 2;
        if (sound && integer.ok() && text.find_first_of("$xX") == std::string::npos) {
            sound = integer.value == std::strtoll(text.c_str(), nullptr, 10);
        }
        if (!sound) {
            ++reported;
            ADD_FAILURE() << "TextToInteger(\"" << text << "\") gave " << integer.value << " at "
                          << integer.position;
        }
    }
}

TEST(NumberProperties, IntegerTextReadsBack) {
    constexpr std::uint64_t seed = 0x5EED0003;
    std::printf("[ seed     ] %llu\n", static_cast<unsigned long long>(seed));
    std::mt19937_64 random(seed);
    int reported = 0;
    const int count = testing::PropertyCount(1'000'000);
    for (int i = 0; i < count && reported < kMaxReported; ++i) {
        const auto value = static_cast<std::int32_t>(static_cast<std::uint32_t>(random()));
        const IntegerParse parsed = TextToInteger(IntegerToText(value));
        if (parsed.ok() && parsed.value == value) continue;
        ++reported;
        ADD_FAILURE() << value << " reads back as " << parsed.value << " at " << parsed.position;
    }
}

}  // namespace
}  // namespace nestora
