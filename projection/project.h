// SPDX-License-Identifier: MIT
// The arithmetic of calculate without its fields: the four results of a
// plan, each stored in the projection as soon as it is computed, so that a
// fault leaves the results before it written and the others as they were.
#pragma once

#include "projection/plan.h"

namespace nestora {

// May raise the arithmetic faults of calculate.
void Project(const Plan& plan, Projection& projection);

// The three sums alone (SavingsAtRetirement, AdjustedSavings, AdjustedDraw),
// leaving YearsProvided as it was.
void ProjectMoney(const Plan& plan, Projection& projection);

// The projection of `plan` from a fresh one.
Projection ProjectionOf(const Plan& plan);

}  // namespace nestora
