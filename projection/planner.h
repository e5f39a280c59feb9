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
//
// Each field's change must reach entryChanged through RunEntryChanged, so
// that every run, nested or not, is a catch point of its own: a fault in a
// nested run shows the error box and the outer run then carries on.
#pragma once

#include <array>
#include <cstdint>
#include <string>
#include <string_view>

#include "projection/desktop.h"
#include "projection/field.h"
#include "projection/plan.h"

namespace nestora {

// The entry fields, in the order of the window's layout table. The names are
// those of the window's edit boxes; each edits one plan value.
enum class Entry {
    Edit1,   // Plan::CurrentSavings, money
    Edit2,   // Plan::AnnualSavings, money
    Edit9,   // Plan::InvestmentReturn, a percent
    Edit10,  // Plan::InflationRate, a percent
    Edit8,   // Plan::RetirementDraw, a percent
    Edit11,  // Plan::YearsToRetirement, whole years
};
inline constexpr std::array<Entry, 6> AllEntries = {Entry::Edit1,  Entry::Edit2, Entry::Edit9,
                                                    Entry::Edit10, Entry::Edit8, Entry::Edit11};

// The result fields, in the order calculate writes them.
enum class Result {
    Edit3,  // Projection::SavingsAtRetirement
    Edit4,  // Projection::AdjustedSavings, in today's money
    Edit5,  // Projection::AdjustedDraw, the yearly draw in today's money
    Edit6,  // Projection::YearsProvided
};
inline constexpr std::array<Result, 4> AllResults = {Result::Edit3, Result::Edit4, Result::Edit5,
                                                     Result::Edit6};

// What one entry field does with its text. The six fields differ only here.
struct EntryRule {
    enum class Parse { Real, Integer };  // TextToReal or TextToInteger
    // The lower rule fires when the value is not at least 0 (NaN included),
    // or, for the retirement draw, when it is not above 0.
    enum class Lower { NotAtLeastZero, NotAboveZero };

    Entry entry;
    std::string_view message;  // the warning when the text does not parse
    Parse parse;
    Extended Plan::*real;         // the plan value of a real field, else null
    std::int32_t Plan::*integer;  // the plan value of the years field, else null
    Lower lower;
    Extended lowerValue;
    std::string_view lowerText;
    bool hasUpper;        // the upper rule is strict: value > upperLimit
    Extended upperLimit;  // the replacement value is the limit itself
    std::string_view upperText;
    bool percent;  // the parsed value is divided by 100
};

const EntryRule& RuleOf(Entry entry);

// The shown text of a money value or a count, in the result fields and in the
// money entries that the settings fill: made a double, rounded to whole units
// (ties to even) and written with RealToText and `separator`.
// 795766.4975 → "795766"; 2.1239255501715249E16 with ',' → "2,12392555017152E16".
std::string MoneyText(Extended value, char separator);

// Told of every calculate run that gets past CalcEnabled: with the results
// once they are shown, or with the fault's message when a fault stops the
// run (the fault then goes on to its catch point). Neither may throw.
class CalculateObserver {
  public:
    virtual ~CalculateObserver() = default;
    virtual void calculated(const Plan& plan, const Projection& projection) = 0;
    virtual void calculateFaulted(const std::string& message) = 0;
};

class Planner {
  public:
    // The fields show numbers with `decimalSeparator`, the user's symbol, and
    // take it back (with "." as well).
    explicit Planner(Desktop& desktop, char decimalSeparator = '.')
        : desktop_(desktop), decimalSeparator_(decimalSeparator) {}

    void bindEntry(Entry entry, Field& field);
    void bindResult(Result result, Field& field);
    Field& entryField(Entry entry) const;
    Field& resultField(Result result) const;
    Desktop& desktop() const { return desktop_; }
    char decimalSeparator() const { return decimalSeparator_; }
    // The user changed the symbol while the program runs: the next texts the
    // planner writes use it.
    void setDecimalSeparator(char separator) { decimalSeparator_ = separator; }

    // Recomputes the projection from the plan and writes the four result
    // fields in order; does nothing while CalcEnabled is false. A fault
    // leaves the fields written before it.
    void calculate();

    // One handler run of the entry's field (Edit1Change, Edit2Change, ...).
    // May raise an arithmetic fault; a nested run is its own catch point.
    void entryChanged(Entry entry);

    // One observer at most; null for none. It must outlive its setting.
    void setObserver(CalculateObserver* observer) { observer_ = observer; }
    CalculateObserver* observer() const { return observer_; }

    Plan plan;
    Projection projection;
    bool CalcEnabled = true;

  private:
    void calculateSteps();

    Desktop& desktop_;
    char decimalSeparator_;
    CalculateObserver* observer_ = nullptr;
    std::array<Field*, 6> entries_{};
    std::array<Field*, 4> results_{};
};

// The body of every entry field's change notification: one handler run of
// `entry` as a catch point, an escaping error shown in the error box titled
// `title`. Returns false when an error was caught.
bool RunEntryChanged(Planner& planner, Entry entry, const std::string& title);

}  // namespace nestora
