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
#include "schedule/percentiles.h"
#include "schedule/plan_years.h"
#include "schedule/run_parts.h"
#include "schedule/schedule.h"
#include "schedule/year_rule.h"

namespace nestora {

namespace {

// Generator outputs reserved for one path: a path of n + horizon ≤ 160 years
// uses about 2.5 outputs a year (two per uniform, 4/π uniforms per deviate),
// so blocks of 2^20 never overlap in practice, and 100,000 blocks use under
// 2^37 of the stream's 2^64 outputs.
constexpr std::uint64_t PathBlock = std::uint64_t{1} << 20;

// The plan in double, with the yearly factors the paths share.
struct Model {
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
};

void TakePlanYears(const Plan& plan, const Projection& projection, const LifePlan& life, Model& m) {
    const PriceLevel price = FixedInflation(plan);
    const std::vector<PlanYear> years = PlanYears(plan, life, m.n + m.horizon, price);
    m.terms = InDouble(StartOfRetirement(plan, projection, life, years).terms);
    for (std::int32_t y = 1; y <= m.n + m.horizon; ++y) {
        const PlanYear& year = years[static_cast<std::size_t>(y - 1)];
        m.saving.push_back(fp::toDouble(year.saving));
        m.oneOff.push_back(
            fp::toDouble(y <= m.n ? fp::mul(year.oneOffToday, price(y)) : year.oneOffToday));
        m.income.push_back(fp::toDouble(year.incomeToday));
    }
}

Model MakeModel(const Plan& plan, const Projection& projection, const LifePlan& life,
                const SimulationOptions& options) {
    if (!(options.volatility >= 0 && options.volatility <= MaxVolatility))
        throw std::invalid_argument("volatility out of range");
    if (options.horizon < MinHorizon || options.horizon > MaxHorizon)
        throw std::invalid_argument("horizon out of range");
    if (options.paths < MinPaths || options.paths > MaxPaths)
        throw std::invalid_argument("number of paths out of range");
    if (plan.YearsToRetirement < 0) throw std::invalid_argument("negative years to retirement");

    Model m;
    m.n = plan.YearsToRetirement;
    m.horizon = options.horizon;
    m.C = fp::toDouble(plan.CurrentSavings);
    m.i = fp::toDouble(plan.InflationRate);
    TakePlanYears(plan, projection, life, m);
    const double r = fp::toDouble(plan.InvestmentReturn);
    m.onePlusR = 1 + r;
    if (!std::isfinite(m.C + m.i + m.terms.draw + r) || !(m.onePlusR > 0)) throw EInvalidOp();

    const double sigma = options.volatility;
    m.varies = sigma > 0;
    if (m.varies) {
        const double ratio = sigma / m.onePlusR;
        const double variance = std::log1p(ratio * ratio);
        m.sigmaL = std::sqrt(variance);
        m.mu = std::log(m.onePlusR) - variance / 2;
    }

    // The deflators in extended, as the schedule takes them, then made double.
    const Extended onePlusI = fp::add(1, plan.InflationRate);
    m.toToday.resize(static_cast<std::size_t>(m.n) + 1);
    for (std::int32_t k = 0; k <= m.n; ++k)
        m.toToday[static_cast<std::size_t>(k)] = fp::toDouble(fp::div(1, PowerOf(onePlusI, k)));
    return m;
}

// Simulates paths [first, last) into `out`; false when a balance left the
// double range.
bool RunPaths(const Model& m, const pcg32& stream, std::int32_t first, std::int32_t last,
              SimulatedPaths& out) {
    const auto stride = static_cast<std::size_t>(out.paths);
    pcg32 cursor = stream;
    cursor.advance(static_cast<std::uint64_t>(first) * PathBlock);
    bool finite = true;
    for (std::int32_t p = first; p < last; ++p) {
        NormalDeviates normal(cursor);
        cursor.advance(PathBlock);
        const auto factor = [&] { return std::exp(m.mu + m.sigmaL * normal.next()); };
        double* cell = out.balanceToday.data() + static_cast<std::size_t>(p);

        double b = m.C;
        for (std::int32_t k = 1; k <= m.n; ++k, cell += stride) {
            const auto y = static_cast<std::size_t>(k - 1);
            b = SavingYear(b, factor(), m.saving[y], m.oneOff[y]);
            *cell = b * m.toToday[static_cast<std::size_t>(k)];
            finite &= std::isfinite(*cell);
        }

        RetiredBalance<double> state;
        state.today = b * m.toToday[static_cast<std::size_t>(m.n)];
        std::int32_t full = 0;
        for (; full < m.horizon; ++full, cell += stride) {
            const auto y = static_cast<std::size_t>(m.n + full);
            const bool paid =
                RetiredYear(m.terms, state, factor() - m.i, m.income[y], m.oneOff[y]).full;
            if (!paid) break;
            *cell = state.today;
            finite &= std::isfinite(state.today);
            if (state.ranOut) {
                ++full;
                cell += stride;
                break;
            }
        }
        // The year that cannot pay the full draw takes what is left; 0 after.
        for (std::int32_t j = full; j < m.horizon; ++j, cell += stride) *cell = 0;
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

std::int32_t ThreadCount(std::int32_t threads, std::size_t cells) {
    if (threads <= 0) threads = static_cast<std::int32_t>(std::thread::hardware_concurrency());
    // Below about a tenth of a millisecond of work a thread costs more than
    // it saves.
    constexpr std::size_t CellsPerThread = 20000;
    const auto useful = static_cast<std::int32_t>(std::max<std::size_t>(1, cells / CellsPerThread));
    return std::clamp(std::min(threads, useful), 1, 16);
}

std::int32_t PartStart(std::int32_t part, std::int32_t parts, std::int32_t count) {
    return static_cast<std::int32_t>(static_cast<std::int64_t>(count) * part / parts);
}

}  // namespace

SimulatedPaths SimulatePaths(const Plan& plan, const Projection& projection,
                             const SimulationOptions& options, const LifePlan& life) {
    const Model m = MakeModel(plan, projection, life, options);
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
    const pcg32 stream(options.seed);
    const std::int32_t parts = ThreadCount(options.threads, out.balanceToday.size());
    std::vector<char> finite(static_cast<std::size_t>(parts), 1);
    RunParts(parts, [&](std::int32_t part) {
        finite[static_cast<std::size_t>(part)] =
            RunPaths(m, stream, PartStart(part, parts, out.paths),
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
