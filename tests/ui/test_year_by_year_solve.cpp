// SPDX-License-Identifier: MIT
// Year by Year's solve line over the real main window, offscreen: the
// answer for the plan shown on the markets the window shows, only the
// newest plan's answer after a burst of typing, Apply typed into the main
// window's fields with their rules, and the inputs remembered.
#include <QAction>
#include <QComboBox>
#include <QLabel>
#include <QLocale>
#include <QPushButton>
#include <QSettings>
#include <QSignalSpy>
#include <QSpinBox>
#include <QTemporaryDir>
#include <QTest>
#include <memory>

#include "document/plan_document.h"
#include "number/text_to_real.h"
#include "schedule/solve_note.h"
#include "schedule/solver.h"
#include "support/first_run.h"
#include "support/planner_fixture.h"
#include "ui/year_by_year/life_plan_panel.h"
#include "ui/year_by_year/simulation_panel.h"
#include "ui/year_by_year/solve_line.h"
#include "ui/year_by_year/year_by_year_window.h"
#include "ui/year_by_year_fixture.h"

namespace nestora::testing {
namespace {

class SolveInWindow : public YearByYearTest {
  protected:
    // Waits until the solve line and the simulation have answered the latest plan.
    static void solvedAll(YearByYearWindow& yby) {
        EXPECT_TRUE(QTest::qWaitFor(
            [&] { return !yby.solve().running() && !yby.simulation().running(); }, 60000));
        QCoreApplication::processEvents();
    }
    // The answer for the main window's plan now, as the line should show it.
    Solution expectedAnswer(const YearByYearWindow& yby) const {
        return Solve(window->planner().plan, yby.lifePlan().lifePlan(), yby.solve().quantity(),
                     yby.solve().options());
    }
    static QString sentenceOf(const Solution& s) {
        const QLocale locale;
        return QString::fromStdString(SolveSentence(s, [&](std::int64_t n) {
            return locale.toString(static_cast<qlonglong>(n)).toStdString();
        }));
    }
};

TEST_F(SolveInWindow, AnswersOnTheMarketsTheWindowShows) {
    YearByYearWindow& yby = open();
    SolveLine& line = yby.solve();
    EXPECT_EQ(line.quantityBox().currentText(), "draw");
    EXPECT_EQ(line.successBox().value(), 90);
    solvedAll(yby);
    // The simulated markets at ±12 % over 30 years, as the panel shows them.
    const SolveOptions options = line.options();
    EXPECT_FALSE(options.historyStockShare.has_value());
    EXPECT_DOUBLE_EQ(options.simulation.volatility, 0.12);
    EXPECT_EQ(options.simulation.horizon, 30);
    ASSERT_TRUE(line.solution().has_value());
    const Solution draw = expectedAnswer(yby);
    EXPECT_EQ(line.solution()->value, draw.value);
    EXPECT_EQ(line.sentence(), sentenceOf(draw));
    EXPECT_TRUE(line.sentence().startsWith("You can draw ")) << line.sentence().toStdString();

    // Each input of the line or the panel asks again.
    struct Step {
        const char* name;
        std::function<void()> change;
    };
    SimulationPanel& panel = yby.simulation();
    const std::vector<Step> steps = {
        {"retire", [&] { line.quantityBox().setCurrentIndex(2); }},
        {"success", [&] { line.successBox().setValue(75); }},
        {"horizon", [&] { panel.horizonBox().setValue(25); }},
        {"volatility 0",
         [&] {
             panel.volatilityBox().setValue(0);
             EXPECT_FALSE(line.successBox().isEnabled()) << "the level means nothing here";
         }},
        {"history",
         [&] {
             panel.marketsBox().setCurrentIndex(1);
             EXPECT_TRUE(line.successBox().isEnabled());
         }},
        {"stocks", [&] { panel.stocksBox().setValue(30); }},
    };
    for (const Step& step : steps) {
        SCOPED_TRACE(step.name);
        step.change();
        solvedAll(yby);
        ASSERT_TRUE(line.solution().has_value()) << line.sentence().toStdString();
        EXPECT_EQ(line.sentence(), sentenceOf(expectedAnswer(yby)));
    }
    const SolveOptions last = line.options();
    EXPECT_EQ(last.successPercent, 75);
    EXPECT_EQ(last.simulation.horizon, 25);
    ASSERT_TRUE(last.historyStockShare.has_value());
    EXPECT_DOUBLE_EQ(*last.historyStockShare, 0.3);
    EXPECT_EQ(line.solution()->measuredOn, SolvedMarkets::History);
    EXPECT_EQ(line.findChild<QLabel*>("SolveHorizon")->text(),
              "% of stretches last <a href=\"#horizon\">25 years</a>");
    EXPECT_TRUE(desktop.calls.empty());
}

// Typing in the main window faster than the line can answer: the answer
// comes once, for the plan typed last.
TEST_F(SolveInWindow, AnswersOnlyTheNewestPlanAfterABurst) {
    YearByYearWindow& yby = open();
    solvedAll(yby);
    QSignalSpy answers(&yby.solve(), &SolveLine::solved);
    for (const char* saving : {"1", "12", "120", "1200", "12000", "15000", "15500"})
        edit("Edit2").setText(saving);
    solvedAll(yby);
    EXPECT_EQ(answers.count(), 1);
    EXPECT_EQ(window->planner().plan.AnnualSavings, Extended(15500));
    ASSERT_TRUE(yby.solve().solution().has_value());
    EXPECT_EQ(yby.solve().sentence(), sentenceOf(expectedAnswer(yby)));
}

// Apply types the answer into the main window's field: its handler run
// takes it as it takes typed text, and the four results are the designed
// ones for that text.
TEST_F(SolveInWindow, ApplyTypesTheAnswerIntoTheMainWindow) {
    YearByYearWindow& yby = open();
    SolveLine& line = yby.solve();
    struct Target {
        int quantity;  // the combo's index
        const char* field;
        Entry entry;
    };
    for (const Target& t : {Target{2, "Edit11", Entry::Edit11}, Target{3, "Edit2", Entry::Edit2},
                            Target{0, "Edit8", Entry::Edit8}}) {
        SCOPED_TRACE(t.field);
        line.quantityBox().setCurrentIndex(t.quantity);
        solvedAll(yby);
        ASSERT_TRUE(line.solution().has_value() && line.solution()->found)
            << line.sentence().toStdString();
        ASSERT_TRUE(line.applyButton().isEnabled()) << line.sentence().toStdString();
        const std::string value = SolvedValueText(*line.solution());

        // The same text typed into the designed planner gives the results expected.
        PlannerFixture typed(entryTexts(), resultTexts());
        typed.planner.plan = window->planner().plan;
        typed.entry(t.entry).setText(value);

        QTest::mouseClick(&line.applyButton(), Qt::LeftButton);
        EXPECT_EQ(text(t.field), value);
        EXPECT_EQ(resultTexts(), typed.resultTexts());
        PlannerFixture shown(entryTexts(), resultTexts());
        shown.planner.plan = window->planner().plan;
        EXPECT_EQ(shown.planValue(t.entry), typed.planValue(t.entry));
        // The line answers the plan with the answer in it.
        solvedAll(yby);
        ASSERT_TRUE(line.solution().has_value());
        if (t.entry == Entry::Edit8) {
            // The draw does not depend on the draw it replaces: the same
            // answer, already in the field.
            EXPECT_EQ(SolvedValueText(*line.solution()), value);
            EXPECT_FALSE(line.applyButton().isEnabled());
        }
    }
    EXPECT_TRUE(desktop.calls.empty());
}

// The solved draw applied: the window's own simulation of the new plan
// pays the full draw through the horizon in at least the success level's
// share of its markets.
TEST_F(SolveInWindow, TheAppliedDrawReachesTheSuccessLevel) {
    YearByYearWindow& yby = open();
    yby.solve().successBox().setValue(80);
    solvedAll(yby);
    ASSERT_TRUE(yby.solve().solution().has_value());
    yby.solve().applyButton().setFocus();
    QTest::keyClick(&yby.solve().applyButton(), Qt::Key_Space);
    EXPECT_EQ(text("Edit8"), SolvedValueText(*yby.solve().solution()));
    solvedAll(yby);
    const auto simulation = yby.simulation().simulation();
    ASSERT_NE(simulation, nullptr);
    EXPECT_GE(simulation->fundedPaths * 100, 80 * simulation->paths);
    EXPECT_EQ(window->planner().plan.RetirementDraw, fp::div(TextToReal(text("Edit8")).value, 100));
}

// The spending goes into Your plan's spending input, as typed there: the
// plan then spends it, and the line's next answer is the same amount.
TEST_F(SolveInWindow, ApplyTypesTheSpendingIntoYourPlan) {
    YearByYearWindow& yby = open();
    SolveLine& line = yby.solve();
    line.quantityBox().setCurrentIndex(1);
    solvedAll(yby);
    ASSERT_TRUE(line.solution().has_value() && line.solution()->found)
        << line.sentence().toStdString();
    EXPECT_TRUE(line.sentence().startsWith("You can spend ")) << line.sentence().toStdString();
    ASSERT_TRUE(line.applyButton().isEnabled());
    const std::string value = SolvedValueText(*line.solution());
    const EntryTexts before = entryTexts();
    QTest::mouseClick(&line.applyButton(), Qt::LeftButton);
    EXPECT_EQ(yby.lifePlan().spendBox().text().toStdString(), value);
    ASSERT_TRUE(yby.lifePlan().lifePlan().spendToday.has_value());
    EXPECT_EQ(*yby.lifePlan().lifePlan().spendToday, Extended(line.solution()->value));
    EXPECT_EQ(entryTexts(), before) << "the main window keeps its plan";
    solvedAll(yby);
    ASSERT_TRUE(line.solution().has_value());
    EXPECT_EQ(SolvedValueText(*line.solution()), value);
    EXPECT_FALSE(line.applyButton().isEnabled());
    // With the spending set, the draw rate no longer counts: nothing to apply.
    line.quantityBox().setCurrentIndex(0);
    solvedAll(yby);
    EXPECT_TRUE(line.sentence().startsWith("With a spending amount, the draw rate does not"))
        << line.sentence().toStdString();
    EXPECT_FALSE(line.applyButton().isEnabled());
    EXPECT_TRUE(desktop.calls.empty());
}

TEST_F(SolveInWindow, AFaultedPlanHasNothingToSolve) {
    YearByYearWindow& yby = open();
    solvedAll(yby);
    edit("Edit1").setText("0");
    edit("Edit2").setText("0");
    edit("Edit9").setText("3");  // r = i and no savings: 0 ÷ 0
    EXPECT_EQ(yby.solve().sentence(), "The plan has no answer, so there is nothing to solve.");
    EXPECT_FALSE(yby.solve().solution().has_value());
    EXPECT_FALSE(yby.solve().applyButton().isEnabled());
    edit("Edit9").setText("7.5");
    solvedAll(yby);
    EXPECT_TRUE(yby.solve().solution().has_value());
}

// The quantity and the success level come back in the next window; each
// input can be reached from the keyboard and has a name.
TEST_F(SolveInWindow, RemembersItsInputsAndNamesThem) {
    {
        YearByYearWindow& yby = open();
        yby.solve().quantityBox().setCurrentIndex(3);
        yby.solve().successBox().setValue(95);
        solvedAll(yby);
        window.reset();
    }
    YearByYearWindow& again = open();
    SolveLine& line = again.solve();
    EXPECT_EQ(line.quantity(), SolveFor::Saving);
    EXPECT_EQ(line.successBox().value(), 95);
    for (QWidget* input : std::initializer_list<QWidget*>{&line.quantityBox(), &line.successBox(),
                                                          &line.applyButton()})
        EXPECT_TRUE(input->focusPolicy() & Qt::TabFocus) << input->objectName().toStdString();
    EXPECT_EQ(line.quantityBox().accessibleName(), "Solve for");
    EXPECT_EQ(line.applyButton().text(), "&Apply");
    EXPECT_EQ(line.successBox().accessibleName(),
              "Success level: percent of markets that last 30 years");
}

// A plan document's question goes into the line's inputs and comes back
// from them.
TEST_F(SolveInWindow, TakesAndGivesAPlanDocumentsQuestion) {
    YearByYearWindow& yby = open();
    PlanDocument document;
    document.solveFor = SolveFor::Retire;
    document.successPercent = 80;
    yby.takeDocument(document);
    EXPECT_EQ(yby.solve().quantity(), SolveFor::Retire);
    EXPECT_EQ(yby.solve().successBox().value(), 80);
    yby.solve().quantityBox().setCurrentIndex(3);
    PlanDocument saved;
    std::string problem;
    ASSERT_TRUE(yby.fillDocument(saved, problem)) << problem;
    EXPECT_EQ(saved.solveFor, SolveFor::Saving);
    EXPECT_EQ(saved.successPercent, 80);
}

// Tab leads from the panel's horizon through the line's inputs to Apply;
// Space there applies; the horizon's link leads back to its box.
TEST_F(SolveInWindow, WorksFromTheKeyboard) {
    YearByYearWindow& yby = open();
    solvedAll(yby);
    yby.activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(&yby));
    SolveLine& line = yby.solve();
    yby.simulation().horizonBox().setFocus();
    for (QWidget* next : std::initializer_list<QWidget*>{&line.quantityBox(), &line.successBox(),
                                                         &line.applyButton()}) {
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
        EXPECT_EQ(QApplication::focusWidget(), next) << next->objectName().toStdString();
    }
    // Space on Apply applies.
    ASSERT_TRUE(line.applyButton().isEnabled());
    const std::string value = SolvedValueText(*line.solution());
    QTest::keyClick(&line.applyButton(), Qt::Key_Space);
    EXPECT_EQ(text("Edit8"), value);

    emit line.findChild<QLabel*>("SolveHorizon")->linkActivated("#horizon");
    EXPECT_EQ(QApplication::focusWidget(), &yby.simulation().horizonBox());
}

}  // namespace
}  // namespace nestora::testing
