// SPDX-License-Identifier: MIT
#include "schedule/history.h"

#include <cmath>
#include <cstddef>
#include <string>

#include "number/arith.h"
#include "number/errors.h"
#include "schedule/year_rule.h"

namespace nestora {

namespace {

// The plan in double: what the stretches share.
struct Model {
    std::int32_t n = 0;
    std::int32_t horizon = 0;
    double w = 0;
    double C = 0;
    double P = 0;
    double D = 0;
};

Model MakeModel(const Plan& plan, const Projection& projection, const HistoryOptions& options,
                std::span<const MarketYear> markets) {
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
    m.P = fp::toDouble(plan.AnnualSavings);
    m.D = fp::toDouble(projection.AdjustedDraw);
    if (!std::isfinite(m.C + m.P + m.D)) throw EInvalidOp();
    return m;
}

// 1 + the year's real return of the mix.
double Growth(const MarketYear& year, double w) {
    return 1 + (w * year.stocks + (1 - w) * year.bonds);
}

// One stretch through `years` (n + horizon of them) into column `p` of
// `out`; false when a balance left the double range.
bool RunStretch(const Model& m, const MarketYear* years, std::int32_t p, SimulatedPaths& out) {
    const auto stride = static_cast<std::size_t>(out.paths);
    double* cell = out.balanceToday.data() + static_cast<std::size_t>(p);
    bool finite = true;

    double t = m.C;
    double prices = 1;  // of each year's end, against today's
    for (std::int32_t k = 0; k < m.n; ++k, cell += stride) {
        prices *= 1 + years[k].inflation;
        t = SavingYear(t, Growth(years[k], m.w), m.P / prices);
        *cell = t;
        finite &= std::isfinite(t);
    }

    std::int32_t full = 0;
    for (; full < m.horizon; ++full, cell += stride) {
        const RetirementStep step = RetirementYear(t, Growth(years[m.n + full], m.w), m.D);
        if (!step.paid) break;
        t = step.balance;
        *cell = t;
        finite &= std::isfinite(t);
    }
    // The year that cannot pay the full draw takes what is left; 0 after.
    for (std::int32_t j = full; j < m.horizon; ++j, cell += stride) *cell = 0;
    out.fullYears[static_cast<std::size_t>(p)] = full;
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
                   std::span<const MarketYear> markets) {
    const Model m = MakeModel(plan, projection, options, markets);
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
