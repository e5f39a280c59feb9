// SPDX-License-Identifier: MIT
// History's answer in plain sentences:
//   "In 97 of 123 stretches of history since 1871 (79 %) the savings paid
//    the full draw for 30 years. The worst start was 1906: the money lasted
//    21 years."
// The counts are written by `count` (the window groups thousands by the
// user's locale); the percent is FundedPercent's. When even the worst start
// paid every year, the second sentence says "… lasted the full 30 years."; when
// it could not pay the first year's draw, "… did not last a year."
#pragma once

#include <cstdint>
#include <functional>
#include <string>

#include "schedule/history.h"

namespace nestora {

std::string HistorySentence(const History& history,
                            const std::function<std::string(std::int64_t)>& count);

}  // namespace nestora
