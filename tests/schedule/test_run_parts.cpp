// SPDX-License-Identifier: MIT
#include <gtest/gtest.h>

#include <atomic>
#include <stdexcept>
#include <vector>

#include "schedule/run_parts.h"

namespace nestora {
namespace {

TEST(RunPartsTest, RunsEveryPartOnce) {
    std::vector<std::atomic<int>> runs(5);
    RunParts(5, [&](std::int32_t part) { ++runs[static_cast<std::size_t>(part)]; });
    for (const auto& count : runs) EXPECT_EQ(count.load(), 1);
}

// A fault on a helper thread reaches the caller, after every other part has
// ended, as one on the calling thread does; the lowest part's comes first.
TEST(RunPartsTest, RaisesAPartsErrorOnTheCallingThread) {
    for (const std::int32_t failing : {0, 1, 3}) {
        std::atomic<int> ended{0};
        try {
            RunParts(4, [&](std::int32_t part) {
                if (part == failing || part == 3) throw std::runtime_error(std::to_string(part));
                ++ended;
            });
            ADD_FAILURE() << "part " << failing << "'s error was lost";
        } catch (const std::runtime_error& error) {
            EXPECT_EQ(error.what(), std::to_string(failing));
        }
        EXPECT_EQ(ended.load(), failing == 3 ? 3 : 2) << "part " << failing;
    }
}

}  // namespace
}  // namespace nestora
