// SPDX-License-Identifier: MIT
// The routines that bench_soft_extended measures, built twice into the one
// program: once with the x87 type (namespace nestora) and once with the
// software type (the same sources with nestora renamed nestora_soft, see
// bench/CMakeLists.txt). Each side keeps its own values.
// No include guard: bench_soft_extended.cpp includes it once for each side.

#include <cstddef>
#include <cstdint>

#ifndef NESTORA_SIDE
#define NESTORA_SIDE nestora
#endif

namespace NESTORA_SIDE::bench {

// Prepares the side: a planner on plain fields with the default plan, and
// 1024 values and texts for the number routines.
void Prepare();

// One call each, on the i-th value (i taken modulo 1024); each returns
// something that depends on the result so that nothing is optimised away.
std::size_t Calculate(std::size_t i);  // the planner's calculate, plan varied by i
std::size_t TextToRealOnce(std::size_t i);
std::size_t RealToTextOnce(std::size_t i);
std::size_t RealItemOnce(std::size_t i);
std::size_t ArithmeticOnce(std::size_t i);  // add, sub, mul, div
std::size_t LnOnce(std::size_t i);

}  // namespace NESTORA_SIDE::bench
