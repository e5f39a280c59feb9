// SPDX-License-Identifier: MIT
#include <gtest/gtest.h>

#include <exception>
#include <functional>
#include <new>
#include <stdexcept>
#include <string>
#include <utility>
#include <vector>

#include "number/errors.h"
#include "projection/catch_point.h"
#include "support/planner_fixture.h"
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

// A field that runs `raise` before it takes a text.
class RaisingField : public testing::PlainField {
  public:
    using PlainField::PlainField;
    std::function<void()> raise;
    void setText(const std::string& text) override {
        if (raise) raise();
        PlainField::setText(text);
    }
};

// A result field that throws while calculate writes it, from a keystroke's
// handler run: whatever it throws ends in the error box, and the next
// keystroke runs as usual.
TEST(RunCaught, CatchesEveryExceptionAndTheProgramGoesOn) {
    struct NoText : std::exception {
        const char* what() const noexcept override { return ""; }
    };
    struct Row {
        const char* what;
        std::function<void()> raise;
        std::string box;
    };
    const std::vector<Row> rows = {
        {"the program's own", [] { throw EOverflow(); }, "Floating point overflow."},
        {"out of memory", [] { throw std::bad_alloc(); }, "std::bad_alloc."},
        {"a logic error", [] { throw std::logic_error("result field not bound"); },
         "result field not bound."},
        {"a runtime error", [] { throw std::runtime_error("Broken pipe"); }, "Broken pipe."},
        {"a plain std::exception", [] { throw std::exception(); }, "std::exception."},
        {"no text", [] { throw NoText(); }, "Unexpected error."},
        {"an empty message", [] { throw std::runtime_error(""); }, "Unexpected error."},
        {"no standard exception", [] { throw 42; }, "Unexpected error."},
        {"a text thrown as it is", [] { throw "raw"; }, "Unexpected error."},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.what);
        testing::PlannerFixture program;
        program.planner.plan = DefaultPlan();
        bool armed = true;
        RaisingField result("500000");
        result.raise = [&] {
            if (armed) row.raise();
        };
        program.planner.bindResult(Result::Edit3, result);

        program.entry(Entry::Edit11).type("30");
        EXPECT_EQ(program.desktop.errors(), std::vector<std::string>{"Nestora|" + row.box});
        EXPECT_EQ(result.text(), "500000");

        armed = false;
        program.desktop.calls.clear();
        program.entry(Entry::Edit11).type("31");
        EXPECT_TRUE(program.desktop.calls.empty());
        EXPECT_NE(result.text(), "500000") << "the next keystroke calculates again";
    }
}

TEST(RunCaught, ShowsTheBoxOnlyWhenAskedAfterAFailureAndAllowed) {
    for (const bool allowed : {true, false}) {
        testing::RecordingDesktop desktop;
        int asked = 0;
        const auto mayShow = [&] {
            ++asked;
            return allowed;
        };
        EXPECT_TRUE(RunCaught(
            desktop, "Plan", [] {}, mayShow));
        EXPECT_EQ(asked, 0) << "nothing failed, nothing to ask";
        EXPECT_FALSE(RunCaught(
            desktop, "Plan", [] { throw EOverflow(); }, mayShow));
        EXPECT_EQ(asked, 1);
        EXPECT_EQ(desktop.errors().size(), allowed ? 1u : 0u);
    }
}

TEST(RunCaught, ABoxThatCannotBeShownStillLetsTheProgramGoOn) {
    struct FailingDesktop : testing::RecordingDesktop {
        void errorBox(const std::string&, const std::string&) override { throw std::bad_alloc(); }
    } desktop;
    EXPECT_FALSE(RunCaught(desktop, "Plan", [] { throw EOverflow(); }));
}

}  // namespace
}  // namespace nestora
