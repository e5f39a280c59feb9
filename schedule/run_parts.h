// SPDX-License-Identifier: MIT
// Spreads work over threads: work(part) for part = 0 … parts − 1, one part
// on the calling thread and the others on threads of their own; a thread
// that cannot start runs its part on the calling thread. Every part runs to
// its end, and the first error that any part raised (by part number) is then
// raised again on the calling thread, so a fault on a helper thread reaches
// the caller's catch point as one on the calling thread would.
#pragma once

#include <cstddef>
#include <cstdint>
#include <functional>

namespace nestora {

void RunParts(std::int32_t parts, const std::function<void(std::int32_t)>& work);

// The parts worth making of `cells` steps of work on up to `threads`
// threads (0: one per core): below about a tenth of a millisecond of work a
// thread costs more than it saves. 1 … 16.
std::int32_t ThreadCount(std::int32_t threads, std::size_t cells);

// The first of `count` items that part `part` of `parts` takes.
std::int32_t PartStart(std::int32_t part, std::int32_t parts, std::int32_t count);

}  // namespace nestora
