// SPDX-License-Identifier: MIT
// A plan document's text as a user might write it: the six entry texts and
// the life around them in JSON.
#pragma once

#include <array>
#include <string>

namespace nestora::testing {

inline std::string PlanDocumentText(const std::array<std::string, 6>& texts,
                                    const std::string& life = "{}") {
    const char* keys[] = {"current_savings",   "annual_savings", "return_percent",
                          "inflation_percent", "draw_percent",   "years_to_retirement"};
    std::string plan;
    for (std::size_t k = 0; k < texts.size(); ++k)
        plan += std::string(k == 0 ? "" : ", ") + "\"" + keys[k] + "\": \"" + texts[k] + "\"";
    return "{\"format\": \"nestora-plan\", \"version\": 1,\n \"plan\": {" + plan +
           "},\n \"life\": " + life + "}\n";
}

}  // namespace nestora::testing
