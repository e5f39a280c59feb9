// SPDX-License-Identifier: MIT
#include "schedule/simulation.h"

#include <algorithm>
#include <cmath>
#include <cstddef>
#include <span>
#include <stdexcept>
#include <thread>

#include "number/arith.h"
#include "number/errors.h"
#include "number/whole_power.h"
#include "schedule/normal_deviates.h"
#include "schedule/path_model.h"
#include "schedule/percentiles.h"
#include "schedule/plan_years.h"
#include "schedule/run_parts.h"
#include "schedule/schedule.h"
#include "schedule/year_rule.h"

namespace nestora {

namespace {

// Simulates paths [first, last) into `out`; false when a balance left the
// double range.
bool RunPaths(const PathModel& m, std::uint64_t seed, std::int32_t first, std::int32_t last,
              SimulatedPaths& out) {
    const auto stride = static_cast<std::size_t>(out.paths);
    bool finite = true;
    for (std::int32_t p = first; p < last; ++p) {
        NormalDeviates normal(PathStream(seed, p));
        const auto factor = [&] { return m.factor(normal.next()); };
        double* cell = out.balanceToday.data() + static_cast<std::size_t>(p);

        double b = m.C;
        for (std::int32_t k = 1; k <= m.n; ++k, cell += stride) {
            const auto y = static_cast<std::size_t>(k - 1);
            b = SavingYear(b, factor(), m.saving[y], m.oneOff[y]);
            *cell = b * m.toToday[static_cast<std::size_t>(k)];
            finite &= std::isfinite(*cell);
        }

        const auto n = static_cast<std::size_t>(m.n);
        const std::int32_t full = RetiredYears(
            m.terms, b * m.toToday[n], m.horizon, m.income.data() + n, m.oneOff.data() + n,
            [&](std::int32_t) { return factor() - m.i; }, cell, stride, finite);
        out.fullYears[static_cast<std::size_t>(p)] = full;
    }
    return finite;
}

// With σ = 0 every path is the schedule, taken in its own extended
// arithmetic: money that runs out exactly at a year's end pays that year in
// full here as it does there, where the double comparison could fall a
// rounding short of the draw.
void CopySchedule(const Plan& plan, const Projection& projection, const LifePlan& life,
                  SimulatedPaths& out) {
    const Schedule schedule = MakeSchedule(plan, projection, life);
    const auto stride = static_cast<std::size_t>(out.paths);
    const std::size_t years = out.balanceToday.size() / stride;
    for (std::size_t y = 0; y < years && y < schedule.rows.size(); ++y) {
        const double today = fp::toDouble(schedule.rows[y].balanceToday);
        std::fill_n(out.balanceToday.begin() + static_cast<std::ptrdiff_t>(y * stride), stride,
                    today);
    }
    std::fill(out.fullYears.begin(), out.fullYears.end(),
              std::min(schedule.fullYears, out.horizon));
}

}  // namespace

SimulatedPaths SimulatePaths(const Plan& plan, const Projection& projection,
                             const SimulationOptions& options, const LifePlan& life) {
    const PathModel m = MakePathModel(plan, projection, life, options);
    SimulatedPaths out;
    out.savingYears = m.n;
    out.horizon = m.horizon;
    out.paths = options.paths;
    const std::size_t years = static_cast<std::size_t>(m.n) + static_cast<std::size_t>(m.horizon);
    out.balanceToday.assign(years * static_cast<std::size_t>(options.paths), 0.0);
    out.fullYears.assign(static_cast<std::size_t>(options.paths), 0);

    if (!m.varies) {
        CopySchedule(plan, projection, life, out);
        return out;
    }
    const std::int32_t parts = ThreadCount(options.threads, out.balanceToday.size());
    std::vector<char> finite(static_cast<std::size_t>(parts), 1);
    RunParts(parts, [&](std::int32_t part) {
        finite[static_cast<std::size_t>(part)] =
            RunPaths(m, options.seed, PartStart(part, parts, out.paths),
                     PartStart(part + 1, parts, out.paths), out);
    });
    if (std::find(finite.begin(), finite.end(), 0) != finite.end()) throw EOverflow();
    return out;
}

Simulation Simulate(const Plan& plan, const Projection& projection,
                    const SimulationOptions& options, const LifePlan& life) {
    return Summarize(SimulatePaths(plan, projection, options, life), options.threads);
}

Simulation Summarize(SimulatedPaths paths, std::int32_t threads) {
    Simulation out;
    out.savingYears = paths.savingYears;
    out.horizon = paths.horizon;
    out.paths = paths.paths;

    // Paths still funded after retirement year j: those with at least j full years.
    std::vector<std::int32_t> fundedAfter(static_cast<std::size_t>(paths.horizon) + 1, 0);
    for (const std::int32_t full : paths.fullYears) ++fundedAfter[static_cast<std::size_t>(full)];
    for (std::int32_t j = paths.horizon; j > 0; --j)
        fundedAfter[static_cast<std::size_t>(j - 1)] += fundedAfter[static_cast<std::size_t>(j)];
    out.fundedPaths = fundedAfter[static_cast<std::size_t>(paths.horizon)];

    const std::int32_t years = paths.savingYears + paths.horizon;
    out.years.resize(static_cast<std::size_t>(years));
    const auto stride = static_cast<std::size_t>(paths.paths);
    const std::int32_t parts = ThreadCount(threads, paths.balanceToday.size());
    RunParts(parts, [&](std::int32_t part) {
        for (std::int32_t y = PartStart(part, parts, years); y < PartStart(part + 1, parts, years);
             ++y) {
            const std::span<double> row(
                paths.balanceToday.data() + static_cast<std::size_t>(y) * stride, stride);
            const Percentiles p = TakePercentiles(row);
            SimulatedYear& year = out.years[static_cast<std::size_t>(y)];
            year.year = y + 1;
            year.p10Today = p.p10;
            year.p50Today = p.p50;
            year.p90Today = p.p90;
            const std::int32_t j = year.year - paths.savingYears;
            year.fundedPaths = j <= 0 ? paths.paths : fundedAfter[static_cast<std::size_t>(j)];
            year.funded = static_cast<double>(year.fundedPaths) / paths.paths;
        }
    });
    return out;
}

}  // namespace nestora
