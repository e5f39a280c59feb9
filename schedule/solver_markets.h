// SPDX-License-Identifier: MIT
// The markets the solver tries every value on, and how many of them pay the
// full amount through the horizon. Simulated markets draw their yearly
// growth factors once, as SimulatePaths draws them for the same seed, and
// every plan tried runs through those same factors by the same year rule in
// the same order of operations: a plan's count is the fundedPaths that
// Simulate gives it, without drawing the markets again or taking
// percentiles. With returns that do not vary the one market is the
// schedule (every path alike, as the simulation takes it); with history,
// the stretches of RunHistory.
#pragma once

#include <cstdint>
#include <optional>
#include <vector>

#include "projection/plan.h"
#include "schedule/life_plan.h"
#include "schedule/path_model.h"
#include "schedule/simulation.h"

namespace nestora {

struct MarketTally {
    std::int32_t funded = 0;
    std::int32_t markets = 0;
};

class SolverMarkets {
  public:
    // `plan` gives the return the factors are drawn with; the plans tried
    // must share it and have at most `mostSavingYears` saving years. Raises
    // as MakePathModel does.
    SolverMarkets(const Plan& plan, const Projection& projection, const LifePlan& life,
                  const SimulationOptions& options, std::optional<double> historyStockShare,
                  std::int32_t mostSavingYears);

    // Raises EOverflow when a balance leaves the double range, and what the
    // schedule or history raise.
    MarketTally tally(const Plan& plan, const Projection& projection, const LifePlan& life) const;
    // The markets a plan of n saving years meets.
    std::int32_t markets(std::int32_t n) const;

  private:
    MarketTally simulated(const PathModel& m) const;

    SimulationOptions options_;
    std::optional<double> stockShare_;
    std::int32_t years_ = 0;       // factors kept per path
    std::vector<double> factors_;  // path-major: [path·years_ + year − 1]
};

}  // namespace nestora
