// SPDX-License-Identifier: MIT
#include "schedule/solver.h"

#include <algorithm>
#include <cstdio>
#include <map>
#include <stdexcept>

#include "number/text_to_real.h"
#include "projection/project.h"
#include "schedule/history.h"
#include "schedule/plan_years.h"
#include "schedule/solver_markets.h"

namespace nestora {

namespace {

constexpr SolveFor AllQuantities[] = {SolveFor::Draw, SolveFor::Spend, SolveFor::Retire,
                                      SolveFor::Saving};

void CheckOptions(const SolveOptions& options) {
    if (options.successPercent < MinSuccessPercent || options.successPercent > MaxSuccessPercent)
        throw std::invalid_argument("success level out of range");
    CheckSimulationOptions(options.simulation);
    if (options.historyStockShare &&
        !(*options.historyStockShare >= 0 && *options.historyStockShare <= 1))
        throw std::invalid_argument("stock share out of range");
}

// The balance at retirement in today's money and the spending rule's terms
// of the fixed-return plan.
RetirementStart StartOf(const Plan& plan, const Projection& projection, const LifePlan& life) {
    const std::int32_t n = std::max(plan.YearsToRetirement, 0);
    return StartOfRetirement(plan, projection, life,
                             PlanYears(plan, life, n, FixedInflation(plan)));
}

// One value of the quantity made a plan, its sums worked out.
struct Trial {
    Plan plan;
    Projection projection;
    LifePlan life;
    bool cannotPay = false;  // a draw to pay and nothing to pay it from
};

class Search {
  public:
    Search(const Plan& plan, const LifePlan& life, SolveFor quantity, const SolveOptions& options)
        : plan_(plan),
          life_(life),
          quantity_(quantity),
          percent_(options.successPercent),
          horizon_(options.simulation.horizon),
          measuredOn_(options.historyStockShare           ? SolvedMarkets::History
                      : options.simulation.volatility > 0 ? SolvedMarkets::Simulated
                                                          : SolvedMarkets::Fixed),
          markets_(plan, MoneyOf(plan), life_, options.simulation, options.historyStockShare,
                   SavingYearsTried(plan, quantity)) {
        keepsDraw_ = (quantity == SolveFor::Retire || quantity == SolveFor::Saving) &&
                     life_.rule != SpendingRule::Percent && !life_.spendToday;
        if (keepsDraw_) {
            const Projection projection = MoneyOf(plan);
            draw_ = StartOf(plan, projection, life_).terms.draw;
        }
    }

    Trial trial(std::int64_t value) const;
    bool succeeds(std::int64_t value) { return passes(tally(value)); }
    const MarketTally& tally(std::int64_t value);
    bool passes(const MarketTally& t) const {
        return t.markets > 0 && static_cast<std::int64_t>(t.funded) * 100 >=
                                    static_cast<std::int64_t>(percent_) * t.markets;
    }
    Solution answer(std::int64_t value, bool found, std::optional<std::int64_t> next);
    // What the plan as it stands pays a year in today's money.
    Extended planYearly() const {
        const RuleTerms<Extended> terms = StartOf(plan_, MoneyOf(plan_), life_).terms;
        return terms.spends ? terms.spend : terms.draw;
    }

  private:
    static std::int32_t SavingYearsTried(const Plan& plan, SolveFor quantity) {
        return quantity == SolveFor::Retire ? static_cast<std::int32_t>(MaxSolvedYears)
                                            : std::max(plan.YearsToRetirement, 0);
    }
    static Projection MoneyOf(const Plan& plan) {
        Projection projection;
        ProjectMoney(plan, projection);
        return projection;
    }

