// SPDX-License-Identifier: MIT
// When returns vary: many simulated markets for one plan, and how many of
// them let the savings pay the full draw through the years planned for.
//
// Each path draws one return per year, independently: 1 + R is lognormal
// with mean 1 + r and standard deviation σ, that is ln(1 + R) is normal with
// σl² = ln(1 + σ²/(1 + r)²) and μ = ln(1 + r) − σl²/2.
//   Saving years k = 1 … n, nominal: Bk = B(k−1)·(1 + Rk) + P from B0 = C;
//   in today's money Tk = Bk ÷ (1 + i)^k.
//   Retirement years j = 1 … horizon, in today's money from T0 = Tn: the
//   year earns its return less inflation, Rk − i, as the four results count
//   the real return (e = r − i), and the draw D is taken at the year's end:
//   a year is funded when T(j−1)·(1 + Rk − i) ≥ D; in the first year that is
//   not, the remainder is drawn and the balance is 0 from then on. In
//   nominal money that draw is D·(1 + i)^(n + j).
// With a LifePlan every path follows the same year rule as the schedule
// (year_rule.h): the growing savings and the one-off sums in the saving
// years, the spending rule, the other income and the one-off sums in
// retirement, with the draw D and the spending of the fixed-return plan
// (StartOfRetirement); a retirement year is funded when it is full.
// Both kinds of year follow schedule/year_rule.h, as the stretches of
// history do. With σ = 0 every path is the year-by-year schedule
// (MakeSchedule), taken from it: a year it pays in full is paid in full here.
//
// Path p takes its returns from its own block of one PCG stream (the
// seed's sequence advanced by p blocks), so the result depends on the plan,
// σ, the horizon, the number of paths and the seed, and on nothing else:
// not on the number of threads, the compiler or the standard library.
//
// The arithmetic is double. The answer is an estimate whose sampling error
// (about σ/√paths of a balance) is many orders above double's rounding, and
// a path's rounding stays near 10^-14 of its balance, far below the whole
// unit the figures are shown to. The plan's values are made doubles
// (EOverflow beyond that range), and a path that leaves the double range
// raises EOverflow.
#pragma once

#include <cstdint>
#include <vector>

#include "projection/plan.h"
#include "schedule/life_plan.h"

namespace nestora {

inline constexpr double MaxVolatility = 0.5;
inline constexpr std::int32_t DefaultVolatilityPercent = 12;
inline constexpr std::int32_t MinHorizon = 1;
inline constexpr std::int32_t MaxHorizon = 80;
inline constexpr std::int32_t DefaultHorizon = 30;
inline constexpr std::int32_t MinPaths = 1;
inline constexpr std::int32_t MaxPaths = 100000;
inline constexpr std::int32_t DefaultPaths = 10000;
inline constexpr std::uint64_t DefaultSeed = 20261210;

struct SimulationOptions {
    double volatility = DefaultVolatilityPercent / 100.0;  // σ as a fraction, 0 … MaxVolatility
    std::int32_t horizon = DefaultHorizon;
    std::int32_t paths = DefaultPaths;
    std::uint64_t seed = DefaultSeed;
    std::int32_t threads = 0;  // 0: one per core; the result is the same for any count
};

// Every path's balance in today's money at the end of every year, and how
// many retirement years it paid in full.
struct SimulatedPaths {
    std::int32_t savingYears = 0;  // n
    std::int32_t horizon = 0;
    std::int32_t paths = 0;
    std::vector<double> balanceToday;     // year-major: [(year − 1)·paths + path]
    std::vector<std::int32_t> fullYears;  // per path, 0 … horizon
    double at(std::int32_t year, std::int32_t path) const {
        return balanceToday[static_cast<std::size_t>(year - 1) * static_cast<std::size_t>(paths) +
                            static_cast<std::size_t>(path)];
    }
};

struct SimulatedYear {
    std::int32_t year = 0;  // k for a saving year, n + j for retirement year j
    double p10Today = 0;
    double p50Today = 0;
    double p90Today = 0;
    // Paths that have paid every draw up to and including this year (all
    // paths in a saving year), and their share of all paths.
    std::int32_t fundedPaths = 0;
    double funded = 0;
};

struct Simulation {
    std::int32_t savingYears = 0;
    std::int32_t horizon = 0;
    std::int32_t paths = 0;
    std::vector<SimulatedYear> years;  // years 1 … n + horizon
    // Paths that pay the full draw in every year of the horizon.
    std::int32_t fundedPaths = 0;
    double funded() const { return paths == 0 ? 0 : static_cast<double>(fundedPaths) / paths; }
};

// Raises std::invalid_argument for options out of range.
void CheckSimulationOptions(const SimulationOptions& options);

// Raises std::invalid_argument for options out of range, EOverflow as above.
// `life` must pass CheckLifePlan.
SimulatedPaths SimulatePaths(const Plan& plan, const Projection& projection,
                             const SimulationOptions& options, const LifePlan& life = {});
Simulation Simulate(const Plan& plan, const Projection& projection,
                    const SimulationOptions& options, const LifePlan& life = {});

// The percentiles and the funded counts of every year across `paths` (the
// paths of one simulation, or any other set of paths alike), on up to
// `threads` threads (0: one per core).
Simulation Summarize(SimulatedPaths paths, std::int32_t threads = 0);

}  // namespace nestora
