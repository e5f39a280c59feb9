// SPDX-License-Identifier: MIT
// History: the plan run through every stretch of U.S. markets since 1871
// (UsMarkets) in place of simulated ones, and how many stretches let the
// savings pay the full draw through the years planned for.
//
// The money is a mix of stocks and bonds rebalanced every year: with the
// stock share w, a year's real return is w·stocks + (1 − w)·bonds. For every
// start year s whose n + horizon years all lie in the data, the plan runs
// through the years s, s + 1, … in today's money, by the year rule of the
// simulation (schedule/year_rule.h):
//   Saving years k = 1 … n from T0 = C: the balance earns the year's real
//   return, and the saving P, a fixed amount in money of each year, enters
//   at its value in today's money after the stretch's own inflation so far:
//   Tk = T(k−1)·(1 + real k) + P ÷ ((1 + infl 1)·…·(1 + infl k)).
//   Retirement years j = 1 … horizon: the balance earns the year's real
//   return and the plan's draw in today's money D (AdjustedDraw) is taken at
//   the year's end; the first year that cannot pay it takes what is left.
// With a LifePlan each stretch follows the same year rule as every simulated
// market: the saving grows, entering at its value in today's money after the
// stretch's inflation; the one-off sums enter in today's money; retirement
// years pay by the spending rule, with the draw D and the spending terms of
// the plan at its own return (StartOfRetirement), beside the other income,
// of which a stream that is not indexed loses the stretch's own inflation.
// Apart from those terms the plan's own return and inflation are not used.
//
// The stretches are paths of one kind with the simulation's (SimulatedPaths:
// stretch p starts in firstStart + p), and their percentiles and funded
// counts are the simulation's (Summarize). The arithmetic is double, as the
// simulation's; a balance that leaves the double range raises EOverflow.
#pragma once

#include <cstdint>
#include <span>
#include <stdexcept>

#include "projection/plan.h"
#include "schedule/life_plan.h"
#include "schedule/simulation.h"
#include "schedule/us_markets.h"

namespace nestora {

inline constexpr std::int32_t DefaultStockPercent = 60;

struct HistoryOptions {
    double stockShare = DefaultStockPercent / 100.0;  // w, 0 … 1
    std::int32_t horizon = DefaultHorizon;            // MinHorizon … MaxHorizon
};

// A plan whose n + horizon years are more than the data holds.
class HistoryTooLong : public std::runtime_error {
  public:
    HistoryTooLong(std::int32_t yearsNeeded, std::span<const MarketYear> markets);
    std::int32_t yearsNeeded;
    std::int32_t yearsHeld;
};

struct History {
    std::int32_t firstYear = 0;  // of the data
    std::int32_t lastYear = 0;
    std::int32_t firstStart = 0;    // the start year of stretch 0
    SimulatedPaths stretches;       // one path per start year
    Simulation summary;             // across the stretches, year by year
    std::int32_t worstStretch = 0;  // fewest full years, then the smallest end balance
    std::int32_t startYear(std::int32_t stretch) const { return firstStart + stretch; }
    std::int32_t fullYears(std::int32_t stretch) const {
        return stretches.fullYears[static_cast<std::size_t>(stretch)];
    }
    // In today's money at the end of year n + horizon (0 once the money ran out).
    double endBalance(std::int32_t stretch) const {
        return stretches.at(stretches.savingYears + stretches.horizon, stretch);
    }
};

// The number of start years whose n + horizon years lie in `markets`
// (0 when none do).
std::int32_t StretchCount(std::int32_t years, std::span<const MarketYear> markets);

// Raises std::invalid_argument for options out of range, HistoryTooLong,
// EInvalidOp for plan values beyond the double range and EOverflow as above.
// `life` must pass CheckLifePlan.
History RunHistory(const Plan& plan, const Projection& projection, const HistoryOptions& options,
                   const LifePlan& life = {}, std::span<const MarketYear> markets = UsMarkets());

}  // namespace nestora
