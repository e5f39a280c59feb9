// SPDX-License-Identifier: MIT
// Spreads work over threads: work(part) for part = 0 … parts − 1, one part
// on the calling thread and the others on threads of their own; a thread
// that cannot start runs its part on the calling thread. Every part runs to
// its end, and the first error that any part raised (by part number) is then
// raised again on the calling thread, so a fault on a helper thread reaches
// the caller's catch point as one on the calling thread would.
#pragma once

#include <cstdint>
#include <functional>

namespace nestora {

void RunParts(std::int32_t parts, const std::function<void(std::int32_t)>& work);

}  // namespace nestora
