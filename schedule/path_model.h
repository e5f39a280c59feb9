// SPDX-License-Identifier: MIT
// A plan in double as every simulated market takes it (simulation.h): the
// saving years' sums, the other income, the spending rule's terms, the
// deflators, and the lognormal law of the yearly growth factor 1 + R. Path p
// draws its factors, one a year, from its own block of one PCG stream.
#pragma once

#include <cstdint>
#include <pcg_random.hpp>
#include <vector>

#include "projection/plan.h"
#include "schedule/life_plan.h"
#include "schedule/simulation.h"
#include "schedule/year_rule.h"

namespace nestora {

struct PathModel {
    std::int32_t n = 0;
    std::int32_t horizon = 0;
    double C = 0;
    double i = 0;
    RuleTerms<double> terms;
    double onePlusR = 1;
    bool varies = false;          // σ > 0
    double mu = 0;                // of ln(1 + R)
    double sigmaL = 0;            // of ln(1 + R)
    std::vector<double> toToday;  // 1 ÷ (1 + i)^k for k = 0 … n
    // Years 1 … n + horizon: the saving (saving years), the one-off sums
    // (nominal in saving years, today's money after), the other income.
    std::vector<double> saving;
    std::vector<double> oneOff;
    std::vector<double> income;

    // The year's growth factor from a standard normal deviate.
    double factor(double deviate) const;
};

// Raises std::invalid_argument for options out of range, EInvalidOp for plan
// values beyond the double range.
PathModel MakePathModel(const Plan& plan, const Projection& projection, const LifePlan& life,
                        const SimulationOptions& options);

// The generator of path p of the stream of `seed`, at the start of its block.
pcg32 PathStream(std::uint64_t seed, std::int32_t path);

}  // namespace nestora
