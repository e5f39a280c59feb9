// SPDX-License-Identifier: MIT
// The keys of a plan document that the writer and the reader share.
#pragma once

#include <array>

namespace nestora::plan_keys {

// The six entry texts under "plan", in the order of AllEntries.
inline constexpr std::array<const char*, 6> Fields = {"current_savings", "annual_savings",
                                                      "return_percent",  "inflation_percent",
                                                      "draw_percent",    "years_to_retirement"};

}  // namespace nestora::plan_keys
