// SPDX-License-Identifier: MIT
#include "schedule/path_model.h"

#include <cmath>
#include <stdexcept>

#include "number/arith.h"
#include "number/errors.h"
#include "number/whole_power.h"
#include "schedule/plan_years.h"

namespace nestora {

namespace {

// Generator outputs reserved for one path: a path of n + horizon ≤ 160 years
// uses about 2.5 outputs a year (two per uniform, 4/π uniforms per deviate),
// so blocks of 2^20 never overlap in practice, and 100,000 blocks use under
// 2^37 of the stream's 2^64 outputs.
constexpr std::uint64_t PathBlock = std::uint64_t{1} << 20;

void TakePlanYears(const Plan& plan, const Projection& projection, const LifePlan& life,
                   PathModel& m) {
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

}  // namespace

void CheckSimulationOptions(const SimulationOptions& options) {
    if (!(options.volatility >= 0 && options.volatility <= MaxVolatility))
        throw std::invalid_argument("volatility out of range");
    if (options.horizon < MinHorizon || options.horizon > MaxHorizon)
        throw std::invalid_argument("horizon out of range");
    if (options.paths < MinPaths || options.paths > MaxPaths)
        throw std::invalid_argument("number of paths out of range");
}

double PathModel::factor(double deviate) const { return std::exp(mu + sigmaL * deviate); }

PathModel MakePathModel(const Plan& plan, const Projection& projection, const LifePlan& life,
                        const SimulationOptions& options) {
    CheckSimulationOptions(options);
    if (plan.YearsToRetirement < 0) throw std::invalid_argument("negative years to retirement");

    PathModel m;
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

pcg32 PathStream(std::uint64_t seed, std::int32_t path) {
    pcg32 stream(seed);
    stream.advance(static_cast<std::uint64_t>(path) * PathBlock);
    return stream;
}

}  // namespace nestora
