// SPDX-License-Identifier: MIT
// The Field binding over real QLineEdits, on Qt's offscreen platform: the
// toolkit's textChanged contract that the entry rules rest on, and the
// nested runs and their catch points going through it.
#include <gtest/gtest.h>

#include <QLineEdit>
#include <QTest>
#include <algorithm>
#include <array>
#include <memory>
#include <string>
#include <vector>

#include "projection/planner.h"
#include "support/loose_edit_boxes.h"
#include "support/plain_field.h"
#include "support/recording_desktop.h"
#include "ui/line_edit_field.h"
#include "ui/qt_test_support.h"

namespace nestora {
namespace {

class QtFixture : public ::testing::Test {
  protected:
    static void SetUpTestSuite() { testing::App(); }
};

// What the handler run assumes of QLineEdit.
using QLineEditContract = QtFixture;

TEST_F(QLineEditContract, TextChangedFiresInsideSetTextOnlyForADifferentText) {
    QLineEdit edit("7.5");  // never shown: the widget has no window
    std::vector<QString> seen;
    QObject::connect(&edit, &QLineEdit::textChanged, [&](const QString& t) { seen.push_back(t); });

    edit.setText("7.5");
    EXPECT_TRUE(seen.empty());
    edit.setText("150");
    EXPECT_EQ(seen, std::vector<QString>{"150"});  // already there when setText returns
    edit.setText("150");
    edit.setText("");
    EXPECT_EQ(seen, (std::vector<QString>{"150", ""}));
}

TEST_F(QLineEditContract, SetTextInsideTheSlotRunsTheSlotAgainNested) {
    QLineEdit edit;
    int depth = 0, deepest = 0;
    std::vector<QString> seen;
    QObject::connect(&edit, &QLineEdit::textChanged, [&](const QString& t) {
        ++depth;
        deepest = std::max(deepest, depth);
        seen.push_back(t);
        if (t.isEmpty()) edit.setText("0");
        if (t == "0") edit.setText("1");
        --depth;
    });
    edit.setText("x");
    edit.setText("");
    EXPECT_EQ(seen, (std::vector<QString>{"x", "", "0", "1"}));
    EXPECT_EQ(deepest, 3);
    EXPECT_EQ(edit.text(), "1");
}

// Six entry and four result QLineEdits bound to one planner, as the main
// window binds them, with the default plan shown.
class BoundEdits : public QtFixture {
  protected:
    BoundEdits() { planner.plan = DefaultPlan(); }

    QLineEdit& edit(Entry e) { return boxes.entry(e); }

    std::vector<QString> resultTexts() const {
        std::vector<QString> texts;
        for (const auto& r : boxes.results) texts.push_back(r->text());
        return texts;
    }

    // The texts calculate shows for `plan`, computed on plain fields.
    static std::vector<QString> expectedResults(const Plan& plan) {
        testing::RecordingDesktop desktop;
        Planner other(desktop);
        std::array<testing::PlainField, 4> fields;
        for (std::size_t k = 0; k < fields.size(); ++k) other.bindResult(AllResults[k], fields[k]);
        other.plan = plan;
        other.calculate();
        std::vector<QString> texts;
        for (const auto& f : fields) texts.push_back(QString::fromStdString(f.text()));
        return texts;
    }

    testing::RecordingDesktop desktop;
    Planner planner{desktop};
    testing::LooseEditBoxes boxes{planner, "Plan"};
};

TEST_F(BoundEdits, EmptiedDrawEndsAsOneSelectedAfterThreeRuns) {
    edit(Entry::Edit8).setText("");

    EXPECT_EQ(edit(Entry::Edit8).text(), "1");
    EXPECT_EQ(edit(Entry::Edit8).selectedText(), "1");
    EXPECT_EQ(planner.plan.RetirementDraw, 0.01L);
    EXPECT_TRUE(desktop.calls.empty());
    EXPECT_EQ(resultTexts(), expectedResults(planner.plan));
}

TEST_F(BoundEdits, TypedReturnAboveCeilingIsReplacedAndSelected) {
    QLineEdit& field = edit(Entry::Edit9);
    field.selectAll();
    QTest::keyClicks(&field, "150");
    EXPECT_EQ(field.text(), "100");
    EXPECT_EQ(field.selectedText(), "100");
    EXPECT_EQ(planner.plan.InvestmentReturn, 1);
    EXPECT_EQ(resultTexts(), expectedResults(planner.plan));

    // The selection makes the next key replace the whole text.
    QTest::keyClicks(&field, "8");
    EXPECT_EQ(field.text(), "8");
    EXPECT_EQ(planner.plan.InvestmentReturn, 0.08L);
}

TEST_F(BoundEdits, TypedBadEntryWarnsThenBeeps) {
    QLineEdit& field = edit(Entry::Edit1);
    field.selectAll();
    QTest::keyClicks(&field, "12a");
    EXPECT_EQ(field.text(), "12a");
    EXPECT_EQ(planner.plan.CurrentSavings, 12);
    EXPECT_EQ(desktop.calls,
              (std::vector<std::string>{"warning: Error in Current Investments entry.", "beep"}));
}

TEST_F(BoundEdits, BackspaceOverEverythingLeavesZeroSelected) {
    QLineEdit& field = edit(Entry::Edit1);
    field.selectAll();
    QTest::keyClick(&field, Qt::Key_Backspace);
    EXPECT_EQ(field.text(), "0");
    EXPECT_EQ(field.selectedText(), "0");
    EXPECT_EQ(planner.plan.CurrentSavings, 0);

    QTest::keyClicks(&field, "5");
    EXPECT_EQ(field.text(), "5");
    EXPECT_EQ(planner.plan.CurrentSavings, 5);
}

// No savings and a return equal to inflation: every calculation faults. The
// nested run's fault is shown, and the outer run still selects, parses and
// calculates, which faults and is shown again.
TEST_F(BoundEdits, FaultInNestedRunShowsTheBoxTwice) {
    planner.plan.AnnualSavings = 0;
    planner.plan.InvestmentReturn = 0.03L;
    const std::vector<QString> before = resultTexts();

    QLineEdit& field = edit(Entry::Edit1);
    field.selectAll();
    QTest::keyClick(&field, Qt::Key_Backspace);

    const std::string box = "error: Plan|Invalid floating point operation.";
    EXPECT_EQ(desktop.calls, (std::vector<std::string>{box, box}));
    EXPECT_EQ(field.text(), "0");
    EXPECT_EQ(field.selectedText(), "0");
    EXPECT_EQ(planner.plan.CurrentSavings, 0);
    EXPECT_EQ(resultTexts(), before);
}

TEST_F(BoundEdits, TextsCrossAsUtf8) {
    LineEditField& field = *boxes.fields[0];
    field.setText("caf\xC3\xA9");
    EXPECT_EQ(edit(Entry::Edit1).text(), QString::fromUtf8("caf\xC3\xA9"));
    EXPECT_EQ(field.text(), "caf\xC3\xA9");
    EXPECT_EQ(desktop.calls.size(), 2u);  // the warning and the beep
}

}  // namespace
}  // namespace nestora
