// SPDX-License-Identifier: MIT
// A LifePlan with every input at its neutral value changes nothing: the CSV
// of each plan below, with and without the simulation's columns, is the one
// the schedule wrote before the plan around the six values existed, byte for
// byte. Scripts read these files; the hashes (FNV-1a, 64 bits) and lengths
// were taken from that earlier program.
#include <gtest/gtest.h>

#include <cstdint>
#include <string>

#include "schedule/schedule.h"
#include "schedule/schedule_csv.h"
#include "schedule/schedule_table.h"
#include "schedule/simulation.h"
#include "schedule/simulation_table.h"
#include "simulation_support.h"

namespace nestora {
namespace {

using testing::MakePlan;
using testing::Projected;

std::uint64_t Fnv1a(const std::string& text) {
    std::uint64_t hash = 1469598103934665603ull;
    for (const unsigned char c : text) {
        hash ^= c;
        hash *= 1099511628211ull;
    }
    return hash;
}

struct NeutralCase {
    const char* name;
    Plan plan;
    std::uint64_t plainHash;
    std::size_t plainSize;
    std::uint64_t simulatedHash;
    std::size_t simulatedSize;
};

void PrintTo(const NeutralCase& c, std::ostream* os) { *os << c.name; }

// clang-format off
const NeutralCase kNeutralPlans[] = {
    {"Defaults",               MakePlan(65000, 12000, 0.075L, 0.03L, 0.065L, 20), 0x5af07b4f68417315ull, 1555, 0x9955b78b4faf0131ull, 3069},
    {"HighDrawShortYears",     MakePlan(65000, 12000, 0.075L, 0.03L, 0.25L,  5),  0x581c7598a76b69a0ull, 349,  0xa771f2e574e92626ull, 1597},
    {"SmallRealReturn",        MakePlan(10000, 500,   0.031L, 0.03L, 0.02L,  40), 0x9a7339dd47445059ull, 2635, 0xc0b46a18672e41efull, 4469},
    {"NoSavingYears",          MakePlan(65000, 12000, 0.075L, 0.03L, 0.065L, 0),  0xdceb3b64d47293c2ull, 841,  0x508169904fe34a77ull, 1763},
    {"LongestSaving",          MakePlan(65000, 12000, 0.075L, 0.03L, 0.065L, 80), 0xcd97c8fa0acb2813ull, 3720, 0xce488cca5e3bd5abull, 7059},
    {"ReturnEqualToInflation", MakePlan(65000, 12000, 0.03L,  0.03L, 0.065L, 20), 0x42321188af94d2e2ull, 1185, 0xea1e355e9e960927ull, 2791},
    {"ZeroReturn",             MakePlan(65000, 12000, 0,      0.03L, 0.065L, 20), 0xdd781e2fd7120a23ull, 1082, 0x12a37be951377498ull, 2686},
    {"ReturnBelowInflation",   MakePlan(65000, 12000, 0.02L,  0.05L, 0.04L,  30), 0x7c65b861047ec0adull, 1576, 0x94dd3fce5e3f700dull, 3397},
    {"DrawCoveredForever",     MakePlan(65000, 12000, 0.1L,   0.03L, 0.065L, 20), 0x5b3e168d4f4e3f93ull, 4278, 0xf7e02d6a52d9b682ull, 6023},
    {"HighReturnLargeSums",    MakePlan(9e12L, 1e11L, 0.3L,   0.25L, 0.25L,  25), 0x0b3ee839ed6f6f22ull, 1739, 0x2213b2e6c7ceead2ull, 4258},
    {"NoSavings",              MakePlan(0,     0,     0.075L, 0.03L, 0.065L, 20), 0xd33fd889fa9b9464ull, 2323, 0xd36b754a6614973cull, 3335},
    {"AllInflation",           MakePlan(1e6L,  0,     0,      1,     0.25L,  3),  0xf6775db1fa1a33f1ull, 153,  0xd2172c5419cca311ull, 1369},
    {"TinyDraw",               MakePlan(5e5L,  1000,  0.04L,  0.02L, 0.01L,  10), 0x7205ed8e99c46152ull, 3737, 0x2ae005887ebd7d05ull, 5325},
};
// clang-format on

class NeutralLifePlan : public ::testing::TestWithParam<NeutralCase> {};

TEST_P(NeutralLifePlan, GivesTheSameCsvByteForByte) {
    const NeutralCase& c = GetParam();
    const Projected p(c.plan);
    const LifePlan neutral;
    ASSERT_FALSE(ChangesMoney(neutral));
    ScheduleTable table = MakeScheduleTable(MakeSchedule(p.plan(), p.projection(), neutral), 2026);
    const std::string plain = ScheduleCsv(table);
    EXPECT_EQ(plain.size(), c.plainSize);
    EXPECT_EQ(Fnv1a(plain), c.plainHash) << plain;

    SimulationOptions options;
    options.paths = 500;
    options.horizon = 35;
    AddSimulationColumns(table, Simulate(p.plan(), p.projection(), options, neutral));
    const std::string simulated = ScheduleCsv(table);
    EXPECT_EQ(simulated.size(), c.simulatedSize);
    EXPECT_EQ(Fnv1a(simulated), c.simulatedHash) << simulated;
}

INSTANTIATE_TEST_SUITE_P(Csv, NeutralLifePlan, ::testing::ValuesIn(kNeutralPlans),
                         [](const auto& row) { return std::string(row.param.name); });

}  // namespace
}  // namespace nestora
