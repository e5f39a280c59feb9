// SPDX-License-Identifier: MIT
#include "schedule/run_parts.h"

#include <algorithm>
#include <cstddef>
#include <exception>
#include <system_error>
#include <thread>
#include <vector>

namespace nestora {

void RunParts(std::int32_t parts, const std::function<void(std::int32_t)>& work) {
    if (parts <= 0) return;
    std::vector<std::exception_ptr> errors(static_cast<std::size_t>(parts));
    const auto run = [&](std::int32_t part) {
        try {
            work(part);
        } catch (...) {
            errors[static_cast<std::size_t>(part)] = std::current_exception();
        }
    };
    std::vector<std::thread> helpers;
    std::vector<std::int32_t> leftOver;
    for (std::int32_t part = 1; part < parts; ++part) {
        try {
            helpers.emplace_back(run, part);
        } catch (const std::system_error&) {
            leftOver.push_back(part);
        }
    }
    run(0);
    for (const std::int32_t part : leftOver) run(part);
    for (std::thread& helper : helpers) helper.join();
    for (const std::exception_ptr& error : errors)
        if (error) std::rethrow_exception(error);
}

std::int32_t ThreadCount(std::int32_t threads, std::size_t cells) {
    if (threads <= 0) threads = static_cast<std::int32_t>(std::thread::hardware_concurrency());
    constexpr std::size_t CellsPerThread = 20000;
    const auto useful = static_cast<std::int32_t>(std::max<std::size_t>(1, cells / CellsPerThread));
    return std::clamp(std::min(threads, useful), 1, 16);
}

std::int32_t PartStart(std::int32_t part, std::int32_t parts, std::int32_t count) {
    return static_cast<std::int32_t>(static_cast<std::int64_t>(count) * part / parts);
}

}  // namespace nestora
