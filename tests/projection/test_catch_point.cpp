// SPDX-License-Identifier: MIT
#include <gtest/gtest.h>

#include <stdexcept>
#include <string>
#include <utility>
#include <vector>

#include "number/errors.h"
#include "projection/catch_point.h"
#include "support/recording_desktop.h"

namespace nestora {
namespace {

TEST(ProgramTitle, FileNameCutAtFirstDotRestLowerCase) {
    const std::vector<std::pair<std::string, std::string>> cases = {
        {"PLAN.EXE", "Plan"},
        {"/opt/PLAN.EXE", "Plan"},
        {"C:\\Tools\\NESTORA.EXE", "Nestora"},
        {"/usr/bin/nestora", "nestora"},  // the first character keeps its case
        {"/usr/bin/NestOra", "Nestora"},
        {"/home/x/My.Plan.exe", "My"},  // cut at the first dot, not the last
        {"/a.b/PLAN", "Plan"},          // a dot in a directory does not count
        {"/home/x/.hidden", ""},
        {"", ""},
        {"/x/\xC3\x89LAN.EXE", "\xC3\x89lan"},  // "ÉLAN.EXE": only ASCII letters change
        {"/x/P1AN-2.EXE", "P1an-2"},
    };
    for (const auto& [path, title] : cases) EXPECT_EQ(ProgramTitle(path), title) << path;
}

TEST(ErrorBoxText, FullStopAfterCharactersAboveFullStop) {
    const std::vector<std::pair<std::string, std::string>> cases = {
        {"Invalid floating point operation", "Invalid floating point operation."},
        {"Error 5", "Error 5."},
        {"Reason:", "Reason:."},
        {"Why?", "Why?."},
        {"a/", "a/."},                    // '/' is the code after '.'
        {"caf\xC3\xA9", "caf\xC3\xA9."},  // a UTF-8 letter
        {"Done.", "Done."},
        {"Stop!", "Stop!"},
        {"(x)", "(x)"},
        {"a-", "a-"},  // '-' is the code before '.'
        {"ends in a blank ", "ends in a blank "},
        {"", ""},
    };
    for (const auto& [message, text] : cases) EXPECT_EQ(ErrorBoxText(message), text) << message;
}

TEST(RunCaught, ShowsTheProgramsErrorsAndCarriesOn) {
    struct Case {
        std::function<void()> step;
        bool completed;
        std::vector<std::string> calls;
    };
    const std::vector<Case> cases = {
        {[] {}, true, {}},
        {[] { throw EInvalidOp(); }, false, {"error: Plan|Invalid floating point operation."}},
        {[] { throw EZeroDivide(); }, false, {"error: Plan|Floating point division by zero."}},
        {[] { throw EOverflow(); }, false, {"error: Plan|Floating point overflow."}},
        {[] { throw Error("Access denied."); }, false, {"error: Plan|Access denied."}},
    };
    for (const Case& c : cases) {
        testing::RecordingDesktop desktop;
        EXPECT_EQ(RunCaught(desktop, "Plan", c.step), c.completed);
        EXPECT_EQ(desktop.calls, c.calls);
    }
}

TEST(RunCaught, LeavesOtherExceptionsToTheCaller) {
    testing::RecordingDesktop desktop;
    EXPECT_THROW(RunCaught(desktop, "Plan", [] { throw std::logic_error("bug"); }),
                 std::logic_error);
    EXPECT_TRUE(desktop.calls.empty());
}

}  // namespace
}  // namespace nestora
