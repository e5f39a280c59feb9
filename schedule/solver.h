// SPDX-License-Identifier: MIT
// The question answered: the value of one plan input that the plan's
// markets just bear. The success of a plan is the share of its markets that
// pay the full amount in every one of the horizon's retirement years:
// simulated markets (simulation.h, the same seed for every value tried, so
// every value meets the same markets), or, with returns that do not vary,
// the schedule, whose one market lasts the horizon or does not (success 1
// or 0), or the stretches of history (history.h).
//
// The quantities and their ranges, as the main window's fields take them:
//   draw    the largest draw rate, 0.01 … 25.00 % in steps of 0.01 %;
//   spend   the largest yearly spending in today's money (other income
//           counted), 0 … MaxSolvedSum in whole units;
//   retire  the fewest years to retirement, 0 … 80;
//   saving  the smallest yearly saving, 0 … MaxSolvedSum in whole units.
// Retire and saving keep the plan's draw: with the fixed or the guardrails
// rule and no spending amount, the draw in today's money that the plan as
// it stands pays (more years or more saving then leave a larger balance for
// the same draw); with a spending amount, that amount; with the percent
// rule, the rate.
//
// Success falls as the draw or the spending rises and rises with the years
// and the saving, so the values are bisected: the answer has at least the
// success level and the value one step further has less. When no value in
// the range reaches it, the answer is the range's end that does best, with
// its success.
#pragma once

#include <cstdint>
#include <optional>
#include <string>

#include "number/arith.h"
#include "projection/plan.h"
#include "schedule/life_plan.h"
#include "schedule/simulation.h"

namespace nestora {

enum class SolveFor { Draw, Spend, Retire, Saving };

// "draw", "spend", "retire", "saving".
const char* SolveForName(SolveFor quantity);
std::optional<SolveFor> SolveForNamed(const std::string& name);

inline constexpr std::int32_t MinSuccessPercent = 50;
inline constexpr std::int32_t MaxSuccessPercent = 99;
inline constexpr std::int32_t DefaultSuccessPercent = 90;
// Draw rates are counted in hundredths of a percent.
inline constexpr std::int64_t MinDrawHundredths = 1;
inline constexpr std::int64_t MaxDrawHundredths = 2500;
inline constexpr std::int64_t MaxSolvedYears = 80;
// The largest spending or saving tried: far beyond any plan, and a whole
// number that a double holds exactly.
inline constexpr std::int64_t MaxSolvedSum = 1'000'000'000'000;

struct SolveOptions {
    std::int32_t successPercent =
        DefaultSuccessPercent;  // s, MinSuccessPercent … MaxSuccessPercent
    // The volatility (0: the schedule), the horizon, the paths, the seed.
    SimulationOptions simulation;
    // History's stretches, with this stock share, in place of simulated markets.
    std::optional<double> historyStockShare;
};

// The markets an answer was measured on.
enum class SolvedMarkets {
    Fixed,      // returns that do not vary: the one market of the schedule
    Simulated,  // simulated markets
    History,    // the stretches of history
};

struct Solution {
    SolveFor quantity = SolveFor::Draw;
    SolvedMarkets measuredOn = SolvedMarkets::Simulated;
    std::int32_t horizon = 0;
    // The answer's plan pays a spending amount (other income counted), not
    // a draw.
    bool spends = false;
    // Some value in the range has the success level; otherwise `value` is the
    // best end of the range.
    bool found = false;
    // The quantity does not change what savings pay (the draw rate of a plan
    // with a spending amount, DrawRateCounts): every value succeeds alike and
    // `value`, the range's end, answers nothing.
    bool moot = false;
    // draw: hundredths of a percent (657 is 6.57 %); spend and saving: whole
    // units of money; retire: years.
    std::int64_t value = 0;
    std::int32_t fundedMarkets = 0;  // at `value`
    std::int32_t markets = 0;
    // The success one step further, when that step lies in the range.
    std::optional<double> nextSuccess;
    // What the answer's plan pays a year in today's money: the draw of the
    // savings, or the spending when the plan has a spending amount.
    Extended yearlyToday = 0;
    double success() const {
        return markets == 0 ? 0 : static_cast<double>(fundedMarkets) / markets;
    }
};

// False when a spending amount sets what savings pay (with the fixed or the
// guardrails rule), so that the draw rate changes nothing; the percent rule
// pays the draw rate of each year's balance whatever the spending.
bool DrawRateCounts(const LifePlan& life);

// The plan with `value` put in the quantity's place, as typing it would.
struct SolvedPlan {
    Plan plan;
    LifePlan life;
};
SolvedPlan WithValue(const Plan& plan, const LifePlan& life, SolveFor quantity, std::int64_t value);

// The draw rate of `hundredths` as its field takes the text "6.57".
Extended DrawRate(std::int64_t hundredths);
std::string DrawRateText(std::int64_t hundredths);

// Raises std::invalid_argument for options out of range, HistoryTooLong
// when the plan's years do not fit in history, and the arithmetic faults of
// the plan's own schedule or simulation. `life` must pass CheckLifePlan.
Solution Solve(const Plan& plan, const LifePlan& life, SolveFor quantity,
               const SolveOptions& options);

}  // namespace nestora
