// SPDX-License-Identifier: MIT
// Where the user's decimal symbol is ",", the fields show it and take it back.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "planner_test_support.h"

namespace nestora::testing {
namespace {

struct CommaCase {
    Entry entry;
    const char* typed;     // with the comma locale
    const char* asPoints;  // what gives the same plan in a point locale
    const char* shown;
    bool warned;
};

const CommaCase kCommaCases[] = {
    {Entry::Edit9, "7,5", "7.5", "7,5", false},
    {Entry::Edit9, "7.5", "7.5", "7.5", false},  // the point still reads
    {Entry::Edit10, "2,75", "2.75", "2,75", false},
    {Entry::Edit8, "0,5", "0.5", "0,5", false},
    {Entry::Edit1, "1234,5", "1234.5", "1234,5", false},
    {Entry::Edit1, "1,5E3", "1.5E3", "1,5E3", false},
    // A second symbol fails where it stands: partial value 751, so 100 %.
    {Entry::Edit9, "7,5,1", "7.5.1", "100", true},
};

TEST(CommaLocale, FieldsTakeTheUsersDecimalSymbol) {
    for (const CommaCase& c : kCommaCases) {
        PlannerOnPlainFields withPoint;
        withPoint.entry(c.entry).type(c.asPoints);

        PlannerOnPlainFields f(',');
        f.entry(c.entry).type(c.typed);
        EXPECT_EQ(f.entry(c.entry).text(), c.shown) << c.typed;
        EXPECT_EQ(f.planValue(c.entry), withPoint.planValue(c.entry)) << c.typed;
        EXPECT_EQ(!f.desktop.warnings().empty(), c.warned) << c.typed;
    }
}

TEST(CommaLocale, PointLocaleStillRefusesTheComma) {
    PlannerOnPlainFields f('.');
    f.entry(Entry::Edit9).type("7,5");
    EXPECT_EQ(f.desktop.warnings(), std::vector<std::string>{"Error in Investment Return entry."});
    EXPECT_EQ(f.entry(Entry::Edit9).text(), "100");
}

}  // namespace
}  // namespace nestora::testing
