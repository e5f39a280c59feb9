// SPDX-License-Identifier: MIT
#include "schedule/solver_markets.h"

#include <cmath>
#include <cstddef>

#include "number/errors.h"
#include "schedule/history.h"
#include "schedule/normal_deviates.h"
#include "schedule/run_parts.h"
#include "schedule/schedule.h"
#include "schedule/year_rule.h"

namespace nestora {

namespace {

// Whether one market pays the full amount in each of the horizon's years,
// by the steps of SimulatePaths. `finite` turns false when a balance leaves
// the double range.
bool PaysThrough(const PathModel& m, const double* factor, bool& finite) {
    double b = m.C;
    for (std::int32_t k = 1; k <= m.n; ++k) {
        const auto y = static_cast<std::size_t>(k - 1);
        b = SavingYear(b, factor[y], m.saving[y], m.oneOff[y]);
    }
    finite &= std::isfinite(b);
    RetiredBalance<double> state;
    state.today = b * m.toToday[static_cast<std::size_t>(m.n)];
    for (std::int32_t j = 0; j < m.horizon; ++j) {
        const auto y = static_cast<std::size_t>(m.n + j);
        if (!RetiredYear(m.terms, state, factor[y] - m.i, m.income[y], m.oneOff[y]).full)
            return false;
        finite &= std::isfinite(state.today);
        if (state.ranOut) return j + 1 == m.horizon;
    }
    return true;
}

}  // namespace

SolverMarkets::SolverMarkets(const Plan& plan, const Projection& projection, const LifePlan& life,
                             const SimulationOptions& options,
                             std::optional<double> historyStockShare, std::int32_t mostSavingYears)
    : options_(options), stockShare_(historyStockShare) {
    const PathModel m = MakePathModel(plan, projection, life, options);
    if (stockShare_ || !m.varies) return;
    years_ = mostSavingYears + options.horizon;
    const auto stride = static_cast<std::size_t>(years_);
    factors_.resize(static_cast<std::size_t>(options.paths) * stride);
    const std::int32_t parts = ThreadCount(options.threads, factors_.size());
    RunParts(parts, [&](std::int32_t part) {
        const std::int32_t last = PartStart(part + 1, parts, options.paths);
        for (std::int32_t p = PartStart(part, parts, options.paths); p < last; ++p) {
            NormalDeviates normal(PathStream(options.seed, p));
            double* factor = factors_.data() + static_cast<std::size_t>(p) * stride;
            for (std::int32_t y = 0; y < years_; ++y) factor[y] = m.factor(normal.next());
        }
    });
}

std::int32_t SolverMarkets::markets(std::int32_t n) const {
    if (!stockShare_) return options_.paths;
    return StretchCount(n + options_.horizon, UsMarkets());
}

MarketTally SolverMarkets::tally(const Plan& plan, const Projection& projection,
                                 const LifePlan& life) const {
    if (stockShare_) {
        const History history =
            RunHistory(plan, projection, HistoryOptions{*stockShare_, options_.horizon}, life);
        return {history.summary.fundedPaths, history.summary.paths};
    }
    if (factors_.empty()) {
        const bool lasts = MakeSchedule(plan, projection, life).fullYears >= options_.horizon;
        return {lasts ? options_.paths : 0, options_.paths};
    }
    return simulated(MakePathModel(plan, projection, life, options_));
}

MarketTally SolverMarkets::simulated(const PathModel& m) const {
    const std::int32_t paths = options_.paths;
    const auto stride = static_cast<std::size_t>(years_);
    const std::int32_t parts =
        ThreadCount(options_.threads,
                    static_cast<std::size_t>(paths) * static_cast<std::size_t>(m.n + m.horizon));
    std::vector<std::int32_t> funded(static_cast<std::size_t>(parts), 0);
    std::vector<char> finite(static_cast<std::size_t>(parts), 1);
    RunParts(parts, [&](std::int32_t part) {
        bool ok = true;
        std::int32_t count = 0;
        const std::int32_t last = PartStart(part + 1, parts, paths);
        for (std::int32_t p = PartStart(part, parts, paths); p < last; ++p)
            count += PaysThrough(m, factors_.data() + static_cast<std::size_t>(p) * stride, ok);
        funded[static_cast<std::size_t>(part)] = count;
        finite[static_cast<std::size_t>(part)] = ok;
    });
    MarketTally tally{0, paths};
    for (std::size_t k = 0; k < funded.size(); ++k) {
        if (!finite[k]) throw EOverflow();
        tally.funded += funded[k];
    }
    return tally;
}

}  // namespace nestora
