// SPDX-License-Identifier: MIT
#include "number/name_suffix.h"

#include <random>

namespace nestora {

std::string NameSuffix() {
    static const char letters[] = "abcdefghijklmnopqrstuvwxyz0123456789";
    thread_local std::mt19937 pick{std::random_device{}()};
    std::uniform_int_distribution<std::size_t> letter(0, sizeof letters - 2);
    std::string suffix(6, '0');
    for (char& c : suffix) c = letters[letter(pick)];
    return suffix;
}

}  // namespace nestora
