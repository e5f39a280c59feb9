// SPDX-License-Identifier: MIT
#include "design/main_window_design.h"

namespace nestora::design {

std::string SpokenName(std::string_view caption) {
    std::string name;
    bool gap = false;
    for (const char c : caption) {
        if (c == ' ' || c == '\t' || c == '\n' || c == '\r') {
            gap = !name.empty();
            continue;
        }
        if (gap) name += ' ';
        gap = false;
        name += c;
    }
    while (!name.empty() && std::string_view(".$% ").find(name.back()) != std::string_view::npos)
        name.pop_back();
    return name;
}

}  // namespace nestora::design
