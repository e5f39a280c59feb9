// SPDX-License-Identifier: MIT
// A Planner bound to plain fields that hold the window's designed texts, with
// each entry's change run as its own catch point, as the window runs it.
#pragma once

#include <array>
#include <string>

#include "plain_field.h"
#include "projection/planner.h"
#include "recording_desktop.h"

namespace nestora::testing {

struct PlannerFixture {
    RecordingDesktop desktop;
    Planner planner{desktop};
    // Edit1, Edit2, Edit9, Edit10, Edit8, Edit11 with their designed texts.
    std::array<PlainField, 6> entries{PlainField("50000"), PlainField("10000"), PlainField("8.5"),
                                      PlainField("3.0"),   PlainField("6.0"),   PlainField("25")};
    // Edit3 .. Edit6.
    std::array<PlainField, 4> results{PlainField("500000"), PlainField("300000"),
                                      PlainField("40000"), PlainField("20")};

    PlannerFixture() {
        for (std::size_t i = 0; i < entries.size(); ++i) {
            const Entry entry = AllEntries[i];
            planner.bindEntry(entry, entries[i]);
            entries[i].onChange = [this, entry] { RunEntryChanged(planner, entry, "Nestora"); };
        }
        for (std::size_t i = 0; i < results.size(); ++i)
            planner.bindResult(static_cast<Result>(i), results[i]);
    }

    PlainField& entry(Entry e) { return entries[static_cast<std::size_t>(e)]; }
    PlainField& result(Result r) { return results[static_cast<std::size_t>(r)]; }

    std::array<std::string, 6> entryTexts() const {
        std::array<std::string, 6> texts;
        for (std::size_t i = 0; i < entries.size(); ++i) texts[i] = entries[i].text();
        return texts;
    }
    std::array<std::string, 4> resultTexts() const {
        std::array<std::string, 4> texts;
        for (std::size_t i = 0; i < results.size(); ++i) texts[i] = results[i].text();
        return texts;
    }
};

}  // namespace nestora::testing
