// SPDX-License-Identifier: MIT
// The simulation's answer in one plain sentence:
//   "In 8,412 of 10,000 simulated markets (84 %) the savings pay the full
//    draw for 30 years."
// The counts are written by `count` (the window groups thousands by the
// user's locale). The percent is whole, and never says 100 while a market
// falls short, nor 0 while one pays: 9,996 of 10,000 is "(99 %)".
#pragma once

#include <cstdint>
#include <functional>
#include <string>

#include "schedule/simulation.h"

namespace nestora {

std::string SimulationSentence(const Simulation& simulation,
                               const std::function<std::string(std::int64_t)>& count);

// The whole percent of the sentence.
std::int32_t FundedPercent(std::int32_t funded, std::int32_t paths);

}  // namespace nestora
