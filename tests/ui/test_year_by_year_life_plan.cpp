// SPDX-License-Identifier: MIT
// "Your plan" in the Year by Year window over the real main window,
// offscreen: its inputs reach the table, the CSV, the sentences and the
// simulation; a bad entry is named and changes nothing; the inputs come back
// after a restart; left neutral, the window shows what it showed without it.
#include <QAction>
#include <QApplication>
#include <QComboBox>
#include <QFile>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QSettings>
#include <QTableView>
#include <QTableWidget>
#include <QTemporaryDir>
#include <QTest>
#include <QToolButton>
#include <memory>

#include "schedule/schedule_csv.h"
#include "schedule/simulation.h"
#include "schedule/simulation_table.h"
#include "ui/year_by_year/life_plan_panel.h"
#include "ui/year_by_year/life_plan_settings.h"
#include "ui/year_by_year/life_plan_tables.h"
#include "ui/year_by_year/schedule_model.h"
#include "ui/year_by_year/simulation_panel.h"
#include "ui/year_by_year/year_by_year_window.h"
#include "ui/year_by_year_fixture.h"

namespace nestora::testing {
namespace {

class YourPlan : public YearByYearTest {
  protected:
    static const ScheduleTable& table(const YearByYearWindow& yby) { return yby.model().table(); }
    static std::string cell(const YearByYearWindow& yby, std::size_t row, const std::string& key) {
        const ScheduleTable& t = table(yby);
        for (std::size_t c = 0; c < t.columns.size(); ++c)
            if (t.columns[c].key == key) return t.rows.at(row).at(c).text;
        throw std::logic_error("no column " + key);
    }
    static void type(QLineEdit& box, const QString& text) {
        box.selectAll();
        QTest::keyClick(&box, Qt::Key_Delete);
        QTest::keyClicks(&box, text);
    }
    Plan plan() const { return window->planner().plan; }
    Projection projection() const { return window->planner().projection; }
};

TEST_F(YourPlan, NeutralInputsShowTheWindowAsWithoutThem) {
    YearByYearWindow& yby = open();
    settle(yby);
    const LifePlanPanel& panel = yby.lifePlan();
    EXPECT_FALSE(panel.isOpen());
    EXPECT_FALSE(ChangesMoney(panel.lifePlan()));
    ScheduleTable plain = MakeScheduleTable(MakeSchedule(plan(), projection()), CalendarYearNow());
    ASSERT_NE(yby.simulation().simulation(), nullptr);
    AddSimulationColumns(plain, *yby.simulation().simulation());
    EXPECT_EQ(ScheduleCsv(table(yby)), ScheduleCsv(plain));
    EXPECT_EQ(yby.noteText(), "The money runs out in year 47.");
    EXPECT_TRUE(desktop.calls.empty());
}

TEST_F(YourPlan, AnIncomeStreamReachesTheTableTheCsvAndTheSimulation) {
    YearByYearWindow& yby = open();
    LifePlanPanel& panel = yby.lifePlan();
    panel.openButton().click();
    EXPECT_TRUE(panel.isOpen());
    type(panel.ageBox(), "45");
    panel.incomes().addButton().click();
    QTableWidget& incomes = panel.incomes().table();
    ASSERT_EQ(incomes.rowCount(), 1);
    EXPECT_EQ(incomes.item(0, 2)->text(), "a67");  // with an age, the new stream starts at 67
    incomes.item(0, 1)->setText("12000");
    settle(yby);
    EXPECT_EQ(panel.problem(), "");
    ASSERT_EQ(panel.lifePlan().incomes.size(), 1U);
    EXPECT_EQ(panel.lifePlan().incomes[0].firstYear, 22);
    ASSERT_FALSE(yby.showsFault()) << yby.faultText().toStdString();

    // Year 22 is the second retirement year: the stream is paid from there.
    EXPECT_EQ(cell(yby, 0, "age"), "46");
    EXPECT_EQ(cell(yby, 20, "income_today"), "0");
    EXPECT_EQ(cell(yby, 21, "income_today"), "12000");
    const Schedule expected = MakeSchedule(plan(), projection(), panel.lifePlan());
    const std::string csv = ScheduleCsv(MakeScheduleTable(expected, CalendarYearNow()));
    EXPECT_EQ(csv.substr(0, csv.find('\n')),
              "year,age,calendar_year,phase,saving,draw_today,balance,balance_today,"
              "income_today,spend_today");
    const QTemporaryDir folder;
    const QString path = folder.filePath("plan.csv");
    ASSERT_TRUE(yby.writeCsv(path));
    QFile saved(path);
    ASSERT_TRUE(saved.open(QIODevice::ReadOnly));
    EXPECT_EQ(saved.readAll().toStdString().substr(0, csv.find('\n')),
              csv.substr(0, csv.find('\n')));
    // The sentence names the age and the calendar year.
    EXPECT_TRUE(yby.noteText().contains(QString("at age %1, in %2")
                                            .arg(45 + expected.rows.back().year)
                                            .arg(CalendarYearNow() + expected.rows.back().year)))
        << yby.noteText().toStdString();

    // Every market gets the income too.
    const Simulation alone =
        Simulate(plan(), projection(), yby.simulation().options(), panel.lifePlan());
    ASSERT_NE(yby.simulation().simulation(), nullptr);
    EXPECT_EQ(yby.simulation().simulation()->fundedPaths, alone.fundedPaths);

    panel.incomes().removeButton().click();
    EXPECT_TRUE(panel.lifePlan().incomes.empty());
    EXPECT_THROW(cell(yby, 21, "income_today"), std::logic_error);
    EXPECT_EQ(cell(yby, 21, "age"), "67");  // the age stays
}

TEST_F(YourPlan, ABadEntryIsNamedAndChangesNothingUntilMended) {
    YearByYearWindow& yby = open();
    LifePlanPanel& panel = yby.lifePlan();
    panel.setOpen(true);
    type(panel.spendBox(), "30000");
    settle(yby);
    const std::string before = ScheduleCsv(table(yby));
    type(panel.ageBox(), "9");
    EXPECT_TRUE(panel.problem().startsWith("The age must lie between 15 and 100."));
    EXPECT_TRUE(panel.findChild<QLabel*>("LifePlanWarning")->isVisibleTo(&panel));
    EXPECT_EQ(ScheduleCsv(table(yby)), before);
    panel.oneOffs().addButton().click();
    panel.oneOffs().table().item(0, 1)->setText("a70");
    EXPECT_EQ(panel.ageBox().text(), "9");  // kept as typed
    type(panel.ageBox(), "50");
    EXPECT_EQ(panel.problem(), "");
    EXPECT_FALSE(panel.findChild<QLabel*>("LifePlanWarning")->isVisibleTo(&panel));
    EXPECT_EQ(panel.lifePlan().oneOffs.at(0).year, 20);
    EXPECT_NE(ScheduleCsv(table(yby)), before);
    EXPECT_TRUE(desktop.calls.empty());
}

TEST_F(YourPlan, TheInputsComeBackAfterARestart) {
    LifePlanTexts typed;
    {
        YearByYearWindow& yby = open();
        LifePlanPanel& panel = yby.lifePlan();
        panel.setOpen(true);
        type(panel.ageBox(), "40");
        type(panel.growthBox(), "2");
        type(panel.spendBox(), "28000");
        panel.ruleBox().setCurrentIndex(2);
        panel.incomes().addButton().click();
        panel.incomes().table().item(0, 0)->setText("Rent");
        panel.incomes().table().item(0, 4)->setCheckState(Qt::Unchecked);
        panel.oneOffs().addButton().click();
        panel.oneOffs().table().item(0, 0)->setText("-5000");
        panel.oneOffs().table().item(0, 1)->setText("x");  // a bad entry is kept too
        typed = panel.texts();
        window.reset();
    }
    EXPECT_EQ(LoadLifePlanSettings().texts, typed);
    YearByYearWindow& yby = open();
    EXPECT_EQ(yby.lifePlan().texts(), typed);
    EXPECT_TRUE(yby.lifePlan().isOpen());
    EXPECT_EQ(yby.lifePlan().problem().toStdString(),
              "One-off sum 1, year: \"x\" is not a year (1, 2, …) or an age (a67). Until it is "
              "mended the table follows your plan as it was before.");
    EXPECT_EQ(yby.lifePlan().ruleBox().currentText(), "guardrails");
    EXPECT_TRUE(yby.findChild<QLabel*>("SpendingRuleText")->text().startsWith("Guardrails:"));
}

// Beside the main window on a 1280 × 800 screen the window has about 750 by
// 740 pixels; with "Your plan" open, the rule written out over two lines and
// a row in each table, the chart keeps its height and eight whole rows of the
// table show under it.
TEST_F(YourPlan, OpenItLeavesTheChartAndEightRowsOnASmallScreen) {
    YearByYearWindow& yby = open();
    LifePlanPanel& panel = yby.lifePlan();
    panel.setOpen(true);
    panel.ruleBox().setCurrentIndex(2);
    panel.incomes().addButton().click();
    panel.oneOffs().addButton().click();
    const QSize room(750, 740);
    EXPECT_LE(yby.minimumSizeHint().height(), room.height());
    yby.resize(room);
    QCoreApplication::processEvents();
    const auto* table = yby.findChild<QTableView*>("ScheduleTable");
    const auto* chart = yby.findChild<QWidget*>("ScheduleChart");
    ASSERT_NE(table, nullptr);
    ASSERT_NE(chart, nullptr);
    EXPECT_EQ(yby.height(), room.height());
    EXPECT_GE(chart->height(), chart->minimumHeight());
    EXPECT_GE(table->viewport()->height(), 8 * table->verticalHeader()->defaultSectionSize());
}

// Tab runs from "Your plan" through every input and both tables with their
// buttons, then on to the markets; every stop has a name a screen reader says.
TEST_F(YourPlan, TabReachesEveryInputWithItsName) {
    YearByYearWindow& yby = open();
    LifePlanPanel& panel = yby.lifePlan();
    panel.setOpen(true);
    panel.incomes().addButton().click();
    panel.oneOffs().addButton().click();
    yby.activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(&yby));
    panel.openButton().setFocus();
    const QWidget* stops[] = {&panel.ageBox(),
                              &panel.growthBox(),
                              &panel.spendBox(),
                              &panel.ruleBox(),
                              &panel.incomes().table(),
                              &panel.incomes().addButton(),
                              &panel.incomes().removeButton(),
                              &panel.oneOffs().table(),
                              &panel.oneOffs().addButton(),
                              &panel.oneOffs().removeButton(),
                              &yby.simulation().marketsBox()};
    for (const QWidget* stop : stops) {
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
        ASSERT_EQ(QApplication::focusWidget(), stop)
            << "at " << QApplication::focusWidget()->metaObject()->className() << " for "
            << stop->metaObject()->className() << " " << stop->accessibleName().toStdString();
        EXPECT_FALSE(stop->accessibleName().isEmpty()) << stop->metaObject()->className();
    }
}

}  // namespace
}  // namespace nestora::testing
