// SPDX-License-Identifier: MIT
#include "schedule/history.h"

#include <cmath>
#include <cstddef>
#include <string>
#include <vector>

#include "number/arith.h"
#include "number/errors.h"
#include "schedule/plan_years.h"
#include "schedule/year_rule.h"

namespace nestora {

namespace {

// The plan in double: what the stretches share.
struct Model {
    std::int32_t n = 0;
    std::int32_t horizon = 0;
    double w = 0;
    double C = 0;
    RuleTerms<double> terms;
    const Plan* plan = nullptr;
    const LifePlan* life = nullptr;
};

Model MakeModel(const Plan& plan, const Projection& projection, const HistoryOptions& options,
                const LifePlan& life, std::span<const MarketYear> markets) {
    if (!(options.stockShare >= 0 && options.stockShare <= 1))
        throw std::invalid_argument("stock share out of range");
    if (options.horizon < MinHorizon || options.horizon > MaxHorizon)
        throw std::invalid_argument("horizon out of range");
    if (plan.YearsToRetirement < 0) throw std::invalid_argument("negative years to retirement");
    Model m;
    m.n = plan.YearsToRetirement;
    m.horizon = options.horizon;
    if (StretchCount(m.n + m.horizon, markets) == 0) throw HistoryTooLong(m.n + m.horizon, markets);
    m.w = options.stockShare;
    m.C = fp::toDouble(plan.CurrentSavings);
    // The draw and the spending of the plan at its own return, as every
    // simulated market takes them.
    const std::vector<PlanYear> fixed =
        PlanYears(plan, life, m.n + m.horizon, FixedInflation(plan));
    m.terms = InDouble(StartOfRetirement(plan, projection, life, fixed).terms);
    m.plan = &plan;
    m.life = &life;
    if (!std::isfinite(m.C + fp::toDouble(plan.AnnualSavings) + m.terms.draw)) throw EInvalidOp();
    return m;
}

// 1 + the year's real return of the mix.
double Growth(const MarketYear& year, double w) {
    return 1 + (w * year.stocks + (1 - w) * year.bonds);
}

// What the plan brings in each year of a stretch, after the stretch's own
// inflation: the saving in today's money, the one-off sums and the other
// income (a stream that is not indexed loses the stretch's inflation).
struct StretchYears {
    std::vector<double> saving, oneOff, income;
};

StretchYears YearsOfStretch(const Model& m, const MarketYear* years) {
    const auto count = static_cast<std::size_t>(m.n + m.horizon);
    std::vector<double> prices(count + 1, 1.0);  // of each year's end, against today's
    for (std::size_t y = 1; y <= count; ++y)
        prices[y] = prices[y - 1] * (1 + years[y - 1].inflation);
    const std::vector<PlanYear> plan = PlanYears(
        *m.plan, *m.life, m.n + m.horizon,
        [&prices](std::int32_t y) { return Extended(prices[static_cast<std::size_t>(y)]); });
    StretchYears out;
    for (std::size_t y = 0; y < count; ++y) {
        out.saving.push_back(fp::toDouble(plan[y].saving) / prices[y + 1]);
        out.oneOff.push_back(fp::toDouble(plan[y].oneOffToday));
        out.income.push_back(fp::toDouble(plan[y].incomeToday));
    }
    return out;
}

// One stretch through `years` (n + horizon of them) into column `p` of
// `out`; false when a balance left the double range.
bool RunStretch(const Model& m, const MarketYear* years, std::int32_t p, SimulatedPaths& out) {
    const auto stride = static_cast<std::size_t>(out.paths);
    double* cell = out.balanceToday.data() + static_cast<std::size_t>(p);
    bool finite = true;
    const StretchYears plan = YearsOfStretch(m, years);

    // In today's money: a saving year earns the real return.
    double t = m.C;
    for (std::int32_t k = 0; k < m.n; ++k, cell += stride) {
        const auto y = static_cast<std::size_t>(k);
        t = SavingYear(t, Growth(years[k], m.w), plan.saving[y], plan.oneOff[y]);
        *cell = t;
        finite &= std::isfinite(t);
    }
    const auto n = static_cast<std::size_t>(m.n);
    out.fullYears[static_cast<std::size_t>(p)] = RetiredYears(
        m.terms, t, m.horizon, plan.income.data() + n, plan.oneOff.data() + n,
        [&](std::int32_t j) { return Growth(years[m.n + j], m.w); }, cell, stride, finite);
    return finite;
}

std::int32_t WorstStretch(const History& h) {
    std::int32_t worst = 0;
    for (std::int32_t p = 1; p < h.stretches.paths; ++p) {
        const std::int32_t years = h.fullYears(p);
        const std::int32_t worstYears = h.fullYears(worst);
        if (years < worstYears || (years == worstYears && h.endBalance(p) < h.endBalance(worst)))
            worst = p;
    }
    return worst;
}

}  // namespace

HistoryTooLong::HistoryTooLong(std::int32_t needed, std::span<const MarketYear> markets)
    : std::runtime_error("The plan needs " + std::to_string(needed) +
                         " years of market history, but the data " + "holds " +
                         std::to_string(markets.size()) + " years" +
                         (markets.empty() ? std::string()
                                          : " (" + std::to_string(markets.front().year) + " to " +
                                                std::to_string(markets.back().year) + ")") +
                         "."),
      yearsNeeded(needed),
      yearsHeld(static_cast<std::int32_t>(markets.size())) {}

std::int32_t StretchCount(std::int32_t years, std::span<const MarketYear> markets) {
    const auto held = static_cast<std::int32_t>(markets.size());
    return years > held ? 0 : held - years + 1;
}

History RunHistory(const Plan& plan, const Projection& projection, const HistoryOptions& options,
                   const LifePlan& life, std::span<const MarketYear> markets) {
    const Model m = MakeModel(plan, projection, options, life, markets);
    History h;
    h.firstYear = markets.front().year;
    h.lastYear = markets.back().year;
    h.firstStart = h.firstYear;
    SimulatedPaths& out = h.stretches;
    out.savingYears = m.n;
    out.horizon = m.horizon;
    out.paths = StretchCount(m.n + m.horizon, markets);
    const std::size_t years = static_cast<std::size_t>(m.n) + static_cast<std::size_t>(m.horizon);
    out.balanceToday.assign(years * static_cast<std::size_t>(out.paths), 0.0);
    out.fullYears.assign(static_cast<std::size_t>(out.paths), 0);

    bool finite = true;
    for (std::int32_t p = 0; p < out.paths; ++p)
        finite &= RunStretch(m, markets.data() + p, p, out);
    if (!finite) throw EOverflow();

    // A few thousand cells: one thread is quicker than starting another.
    h.summary = Summarize(out, 1);
    h.worstStretch = WorstStretch(h);
    return h;
}

}  // namespace nestora
