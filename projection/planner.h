// SPDX-License-Identifier: MIT
// The main window's state and logic without the toolkit: the Plan, the
// Projection and CalcEnabled, the six entry fields with their handler run
// and the four result fields that calculate writes.
//
// A keystroke in an entry field reaches entryChanged(entry) through the
// field's change signal; the run parses the text into the plan (a bad entry
// brings the warning box and the beep), applies the field's range rules
// (rewriting the field, which runs the handler again, nested) and calls
// calculate, which writes Edit3 .. Edit6 one by one.
#pragma once

#include <array>

#include "projection/desktop.h"
#include "projection/field.h"
#include "projection/plan.h"

namespace nestora {

// The entry fields, in the order of the window's layout table.
enum class Entry { Edit1, Edit2, Edit9, Edit10, Edit8, Edit11 };
inline constexpr std::array<Entry, 6> AllEntries = {Entry::Edit1, Entry::Edit2,  Entry::Edit9,
                                                    Entry::Edit10, Entry::Edit8, Entry::Edit11};

// The result fields, in the order calculate writes them.
enum class Result { Edit3, Edit4, Edit5, Edit6 };

class Planner {
public:
    explicit Planner(Desktop& desktop) : desktop_(desktop) {}

    void bindEntry(Entry entry, Field& field);
    void bindResult(Result result, Field& field);
    Field& entryField(Entry entry) const;
    Field& resultField(Result result) const;

    // Recomputes the projection from the plan and writes the four result
    // fields in order; does nothing while CalcEnabled is false. A fault
    // leaves the fields written before it.
    void calculate();

    // One handler run of the entry's field (Edit1Change, Edit2Change, ...).
    // May raise an arithmetic fault; a nested run is its own catch point.
    void entryChanged(Entry entry);

    Plan plan;
    Projection projection;
    bool CalcEnabled = true;

private:
    Desktop& desktop_;
    std::array<Field*, 6> entries_{};
    std::array<Field*, 4> results_{};
};

}  // namespace nestora
