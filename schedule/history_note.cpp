// SPDX-License-Identifier: MIT
#include "schedule/history_note.h"

#include "schedule/simulation_note.h"

namespace nestora {

namespace {

std::string Years(std::int32_t years) {
    return std::to_string(years) + (years == 1 ? " year" : " years");
}

}  // namespace

std::string HistorySentence(const History& history,
                            const std::function<std::string(std::int64_t)>& count) {
    const Simulation& s = history.summary;
    const std::int32_t worst = history.worstStretch;
    const std::int32_t lasted = history.fullYears(worst);
    const std::string worstText = lasted == s.horizon
                                      ? "the money lasted the full " + Years(lasted) + "."
                                  : lasted == 0 ? "the money did not last a year."
                                                : "the money lasted " + Years(lasted) + ".";
    return "In " + count(s.fundedPaths) + " of " + count(s.paths) + " stretches of history since " +
           std::to_string(history.firstYear) + " (" +
           std::to_string(FundedPercent(s.fundedPaths, s.paths)) +
           " %) the savings paid the full draw for " + Years(s.horizon) + ". The worst start was " +
           std::to_string(history.startYear(worst)) + ": " + worstText;
}

}  // namespace nestora
