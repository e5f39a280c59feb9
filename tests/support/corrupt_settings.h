// SPDX-License-Identifier: MIT
// Damaged settings files and what the program should make of each.
//
// CorruptSettingsFiles makes, from one seed, the default file cut at every
// length, single-byte changes, inserted blank lines, tabs, lone CRs, Ctrl-Z
// and long digit runs, and files of random bytes.
//
// PredictStart works out, without the settings reader, how a start-up ends
// for such a file. It follows the file's reading rules on the bytes: the text
// ends at the first Ctrl-Z; each of the eight lines is one item, found by
// passing over codes 0 to 32 (across line ends) and taking the characters
// above 32 that follow, at most 32 for an integer line and 64 for a real one;
// the rest of the line up to and including the next LF is dropped; the end of
// the text reads as 0. The first token that does not parse (or whose exponent
// is beyond the range) stops the load.
#pragma once

#include <array>
#include <cmath>
#include <cstdint>
#include <cstdio>
#include <random>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

#include "number/arith.h"
#include "number/errors.h"
#include "number/extended_bits.h"
#include "number/integer_text.h"
#include "number/text_to_real.h"
#include "projection/plan.h"
#include "support/first_run.h"

namespace nestora::testing {

struct SettingsCase {
    std::string name;  // how it was made, for the failure message
    std::string bytes;
};

// The bytes in a form that shows every control code: "10\r\n\x1a".
inline std::string Visible(std::string_view bytes) {
    std::string out;
    for (const char c : bytes) {
        const auto u = static_cast<unsigned char>(c);
        if (c == '\r')
            out += "\\r";
        else if (c == '\n')
            out += "\\n";
        else if (c == '\t')
            out += "\\t";
        else if (u < 32 || u >= 127 || c == '\\') {
            char hex[8];
            std::snprintf(hex, sizeof hex, "\\x%02x", u);
            out += hex;
        } else
            out += c;
    }
    return out;
}

inline std::vector<SettingsCase> CorruptSettingsFiles(std::uint32_t seed) {
    std::mt19937 rng(seed);
    const auto below = [&rng](std::size_t n) { return static_cast<std::size_t>(rng() % n); };
    // Bytes that matter to the reader and the parsers, then any byte.
    const std::string telling =
        std::string("0123456789-+.eExX$ \t\r\n\x1a") + std::string(1, '\0') + "\x7f\xff,a";
    const auto anyByte = [&] {
        return below(2) == 0 ? telling[below(telling.size())] : static_cast<char>(below(256));
    };
    const std::string& file = DefaultSettingsFile;
    std::vector<SettingsCase> cases;

    for (std::size_t length = 0; length <= file.size(); ++length)
        cases.push_back({"cut at " + std::to_string(length), file.substr(0, length)});

    for (int k = 0; k < 200; ++k) {
        std::string bytes = file;
        const std::size_t at = below(bytes.size());
        bytes[at] = anyByte();
        cases.push_back({"byte " + std::to_string(at) + " changed", bytes});
    }

    const std::array<std::string, 7> inserts = {"\r\n", "\t", "\r", "\x1a", "  ", "\n", "\r\n\r\n"};
    for (int k = 0; k < 150; ++k) {
        std::string bytes = file;
        const std::size_t at = below(bytes.size() + 1);
        const std::string& what = inserts[below(inserts.size())];
        bytes.insert(at, what);
        cases.push_back({"\"" + Visible(what) + "\" inserted at " + std::to_string(at), bytes});
    }

    // Digit runs around the token limits of 32 and 64 characters.
    for (int k = 0; k < 40; ++k) {
        std::string bytes = file;
        const std::size_t at = below(bytes.size() + 1);
        std::string run(28 + below(42), '0');
        for (char& c : run) c = static_cast<char>('0' + below(10));
        bytes.insert(at, run);
        cases.push_back(
            {std::to_string(run.size()) + " digits inserted at " + std::to_string(at), bytes});
    }

    for (int k = 0; k < 60; ++k) {
        std::string bytes(below(200), '\0');
        for (char& c : bytes) c = anyByte();
        cases.push_back({"random bytes " + std::to_string(k), bytes});
    }
    return cases;
}

// When a load stops, the plan holds the values read before the failing
// line, that line's partial value (a real's; an integer's is left open) and
// the defaults after it.
struct PredictedStart {
    bool loads = true;    // all eight items parse
    std::string message;  // otherwise the error box's message, twice
    std::int32_t top = 0, left = 0;
    std::int32_t years = DefaultPlan().YearsToRetirement;
    bool yearsOpen = false;  // the years' own line failed
    // savings, annual, return, inflation, draw
    std::array<Extended, 5> reals{DefaultPlan().CurrentSavings, DefaultPlan().AnnualSavings,
                                  DefaultPlan().InvestmentReturn, DefaultPlan().InflationRate,
                                  DefaultPlan().RetirementDraw};
};

inline PredictedStart PredictStart(std::string_view bytes) {
    const std::string_view text = bytes.substr(0, bytes.find('\x1a'));
    std::size_t p = 0;
    const auto token = [&](std::size_t limit) {
        while (p < text.size() && static_cast<unsigned char>(text[p]) <= 32) ++p;
        const std::size_t start = p;
        while (p < text.size() && static_cast<unsigned char>(text[p]) > 32 && p - start < limit)
            ++p;
        return text.substr(start, p - start);
    };
    const auto dropLine = [&] {
        while (p < text.size())
            if (text[p++] == '\n') return;
    };

    PredictedStart start;
    std::int32_t* integers[] = {&start.top, &start.left, &start.years};
    int integer = 0, real = 0;
    for (int line = 1; line <= 8; ++line) {
        const bool isInteger = line == 1 || line == 2 || line == 8;
        const std::string_view item = token(isInteger ? 32 : 64);
        bool ok = true;
        if (isInteger) {
            const IntegerParse parsed = TextToInteger(item);
            ok = item.empty() || parsed.ok();
            *integers[integer++] = item.empty() ? 0 : parsed.value;
            if (!ok && line == 8) start.yearsOpen = true;
        } else {
            try {
                const RealParse parsed = TextToReal(item);
                ok = item.empty() || parsed.ok();
                start.reals[static_cast<std::size_t>(real++)] = item.empty() ? 0 : parsed.value;
            } catch (const EOverflow& fault) {
                start.loads = false;
                start.message = fault.message();
                return start;
            }
        }
        if (!ok) {
            start.loads = false;
            start.message = "Invalid numeric input";
            return start;
        }
        dropLine();
    }
    return start;
}

// What an entry field may show for a value read from the file: its
// replacement text when the value lies clearly below or above the field's
// range, a value near the file's (within half of the field's last digit)
// when it lies clearly inside, and either of the two when it lies so near a
// limit that the rounding of the filled text decides.
struct ShownValue {
    std::string text;        // the replacement text it may show, "" for none
    bool near = false;       // whether it may show a value near `value`
    long double value = 0;   // in the field's units (percent for rates)
    long double within = 0;  // half of the field's last digit
};

inline ShownValue ReplacedBy(std::string text) { return {std::move(text), false, 0, 0}; }
inline ShownValue Near(long double value, long double within) { return {"", true, value, within}; }
inline ShownValue ReplacedByOrNear(std::string text, long double value, long double within) {
    return {std::move(text), true, value, within};
}

// Money: whole units, not below 0. Values beyond 1e12 make the load's fill
// fault (ExpectFields marks them not plain) and have no expectation.
inline ShownValue ExpectedMoney(Extended value) {
    const long double v = ToLongDouble(value);
    if (v < -0.51L) return ReplacedBy("0");
    if (v > -0.49L) return Near(v, 0.5L);
    return ReplacedByOrNear("0", v, 0.5L);  // rounds to -1 (replaced) or to 0
}

// Rates: percent with two decimals, from `low` (exclusive for the draw, whose
// floor text is "1") to `high`.
inline ShownValue ExpectedPercent(Extended value, bool drawRule, long double high) {
    const long double rate = ToLongDouble(value);
    const long double p = rate * 100;
    const long double margin = 0.001L;
    const long double low = drawRule ? 0.005L : -0.005L;  // the rounding edge of the lower rule
    const std::string lowText = drawRule ? "1" : "0";
    const std::string highText = std::to_string(static_cast<int>(high));
    const long double top = high + 0.005L;
    if (p < low - margin) return ReplacedBy(lowText);
    if (p > top + margin) return ReplacedBy(highText);
    if (p > low + margin && p < top - margin) return Near(p, 0.005L);
    return ReplacedByOrNear(p <= low + margin ? lowText : highText, p, 0.005L);
}

// The five reals and the years, as the fields Edit1, Edit2, Edit9, Edit10,
// Edit8 and Edit11 should show them. Plain is false when a value lies beyond
// what the fields can show without an arithmetic fault in the load.
struct ExpectedFields {
    bool plain = true;
    std::array<ShownValue, 5> reals;
    std::string years;
};

inline ExpectedFields ExpectFields(const PredictedStart& start) {
    ExpectedFields out;
    out.reals[0] = ExpectedMoney(start.reals[0]);
    out.reals[1] = ExpectedMoney(start.reals[1]);
    out.reals[2] = ExpectedPercent(start.reals[2], false, 100);
    out.reals[3] = ExpectedPercent(start.reals[3], false, 25);
    out.reals[4] = ExpectedPercent(start.reals[4], true, 25);
    for (std::size_t k = 0; k < 5; ++k) {
        const long double v = ToLongDouble(start.reals[k]);
        if (!std::isfinite(v) || std::fabs(v) > 1e12L) out.plain = false;
    }
    out.years = start.years < 0 ? "0" : start.years > 80 ? "80" : std::to_string(start.years);
    return out;
}

// Whether `shown` is what the field may show; `why` says what differs.
inline bool ShowsExpected(const std::string& shown, const ShownValue& expected, std::string& why) {
    if (!expected.text.empty() && shown == expected.text) return true;
    if (expected.near) {
        const RealParse parsed = TextToReal(shown);
        if (parsed.ok() &&
            std::fabs(ToLongDouble(parsed.value) - expected.value) <= expected.within + 1e-9L)
            return true;
    }
    why = "shows \"" + shown + "\", expected";
    if (!expected.text.empty()) why += " \"" + expected.text + "\"";
    if (!expected.text.empty() && expected.near) why += " or";
    if (expected.near)
        why += " within " + std::to_string(static_cast<double>(expected.within)) + " of " +
               std::to_string(static_cast<double>(expected.value));
    if (expected.text.empty() && !expected.near) why += " nothing (no expectation was made)";
    return false;
}

}  // namespace nestora::testing
