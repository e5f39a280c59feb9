// SPDX-License-Identifier: MIT
#include "schedule/simulation_table.h"

#include <algorithm>
#include <cstddef>
#include <stdexcept>

namespace nestora {

std::string FundedText(std::int32_t funded, std::int32_t paths) {
    if (paths <= 0 || funded < 0 || funded > paths) throw std::invalid_argument("funded share");
    // In ten-thousandths, in integers so that no rounding of a double and no
    // locale enters: q = funded·10000 ÷ paths with the remainder deciding.
    const std::int64_t scaled = std::int64_t{funded} * 10000;
    std::int64_t q = scaled / paths;
    const std::int64_t twice = 2 * (scaled % paths);
    if (twice > paths || (twice == paths && q % 2 == 1)) ++q;
    // Never 1 while some market fell short, nor 0 while some paid: as the
    // sentence's percentage, the nearest share short of the bound.
    if (funded < paths) q = std::min<std::int64_t>(q, 9999);
    if (funded > 0) q = std::max<std::int64_t>(q, 1);
    std::string fraction = std::to_string(q % 10000);
    fraction.insert(0, 4 - fraction.size(), '0');
    return std::to_string(q / 10000) + "." + fraction;
}

void AddSimulationColumns(ScheduleTable& table, const Simulation& simulation) {
    AddBandColumns(table, simulation,
                   {{"p10_today", "10th percentile"},
                    {"p50_today", "Median"},
                    {"p90_today", "90th percentile"},
                    {"funded", "Funded share"}});
}

void AddBandColumns(ScheduleTable& table, const Simulation& simulation, const BandColumns& keys) {
    const std::size_t columns = table.columns.size();
    const std::size_t years = simulation.years.size();
    // Years after the schedule has run out: the year, "retired", 0 elsewhere.
    for (std::size_t r = table.rows.size(); r < years; ++r) {
        std::vector<ScheduleCell> row =
            LeadingCells(table, static_cast<std::int32_t>(r) + 1, Phase::Retired);
        while (row.size() < columns) row.push_back(MoneyCell(0));
        table.rows.push_back(std::move(row));
    }

    const auto year = [&](std::size_t r) -> const SimulatedYear* {
        return r < years ? &simulation.years[r] : nullptr;
    };
    const auto money = [&](double SimulatedYear::*field) {
        return [&, field](std::size_t r) {
            const SimulatedYear* y = year(r);
            return y ? MoneyCell(y->*field) : LabelCell("", "");
        };
    };
    AddColumn(table, keys.p10, money(&SimulatedYear::p10Today));
    AddColumn(table, keys.p50, money(&SimulatedYear::p50Today));
    AddColumn(table, keys.p90, money(&SimulatedYear::p90Today));
    AddColumn(table, keys.funded, [&](std::size_t r) {
        const SimulatedYear* y = year(r);
        if (!y) return LabelCell("", "");
        return ShareCell(FundedText(y->fundedPaths, simulation.paths));
    });
}

}  // namespace nestora
