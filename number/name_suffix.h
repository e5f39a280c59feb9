// SPDX-License-Identifier: MIT
// The random part of the names the file layers give their new files (a
// settings file written beside the old one before it takes its place).
#pragma once

#include <string>

namespace nestora {

// Six characters for a name of the program's own: lower-case letters and
// digits, 36^6 (about 2 × 10^9) choices, from a generator of each thread's own.
std::string NameSuffix();

}  // namespace nestora
