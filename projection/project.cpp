// SPDX-License-Identifier: MIT
#include "projection/project.h"

#include <limits>

#include "number/whole_power.h"
#include "projection/savings_rules.h"

namespace nestora {

namespace {

// The years field holds a 32-bit count. A count beyond that range (a draw
// below about 5·10^-10 with no real return, or a real return of a few
// millionths with the draw barely above it) is held at the nearest end of the
// range rather than wrapped, so the field shows "2147483647" years, more than
// anyone needs, instead of a meaningless or negative number.
std::int32_t heldToInt32(std::int64_t count) {
    constexpr std::int64_t lo = std::numeric_limits<std::int32_t>::min();
    constexpr std::int64_t hi = std::numeric_limits<std::int32_t>::max();
    return static_cast<std::int32_t>(count < lo ? lo : count > hi ? hi : count);
}

}  // namespace

void ProjectMoney(const Plan& plan, Projection& projection) {
    // Savings at retirement: C compounded for n years plus n yearly savings P.
    const Extended S = SavingsAfterYears<CheckedArithmetic>(
        plan.CurrentSavings, plan.AnnualSavings, plan.InvestmentReturn, plan.YearsToRetirement);
    projection.SavingsAtRetirement = S;

    const Extended A = fp::div(S, PowerOf(fp::add(1, plan.InflationRate), plan.YearsToRetirement));
    projection.AdjustedSavings = A;

    projection.AdjustedDraw = fp::mul(A, plan.RetirementDraw);
}

void Project(const Plan& plan, Projection& projection) {
    ProjectMoney(plan, projection);
    const Extended A = projection.AdjustedSavings;
    const Extended D = projection.AdjustedDraw;
    const Extended r = plan.InvestmentReturn;
    const Extended i = plan.InflationRate;

    // Years a yearly draw D, taken at each year's end, can be paid from A
    // earning the real return e: the balance after k draws is
    // A(1+e)^k − D((1+e)^k − 1)/e, which reaches 0 at k = ln(D/(D − eA))/ln(1+e).
    // When D ≤ eA the balance never falls. A cancels out on paper, but the
    // count is taken through the rounded A and D as written: their rounding
    // decides the quotients that lie on a whole number.
    const Extended e = fp::sub(r, i);
    std::int64_t years;
    if (NeverSpent<CheckedArithmetic>(e, A, D)) {
        years = YearsWhenNeverSpent;
    } else if (e > 0) {
        const Extended ratio = fp::div(D, fp::sub(D, fp::mul(e, A)));
        years = fp::truncToInt64(fp::div(fp::ln(ratio), fp::ln(fp::add(1, e))));
    } else {
        years = fp::truncToInt64(fp::div(A, D));
    }
    projection.YearsProvided = heldToInt32(years);
}

Projection ProjectionOf(const Plan& plan) {
    Projection projection;
    Project(plan, projection);
    return projection;
}

}  // namespace nestora
