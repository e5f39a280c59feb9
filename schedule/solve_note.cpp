// SPDX-License-Identifier: MIT
#include "schedule/solve_note.h"

#include <cmath>

#include "schedule/simulation_note.h"

namespace nestora {

namespace {

std::string Years(std::int64_t years) {
    return std::to_string(years) + (years == 1 ? " year" : " years");
}

std::string Rate(const Solution& s, char separator) { return SolvedValueText(s, separator) + " %"; }

// The answer's lead, before the colon.
std::string Lead(const Solution& s, const std::function<std::string(std::int64_t)>& count,
                 char separator) {
    switch (s.quantity) {
        case SolveFor::Draw:
            return "You can draw " + Rate(s, separator) + " (" +
                   count(std::llround(fp::toDouble(s.yearlyToday))) + " a year in today's money)";
        case SolveFor::Spend:
            return "You can spend " + count(s.value) + " a year in today's money";
        case SolveFor::Retire:
            return s.value == 0 ? "You can retire now" : "You can retire in " + Years(s.value);
        case SolveFor::Saving:
            break;
    }
    return s.value == 0 ? "You need not save" : "Save " + count(s.value) + " a year";
}

// The best value tried, after "Even".
std::string Tried(const Solution& s, const std::function<std::string(std::int64_t)>& count,
                  char separator) {
    switch (s.quantity) {
        case SolveFor::Draw:
            return "drawing " + Rate(s, separator);
        case SolveFor::Spend:
            return s.value == 0 ? "spending nothing" : "spending " + count(s.value) + " a year";
        case SolveFor::Retire:
            return s.value == 0 ? "retiring now" : "retiring in " + Years(s.value);
        case SolveFor::Saving:
            break;
    }
    return "saving " + count(s.value) + " a year";
}

std::string Markets(const Solution& s) {
    const std::string percent = std::to_string(FundedPercent(s.fundedMarkets, s.markets)) + " %";
    return percent + (s.measuredOn == SolvedMarkets::History ? " of the stretches of history"
                                                             : " of markets");
}

}  // namespace

std::string SolvedValueText(const Solution& solution, char decimalSeparator) {
    if (solution.quantity != SolveFor::Draw) return std::to_string(solution.value);
    std::string text = DrawRateText(solution.value);
    for (char& c : text)
        if (c == '.') c = decimalSeparator;
    return text;
}

std::string SolveSentence(const Solution& solution,
                          const std::function<std::string(std::int64_t)>& count,
                          char decimalSeparator) {
    if (solution.moot)
        return "With a spending amount, the draw rate does not change what savings pay: solve "
               "for spend instead.";
    const std::string what = solution.spends ? "spending" : "draw";
    const bool fixed = solution.measuredOn == SolvedMarkets::Fixed;
    const std::string horizon = " for " + Years(solution.horizon) + ".";
    if (solution.found) {
        const std::string who = fixed ? "the savings" : Markets(solution);
        return Lead(solution, count, decimalSeparator) + ": " + who + " pay the full " + what +
               horizon;
    }
    const std::string even = "Even " + Tried(solution, count, decimalSeparator) + ", ";
    if (fixed) return even + "the savings do not pay the full " + what + horizon;
    return even + Markets(solution) + " pay the full " + what + ".";
}

}  // namespace nestora
