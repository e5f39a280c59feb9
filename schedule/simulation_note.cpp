// SPDX-License-Identifier: MIT
#include "schedule/simulation_note.h"

#include <algorithm>

namespace nestora {

std::int32_t FundedPercent(std::int32_t funded, std::int32_t paths) {
    if (paths <= 0 || funded <= 0) return 0;
    if (funded >= paths) return 100;
    // Nearest, halves up, then kept within 1 … 99.
    const std::int64_t percent = (std::int64_t{funded} * 200 + paths) / (2 * std::int64_t{paths});
    return static_cast<std::int32_t>(std::clamp<std::int64_t>(percent, 1, 99));
}

std::string SimulationSentence(const Simulation& simulation,
                               const std::function<std::string(std::int64_t)>& count) {
    const std::int32_t years = simulation.horizon;
    return "In " + count(simulation.fundedPaths) + " of " + count(simulation.paths) +
           " simulated markets (" +
           std::to_string(FundedPercent(simulation.fundedPaths, simulation.paths)) +
           " %) the savings pay the full draw for " + std::to_string(years) +
           (years == 1 ? " year." : " years.");
}

}  // namespace nestora
