// SPDX-License-Identifier: MIT
// A Planner bound to plain fields, with each entry's change run through
// RunEntryChanged, its own catch point, as the window runs it. By default the
// fields hold the window's designed texts and the decimal symbol is ".".
#pragma once

#include <array>
#include <cstddef>
#include <functional>
#include <string>
#include <utility>

#include "projection/planner.h"
#include "support/first_run.h"
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

struct PlannerFixture {
    explicit PlannerFixture(const EntryTexts& entryTexts = DesignedEntryTexts,
                            const ResultTexts& resultTexts = DesignedResultTexts,
                            std::string boxTitle = "Nestora", char decimalSeparator = '.')
        : planner(desktop, decimalSeparator), title(std::move(boxTitle)) {
        for (std::size_t i = 0; i < entries.size(); ++i) {
            const Entry entry = AllEntries[i];
            entries[i] = PlainField(entryTexts[i]);
            planner.bindEntry(entry, entries[i]);
            entries[i].onChange = [this, entry] { RunEntryChanged(planner, entry, title); };
        }
        for (std::size_t i = 0; i < results.size(); ++i) {
            results[i] = CountingField(resultTexts[i]);
            planner.bindResult(AllResults[i], results[i]);
        }
    }
    PlannerFixture(const PlannerFixture&) = delete;
    PlannerFixture& operator=(const PlannerFixture&) = delete;

    WatchingDesktop desktop;
    Planner planner;
    std::string title;
    std::array<PlainField, 6> entries;
    std::array<CountingField, 4> results;

    PlainField& entry(Entry e) { return entries.at(static_cast<std::size_t>(e)); }
    CountingField& result(Result r) { return results.at(static_cast<std::size_t>(r)); }

    EntryTexts entryTexts() const {
        EntryTexts texts;
        for (std::size_t i = 0; i < entries.size(); ++i) texts[i] = entries[i].text();
        return texts;
    }
    ResultTexts resultTexts() const {
        ResultTexts texts;
        for (std::size_t i = 0; i < results.size(); ++i) texts[i] = results[i].text();
        return texts;
    }
    // How many calculate runs got as far as writing their results.
    int calculations() const { return results[0].writes; }

    // The plan value that the entry's field writes, as an extended real.
    Extended planValue(Entry e) const {
        const EntryRule& rule = RuleOf(e);
        return rule.real != nullptr ? planner.plan.*rule.real
                                    : static_cast<Extended>(planner.plan.*rule.integer);
    }
};

}  // namespace nestora::testing
