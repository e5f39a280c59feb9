// SPDX-License-Identifier: MIT
// A plan with the projection that calculate gives it, for the simulation's
// and the schedule's tests.
#pragma once

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

}  // namespace nestora::testing
