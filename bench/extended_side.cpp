// SPDX-License-Identifier: MIT
// Compiled twice, see bench/extended_side.h.
#include "extended_side.h"

#include <array>
#include <random>
#include <string>
#include <vector>

#include "number/arith.h"
#include "number/real_item.h"
#include "number/real_to_text.h"
#include "number/text_to_real.h"
#include "projection/desktop.h"
#include "projection/field.h"
#include "projection/plan.h"
#include "projection/planner.h"

namespace nestora::bench {
namespace {

class QuietField final : public Field {
  public:
    std::string text() const override { return text_; }
    void setText(const std::string& text) override { text_ = text; }
    void selectAll() override {}

  private:
    std::string text_;
};

class QuietDesktop final : public Desktop {
  public:
    void warning(const std::string&) override {}
    void beep() override {}
    void errorBox(const std::string&, const std::string&) override {}
    void openAddress(const std::string&) override {}
};

struct Side {
    QuietDesktop desktop;
    Planner planner{desktop};
    std::array<QuietField, 6> entries;
    std::array<QuietField, 4> results;
    std::vector<Plan> plans;
    std::vector<Extended> values;
    std::vector<std::string> texts;
};

Side& side() {
    static Side s;
    return s;
}

}  // namespace

void Prepare() {
    InitArithmetic();
    Side& s = side();
    for (std::size_t k = 0; k < AllEntries.size(); ++k)
        s.planner.bindEntry(AllEntries[k], s.entries[k]);
    for (std::size_t k = 0; k < AllResults.size(); ++k)
        s.planner.bindResult(AllResults[k], s.results[k]);
    std::mt19937_64 random(20261210);
    auto percent = [&](int low, int high) {
        const std::string text = std::to_string(low + static_cast<int>(random() % (high - low))) +
                                 "." + std::to_string(random() % 100);
        return fp::div(TextToReal(text).value, 100);
    };
    for (int k = 0; k < 1024; ++k) {
        Plan plan = DefaultPlan();
        plan.CurrentSavings = TextToReal(std::to_string(random() % 2000000)).value;
        plan.InvestmentReturn = percent(0, 15);
        plan.InflationRate = percent(0, 6);
        plan.RetirementDraw = percent(1, 12);
        plan.YearsToRetirement = static_cast<std::int32_t>(random() % 45);
        s.plans.push_back(plan);
        std::string text =
            std::to_string(random() % 100000000) + "." + std::to_string(random() % 100);
        if (k % 4 == 3)
            text = std::to_string(random() % 1000000) + "E" + std::to_string(random() % 600);
        s.texts.push_back(text);
        s.values.push_back(TextToReal(text).value);
    }
}

std::size_t Calculate(std::size_t i) {
    Side& s = side();
    s.planner.plan = s.plans[i & 1023];
    s.planner.calculate();
    return static_cast<std::size_t>(s.planner.projection.YearsProvided);
}

std::size_t TextToRealOnce(std::size_t i) {
    return static_cast<std::size_t>(fp::signBit(TextToReal(side().texts[i & 1023]).value)) + i;
}

std::size_t RealToTextOnce(std::size_t i) {
    return RealToText(side().values[i & 1023], '.').size();
}

std::size_t RealItemOnce(std::size_t i) {
    char out[RealItemLength];
    FormatRealItem(side().values[i & 1023], out);
    return static_cast<std::size_t>(out[5]);
}

std::size_t ArithmeticOnce(std::size_t i) {
    const Side& s = side();
    const Extended a = s.values[i & 1023];
    const Extended b = s.values[(i + 1) & 1023];
    const Extended r = fp::div(fp::mul(fp::add(a, b), fp::sub(a, b)), fp::add(b, 1));
    return static_cast<std::size_t>(fp::signBit(r));
}

std::size_t LnOnce(std::size_t i) {
    return static_cast<std::size_t>(fp::signBit(fp::ln(fp::add(side().values[i & 1023], 1))));
}

}  // namespace nestora::bench
