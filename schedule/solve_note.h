// SPDX-License-Identifier: MIT
// The solver's answer in words, and its value as a field takes it.
//
// With an answer, what to do and how the markets bear it:
//   "You can draw 5.87 % (34,120 a year in today's money): 90 % of markets
//    pay the full draw for 30 years."
//   "You can spend 41,200 a year in today's money: …"
//   "You can retire in 14 years: …"   ("now" for 0 years)
//   "Save 9,300 a year: …"            ("You need not save: …" for 0)
// Over history the markets are "the stretches of history"; with returns
// that do not vary, "the savings pay the full draw for 30 years." Plans with
// a spending amount say "spending" for "draw".
//
// Without one, the best value and its success:
//   "Even retiring in 80 years, 71 % of markets pay the full draw."
//   "Even drawing 0.01 %, …", "Even spending nothing, …",
//   "Even saving 1,000,000,000,000 a year, …"
// and with returns that do not vary "…, the savings do not pay the full
// draw for 30 years."
//
// Sums are written by `count` (the window groups thousands by the user's
// locale), rates with `decimalSeparator`; the percent is FundedPercent's,
// never 100 while a market falls short.
#pragma once

#include <cstdint>
#include <functional>
#include <string>

#include "schedule/solver.h"

namespace nestora {

std::string SolveSentence(const Solution& solution,
                          const std::function<std::string(std::int64_t)>& count,
                          char decimalSeparator = '.');

// The value as its field takes it: "5.87" for a draw, whole digits for the
// others ("41200", "14").
std::string SolvedValueText(const Solution& solution, char decimalSeparator = '.');

}  // namespace nestora
