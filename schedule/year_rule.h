// SPDX-License-Identifier: MIT
// The rule for one year of a plan, the one rule that the schedule (in
// checked extended arithmetic, Num = Extended), every simulated market and
// every stretch of history (in double) follow. A caller brings the year's market, a growth factor,
// and what the plan brings that year (PlanYears); the rule knows nothing of
// where the returns come from, so any stretch of given returns and
// inflation can be run through it the same way.
//
// A saving year, nominal: B' = B·(1 + R) + saving + oneOff, the one-off sum
// in money of that year.
//
// A retirement year, in today's money, from the balance S at its start:
//   1. what savings are to pay, by the spending rule (SpendingRule):
//        fixed        spend ? max(0, spend − income) : D
//        percent      d·S
//        guardrails   spend ? max(0, W − income) : W, where W, the spending
//                     level, starts at spend (or D) in the first retirement
//                     year, whose payment over S gives the starting rate s0;
//                     in each later year, when the payment would be above
//                     1.2·s0·S, W is cut by 10 %, when below 0.8·s0·S raised
//                     by 10 %, before paying (no change while s0 is 0)
//   2. the balance earns the year's return: G = max(0, S·growth), growth
//      being the real factor 1 + R − i (a balance cannot lose more than it
//      holds);
//   3. savings pay at the year's end: the year is full when G ≥ amount, and
//      the balance is G − amount; otherwise savings pay G and the balance
//      is 0;
//   4. the year's one-off sums: added in a full year (a sum taken beyond the
//      balance takes what is there, leaving 0).
// The money has run out after a year that was not full, or after a year that
// paid something and left nothing; no later year pays or receives anything.
//
// With every input of LifePlan neutral the steps are those of the plain
// schedule, operation for operation, so the bits are the same.
#pragma once

#include <cmath>
#include <cstddef>
#include <cstdint>

#include "number/arith.h"
#include "schedule/life_plan.h"

namespace nestora {

// The four operations in each arithmetic: checked for Extended, plain for double.
template <class Num>
struct YearArith;

template <>
struct YearArith<double> {
    static double add(double a, double b) { return a + b; }
    static double sub(double a, double b) { return a - b; }
    static double mul(double a, double b) { return a * b; }
    static double div(double a, double b) { return a / b; }
};

template <>
struct YearArith<Extended> {
    static Extended add(Extended a, Extended b) { return fp::add(a, b); }
    static Extended sub(Extended a, Extended b) { return fp::sub(a, b); }
    static Extended mul(Extended a, Extended b) { return fp::mul(a, b); }
    static Extended div(Extended a, Extended b) { return fp::div(a, b); }
};

// The spending rule's terms, the same for every year and market.
template <class Num>
struct RuleTerms {
    SpendingRule rule = SpendingRule::Fixed;
    Num draw = 0;      // D: what savings pay without a spending amount
    Num drawRate = 0;  // d, the plan's draw rate (percent)
    bool spends = false;
    Num spend = 0;  // with spends: what is spent a year, income included
};

// A market's state in retirement.
template <class Num>
struct RetiredBalance {
    Num today = 0;      // the balance in today's money
    Num level = 0;      // guardrails: the spending level W
    Num startRate = 0;  // guardrails: s0
    std::int32_t yearsBegun = 0;
    bool ranOut = false;
};

template <class Num>
struct RetiredYearResult {
    Num paid = 0;  // what savings paid, today's money
    bool full = false;
};

template <class Num>
Num SavingYear(Num balance, Num growth, Num saving, Num oneOffNominal) {
    using A = YearArith<Num>;
    Num next = A::add(A::mul(balance, growth), saving);
    if (oneOffNominal != 0) next = A::add(next, oneOffNominal);
    return next;
}

namespace year_rule_detail {

template <class Num>
Num Payment(const RuleTerms<Num>& terms, Num level, Num incomeToday) {
    if (!terms.spends) return level;
    const Num uncovered = YearArith<Num>::sub(level, incomeToday);
    return uncovered > 0 ? uncovered : Num(0);
}

template <class Num>
Num Amount(const RuleTerms<Num>& terms, RetiredBalance<Num>& state, Num incomeToday) {
    using A = YearArith<Num>;
    const Num start = state.today;
    switch (terms.rule) {
        case SpendingRule::Percent:
            return A::mul(terms.drawRate, start);
        case SpendingRule::Guardrails: {
            if (state.yearsBegun == 1) {
                state.level = terms.spends ? terms.spend : terms.draw;
                const Num first = Payment(terms, state.level, incomeToday);
                state.startRate = start > 0 ? A::div(first, start) : Num(0);
                return first;
            }
            const Num amount = Payment(terms, state.level, incomeToday);
            if (!(state.startRate > 0)) return amount;
            const Num par = A::mul(state.startRate, start);
            if (amount > A::mul(Num(GuardrailHigh), par))
                state.level = A::mul(state.level, Num(1 - GuardrailStep));
            else if (amount < A::mul(Num(GuardrailLow), par))
                state.level = A::mul(state.level, Num(1 + GuardrailStep));
            else
                return amount;
            return Payment(terms, state.level, incomeToday);
        }
        case SpendingRule::Fixed:
            break;
    }
    return terms.spends ? Payment(terms, terms.spend, incomeToday) : terms.draw;
}

}  // namespace year_rule_detail

// One retirement year of `state` (which must not have run out); `growth`
// is the year's real factor of a balance in today's money.
template <class Num>
RetiredYearResult<Num> RetiredYear(const RuleTerms<Num>& terms, RetiredBalance<Num>& state,
                                   Num growth, Num incomeToday, Num oneOffToday) {
    using A = YearArith<Num>;
    ++state.yearsBegun;
    const Num amount = year_rule_detail::Amount(terms, state, incomeToday);
    Num grown = A::mul(state.today, growth);
    if (grown < 0) grown = 0;
    RetiredYearResult<Num> result;
    result.full = grown >= amount;
    result.paid = result.full ? amount : grown;
    Num left = result.full ? A::sub(grown, amount) : Num(0);
    if (result.full && oneOffToday != 0) {
        left = A::add(left, oneOffToday);
        if (left < 0) left = 0;
    }
    state.today = left;
    state.ranOut = !result.full || (left <= 0 && amount > 0);
    return result;
}

// The retirement years of one market in double (a simulated path, a
// stretch of history), from `balanceToday` at retirement: year j (0 …
// horizon − 1) earns growth(j), pays by `terms`, with income[j] and
// oneOff[j] in today's money. Each year's balance goes to *cell, cells
// `stride` apart, 0 from the year that could not pay in full on and after
// the money has run out. Returns the years paid in full; `finite` turns
// false when a balance leaves the double range.
template <class Growth>
std::int32_t RetiredYears(const RuleTerms<double>& terms, double balanceToday, std::int32_t horizon,
                          const double* income, const double* oneOff, Growth growth, double* cell,
                          std::size_t stride, bool& finite) {
    RetiredBalance<double> state;
    state.today = balanceToday;
    std::int32_t full = 0;
    for (; full < horizon; ++full, cell += stride) {
        if (!RetiredYear(terms, state, growth(full), income[full], oneOff[full]).full) break;
        *cell = state.today;
        finite &= std::isfinite(state.today);
        if (state.ranOut) {
            ++full;
            cell += stride;
            break;
        }
    }
    for (std::int32_t j = full; j < horizon; ++j, cell += stride) *cell = 0;
    return full;
}

}  // namespace nestora
