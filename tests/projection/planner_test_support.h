// SPDX-License-Identifier: MIT
// A Planner on plain fields that hold the texts of the default plan, with
// every entry's change run through RunEntryChanged as the window runs it.
#pragma once

#include <array>
#include <functional>
#include <string>

#include "number/errors.h"
#include "projection/planner.h"
#include "support/plain_field.h"
#include "support/recording_desktop.h"

namespace nestora::testing {

// Counts every write, equal text or not: a calculate run that gets as far
// as showing its results writes Edit3 exactly once.
class CountingField : public PlainField {
public:
    using PlainField::PlainField;
    int writes = 0;
    void setText(const std::string& text) override {
        ++writes;
        PlainField::setText(text);
    }
};

// A recording desktop that can also look at the program's state at the
// moment a warning box would be on screen.
class WatchingDesktop : public RecordingDesktop {
public:
    std::function<void()> whileWarning;
    void warning(const std::string& message) override {
        if (whileWarning) whileWarning();
        RecordingDesktop::warning(message);
    }
};

inline constexpr const char* kTitle = "Plan";

struct PlannerOnPlainFields {
    WatchingDesktop desktop;
    Planner planner{desktop};
    // Edit1, Edit2, Edit9, Edit10, Edit8, Edit11, showing the default plan.
    std::array<PlainField, 6> entries{PlainField("65000"), PlainField("12000"), PlainField("7.5"),
                                      PlainField("3"),     PlainField("6.5"),   PlainField("20")};
    // Edit3 .. Edit6, with texts no run writes, so untouched fields show.
    std::array<CountingField, 4> results{CountingField("r3"), CountingField("r4"),
                                         CountingField("r5"), CountingField("r6")};

    PlannerOnPlainFields() {
        planner.plan = DefaultPlan();
        for (Entry entry : AllEntries) {
            planner.bindEntry(entry, this->entry(entry));
            this->entry(entry).onChange = [this, entry] {
                RunEntryChanged(planner, entry, kTitle);
            };
        }
        for (Result result : AllResults) planner.bindResult(result, this->result(result));
    }
    PlannerOnPlainFields(const PlannerOnPlainFields&) = delete;
    PlannerOnPlainFields& operator=(const PlannerOnPlainFields&) = delete;

    PlainField& entry(Entry e) { return entries.at(static_cast<std::size_t>(e)); }
    CountingField& result(Result r) { return results.at(static_cast<std::size_t>(r)); }

    std::array<std::string, 4> resultTexts() const {
        return {results[0].text(), results[1].text(), results[2].text(), results[3].text()};
    }
    int calculations() const { return results[0].writes; }

    // The plan value that the entry's field writes, as an extended real.
    Extended planValue(Entry e) const {
        const EntryRule& rule = RuleOf(e);
        return rule.real != nullptr ? planner.plan.*rule.real
                                    : static_cast<Extended>(planner.plan.*rule.integer);
    }
};

// "EInvalidOp: Invalid floating point operation" for a fault, "" for none:
// the class and the message in one string, so a table row names both.
inline std::string FaultOf(const std::function<void()>& step) {
    try {
        step();
    } catch (const EInvalidOp& e) {
        return std::string("EInvalidOp: ") + e.what();
    } catch (const EZeroDivide& e) {
        return std::string("EZeroDivide: ") + e.what();
    } catch (const EOverflow& e) {
        return std::string("EOverflow: ") + e.what();
    } catch (const std::exception& e) {
        return std::string("other: ") + e.what();
    }
    return "";
}

}  // namespace nestora::testing