    Plan plan_;
    LifePlan life_;
    SolveFor quantity_;
    std::int32_t percent_;
    std::int32_t horizon_;
    SolvedMarkets measuredOn_;
    SolverMarkets markets_;
    bool keepsDraw_ = false;
    Extended draw_ = 0;  // the plan's draw in today's money, kept when keepsDraw_
    std::map<std::int64_t, MarketTally> tried_;
};

Trial Search::trial(std::int64_t value) const {
    const SolvedPlan solved = WithValue(plan_, life_, quantity_, value);
    Trial t{solved.plan, {}, solved.life};
    ProjectMoney(t.plan, t.projection);
    if (keepsDraw_ && draw_ > 0) {
        // The plan's draw from this plan's balance: the rate that pays it.
        const Extended balance = StartOf(t.plan, t.projection, t.life).balanceToday;
        if (!(balance > 0)) {
            t.cannotPay = true;
            return t;
        }
        t.plan.RetirementDraw = fp::div(draw_, balance);
        ProjectMoney(t.plan, t.projection);
    }
    return t;
}

const MarketTally& Search::tally(std::int64_t value) {
    const auto known = tried_.find(value);
    if (known != tried_.end()) return known->second;
    const Trial t = trial(value);
    const MarketTally tally = t.cannotPay
                                  ? MarketTally{0, markets_.markets(t.plan.YearsToRetirement)}
                                  : markets_.tally(t.plan, t.projection, t.life);
    return tried_.emplace(value, tally).first->second;
}

Solution Search::answer(std::int64_t value, bool found, std::optional<std::int64_t> next) {
    Solution s;
    s.quantity = quantity_;
    s.measuredOn = measuredOn_;
    s.horizon = horizon_;
    s.found = found;
    s.moot = quantity_ == SolveFor::Draw && !DrawRateCounts(life_);
    s.value = value;
    const MarketTally at = tally(value);
    s.fundedMarkets = at.funded;
    s.markets = at.markets;
    if (next) {
        const MarketTally beyond = tally(*next);
        s.nextSuccess =
            beyond.markets == 0 ? 0 : static_cast<double>(beyond.funded) / beyond.markets;
    }
    const Trial t = trial(value);
    s.spends = quantity_ == SolveFor::Spend || t.life.spendToday.has_value();
    if (!t.cannotPay) {
        const RuleTerms<Extended> terms = StartOf(t.plan, t.projection, t.life).terms;
        s.yearlyToday = terms.spends ? terms.spend : terms.draw;
    } else {
        s.yearlyToday = draw_;
    }
    return s;
}

}  // namespace

bool DrawRateCounts(const LifePlan& life) {
    return !life.spendToday || life.rule == SpendingRule::Percent;
}

namespace {

// Narrows good (succeeds) and bad (does not) to neighbours.
std::int64_t Bisect(Search& search, std::int64_t good, std::int64_t bad) {
    while (good - bad > 1 || bad - good > 1) {
        const std::int64_t mid = good + (bad - good) / 2;
        (search.succeeds(mid) ? good : bad) = mid;
    }
    return good;
}

std::int64_t Toward(std::int64_t from, std::int64_t to) { return from < to ? from + 1 : from - 1; }

// A range with both ends given: `best` is the end with the highest success.
Solution SolveRange(Search& search, std::int64_t best, std::int64_t worst) {
    if (!search.succeeds(best)) return search.answer(best, false, std::nullopt);
    if (search.succeeds(worst)) return search.answer(worst, true, std::nullopt);
    const std::int64_t value = Bisect(search, best, worst);
    return search.answer(value, true, Toward(value, worst));
}

// A sum from 0 to MaxSolvedSum, bracketed from `guess` by doubling: success
// falls as the sum rises (spending) or rises with it (saving).
Solution SolveSum(Search& search, bool falls, std::int64_t guess) {
    const std::int64_t top = MaxSolvedSum;
    if (search.succeeds(0) != falls) {
        if (falls) return search.answer(0, false, std::nullopt);
        return search.answer(0, true, std::nullopt);
    }
    std::int64_t below = 0;  // on the side of 0, with the outcome of 0
    std::int64_t probe = std::clamp<std::int64_t>(guess, 1, top);
    while (search.succeeds(probe) == falls) {
        below = probe;
        if (probe == top) return search.answer(top, falls, std::nullopt);
        probe = std::min(top, probe * 2);
    }
    const std::int64_t good = falls ? below : probe;
    const std::int64_t bad = falls ? probe : below;
    const std::int64_t value = Bisect(search, good, bad);
    return search.answer(value, true, Toward(value, bad));
}

std::int64_t WholeGuess(Extended sum) {
    const double value = fp::toDouble(sum);
    if (!(value >= 1)) return 1;
    if (value >= static_cast<double>(MaxSolvedSum)) return MaxSolvedSum;
    return static_cast<std::int64_t>(value);
}

}  // namespace

const char* SolveForName(SolveFor quantity) {
    switch (quantity) {
        case SolveFor::Spend:
            return "spend";
        case SolveFor::Retire:
            return "retire";
        case SolveFor::Saving:
            return "saving";
        case SolveFor::Draw:
            break;
    }
    return "draw";
}

std::optional<SolveFor> SolveForNamed(const std::string& name) {
    for (const SolveFor quantity : AllQuantities)
        if (name == SolveForName(quantity)) return quantity;
    return std::nullopt;
}

std::string DrawRateText(std::int64_t hundredths) {
    char text[32];
    std::snprintf(text, sizeof text, "%lld.%02lld", static_cast<long long>(hundredths / 100),
                  static_cast<long long>(hundredths % 100));
    return text;
}

Extended DrawRate(std::int64_t hundredths) {
    return fp::div(TextToReal(DrawRateText(hundredths)).value, 100);
}

SolvedPlan WithValue(const Plan& plan, const LifePlan& life, SolveFor quantity,
                     std::int64_t value) {
    SolvedPlan solved{plan, life};
    switch (quantity) {
        case SolveFor::Draw:
            solved.plan.RetirementDraw = DrawRate(value);
            break;
        case SolveFor::Spend:
            solved.life.spendToday = Extended(value);
            break;
        case SolveFor::Retire:
            solved.plan.YearsToRetirement = static_cast<std::int32_t>(value);
            break;
        case SolveFor::Saving:
            solved.plan.AnnualSavings = Extended(value);
            break;
    }
    return solved;
}

Solution Solve(const Plan& plan, const LifePlan& life, SolveFor quantity,
               const SolveOptions& options) {
    CheckOptions(options);
    Search search(plan, life, quantity, options);
    switch (quantity) {
        case SolveFor::Draw:
            return SolveRange(search, MinDrawHundredths, MaxDrawHundredths);
        case SolveFor::Retire: {
            std::int64_t last = MaxSolvedYears;
            if (options.historyStockShare)
                while (last > 0 &&
                       StretchCount(static_cast<std::int32_t>(last) + options.simulation.horizon,
                                    UsMarkets()) == 0)
                    --last;
            return SolveRange(search, last, 0);
        }
        case SolveFor::Spend:
            return SolveSum(search, true, WholeGuess(search.planYearly()));
        case SolveFor::Saving:
            return SolveSum(search, false, WholeGuess(plan.AnnualSavings));
    }
    return search.answer(0, false, std::nullopt);
}

}  // namespace nestora
