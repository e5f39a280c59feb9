// SPDX-License-Identifier: MIT
// `nestora FILE.nestora` starts the window on that plan document; every
// other argument list is decided as before.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "app/command_line.h"

namespace nestora::testing {
namespace {

TEST(PlanArgument, ALonePlanDocumentStartsTheWindowOnIt) {
    struct Case {
        std::vector<const char*> arguments;
        bool commandLine;
        std::string plan;
    };
    const Case cases[] = {
        {{}, false, ""},
        {{"retire.nestora"}, false, "retire.nestora"},
        {{"-style", "fusion", "/home/me/my plan.nestora"}, false, "/home/me/my plan.nestora"},
        {{"plan.fig"}, true, ""},  // not a plan document: refused as before
        {{".nestora"}, true, ""},
        {{"--schedule", "retire.nestora"}, true, ""},
        {{"retire.nestora", "other.nestora"}, true, ""},
        {{"--help"}, true, ""},
        {{"-platform", "offscreen"}, false, ""},
    };
    for (const Case& c : cases) {
        std::vector<const char*> argv = {"nestora"};
        argv.insert(argv.end(), c.arguments.begin(), c.arguments.end());
        const int argc = static_cast<int>(argv.size());
        EXPECT_EQ(WantsCommandLine(argc, argv.data()), c.commandLine) << argc;
        EXPECT_EQ(PlanDocumentArgument(argc, argv.data()), c.plan) << argc;
    }
}

}  // namespace
}  // namespace nestora::testing
