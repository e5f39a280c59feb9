// SPDX-License-Identifier: MIT
// What a screen reader hears for each field: the label beside it, then the
// value, read through Qt's accessibility interface.
#include <gtest/gtest.h>

#include <QAccessible>
#include <QAccessibleInterface>
#include <QLineEdit>
#include <utility>

#include "ui/nestora_layout.h"
#include "window_fixture.h"

namespace nestora::testing {
namespace {

using AccessibilityTest = WindowTest;

struct Spoken {
    const char* field;
    const char* name;
    const char* value;  // with no settings file: the defaults and their results
};

const Spoken FieldsAsSpoken[] = {
    {"Edit1", "Current Long Term Savings & Investments", "65000"},
    {"Edit2", "Planned Annual Additional Savings", "12000"},
    {"Edit9", "Estimated Investment Return (Percent)", "7.5"},
    {"Edit10", "Estimated Ave Inflation Rate (Percent)", "3"},
    {"Edit8", "Planned Annual Retirement Draw (Percent)", "6.5"},
    {"Edit11", "Years Remaining Before Retirement", "20"},
    {"Edit3", "Dollar Savings Available at Retimement", "795766"},
    {"Edit4", "Saving Adjusted for Inflation", "440597"},
    {"Edit5", "Annual Draw Adjusted for Inflation", "28639"},
    {"Edit6", "Number of Retirment Years Provided for", "26"},
};

TEST_F(AccessibilityTest, EveryFieldIsNamedAfterItsLabelAndReadsItsValue) {
    start();
    for (const Spoken& row : FieldsAsSpoken) {
        QAccessibleInterface* spoken = QAccessible::queryAccessibleInterface(&edit(row.field));
        ASSERT_NE(spoken, nullptr) << row.field;
        EXPECT_EQ(spoken->text(QAccessible::Name).toStdString(), row.name) << row.field;
        EXPECT_EQ(spoken->text(QAccessible::Value).toStdString(), row.value) << row.field;
        EXPECT_EQ(spoken->role(), QAccessible::EditableText) << row.field;
        EXPECT_TRUE(spoken->state().focusable) << row.field;
    }
    // The results can be read but not changed.
    EXPECT_TRUE(QAccessible::queryAccessibleInterface(&edit("Edit3"))->state().readOnly);
    EXPECT_FALSE(QAccessible::queryAccessibleInterface(&edit("Edit1"))->state().readOnly);
}

TEST(SpokenName, DropsTheSpacingThatOnlyLinesCaptionsUp) {
    const std::pair<const char*, const char*> cases[] = {
        {"Estimated Ave Inflation Rate (Percent)             % ",
         "Estimated Ave Inflation Rate (Percent)"},
        {"Saving Adjusted for Inflation..........................$",
         "Saving Adjusted for Inflation"},
        {"Number of Retirment  Years Provided for.......",
         "Number of Retirment Years Provided for"},
        {"Current Long Term Savings & Investments", "Current Long Term Savings & Investments"},
        {"$", ""},
    };
    for (const auto& [caption, name] : cases)
        EXPECT_EQ(SpokenName(QString::fromLatin1(caption)).toStdString(), name) << caption;
}

}  // namespace
}  // namespace nestora::testing
