// SPDX-License-Identifier: MIT
// A plan with the projection that calculate gives it, for the simulation's
// and the schedule's tests.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string>

#include "projection/plan.h"
#include "support/planner_fixture.h"

namespace nestora::testing {

struct Projected : PlannerFixture {
    explicit Projected(const Plan& p) {
        planner.plan = p;
        planner.calculate();
    }
    const Plan& plan() const { return planner.plan; }
    const Projection& projection() const { return planner.projection; }
};

inline Plan MakePlan(Extended C, Extended P, Extended r, Extended i, Extended d, std::int32_t n) {
    return Plan{C, P, r, i, d, n};
}

// Thousands grouped with ",", as an English locale writes counts and sums.
inline std::string Grouped(std::int64_t value) {
    std::string digits = std::to_string(value);
    for (auto at = static_cast<std::ptrdiff_t>(digits.size()) - 3; at > 0; at -= 3)
        digits.insert(static_cast<std::size_t>(at), ",");
    return digits;
}

}  // namespace nestora::testing
