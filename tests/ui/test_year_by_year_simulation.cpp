// SPDX-License-Identifier: MIT
// Year by Year's varying returns over the real main window, offscreen: the
// two inputs, the sentence, the band, the table's extra columns, the inputs
// and the window's place remembered, and answers only for the latest input.
#include <QAction>
#include <QAreaSeries>
#include <QFile>
#include <QLineSeries>
#include <QLocale>
#include <QSettings>
#include <QSignalSpy>
#include <QSpinBox>
#include <QTemporaryDir>
#include <QTest>
#include <algorithm>
#include <chrono>
#include <memory>
#include <thread>

#include "schedule/schedule_csv.h"
#include "schedule/simulation.h"
#include "schedule/simulation_table.h"
#include "support/corrupt_settings.h"
#include "support/planner_fixture.h"
#include "ui/window_fixture.h"
#include "ui/year_by_year/schedule_chart.h"
#include "ui/year_by_year/schedule_model.h"
#include "ui/year_by_year/simulation_band.h"
#include "ui/year_by_year/simulation_panel.h"
#include "ui/year_by_year/year_by_year_settings.h"
#include "ui/year_by_year/year_by_year_window.h"
#include "ui/year_by_year_fixture.h"

namespace nestora::testing {
namespace {

class VaryingReturns : public YearByYearTest {
  protected:
    static std::string cell(const YearByYearWindow& yby, std::size_t row, std::size_t column) {
        return yby.model().table().rows.at(row).at(column).text;
    }
    static Simulation alone(double volatility, std::int32_t horizon) {
        SimulationOptions options;
        options.volatility = volatility;
        options.horizon = horizon;
        return Simulate(DefaultPlan(), ProjectionOfDefaultPlan(), options);
    }
    static Projection ProjectionOfDefaultPlan() {
        PlannerFixture f;
        f.planner.plan = DefaultPlan();
        f.planner.calculate();
        return f.planner.projection;
    }
};

TEST_F(VaryingReturns, AnswersWithASentenceTheBandAndFourMoreColumns) {
    YearByYearWindow& yby = open();
    SimulationPanel& panel = yby.simulation();
    EXPECT_EQ(panel.volatilityBox().value(), 12);
    EXPECT_EQ(panel.horizonBox().value(), 30);
    settle(yby);

    const QLocale locale;
    EXPECT_EQ(panel.sentence(), QString("In %1 of %2 simulated markets (31 %) the savings pay the "
                                        "full draw for 30 years.")
                                    .arg(locale.toString(3073), locale.toString(10000)));
    // The schedule runs out in year 47; the horizon runs to year 50.
    ASSERT_EQ(yby.model().rowCount(), 50);
    ASSERT_EQ(yby.model().columnCount(), 10);
    EXPECT_EQ(yby.model().table().columns[9].key, "funded");
    EXPECT_EQ(cell(yby, 19, 6), "254538");  // the 10th percentile at retirement
    EXPECT_EQ(cell(yby, 49, 9), "0.3073");
    EXPECT_EQ(cell(yby, 49, 5), "0");  // the schedule has run out
    EXPECT_EQ(cell(yby, 0, 9), "1.0000");

    const SimulationBand& band = yby.chart().band();
    EXPECT_TRUE(band.area()->isVisible());
    EXPECT_EQ(band.median()->count(), 51);  // year 0 and years 1 … 50
    EXPECT_DOUBLE_EQ(band.median()->at(20).y(), alone(0.12, 30).years[19].p50Today);
    EXPECT_EQ(band.lastYear(), 50);
    EXPECT_TRUE(desktop.calls.empty());
}

TEST_F(VaryingReturns, FollowsTheInputsAndAnswersOnlyTheLatest) {
    YearByYearWindow& yby = open();
    SimulationPanel& panel = yby.simulation();
    settle(yby);
    // A burst of changes, as fast as typing could make them: only the last
    // one needs answering, and the answer is that one's.
    for (int v = 0; v <= 50; v += 5) panel.volatilityBox().setValue(v);
    panel.horizonBox().setValue(10);
    settle(yby);
    const Simulation expected = alone(0.5, 10);
    EXPECT_EQ(cell(yby, 29, 9), FundedText(expected.fundedPaths, expected.paths));
    // The schedule's 47 years are longer than the horizon's 30.
    EXPECT_EQ(yby.model().rowCount(), 47);
    EXPECT_EQ(cell(yby, 30, 6), "");

    // Without volatility the percentiles are the schedule's own balance.
    panel.volatilityBox().setValue(0);
    settle(yby);
    for (std::size_t r = 0; r < 30; ++r) EXPECT_EQ(cell(yby, r, 7), cell(yby, r, 5)) << r + 1;
}

// An answer already on its way to the window when the plan changes again is
// dropped there: after the burst only the newest plan's answer is shown.
TEST_F(VaryingReturns, ShowsOnlyTheAnswerToTheNewestPlan) {
    YearByYearWindow& yby = open();
    SimulationPanel& panel = yby.simulation();
    settle(yby);
    QSignalSpy answers(&panel, &SimulationPanel::simulated);
    edit("Edit1").setText("70000");
    // The worker answers within milliseconds; its answer waits in this
    // thread's event queue, which runs again only in settle below.
    std::this_thread::sleep_for(std::chrono::milliseconds(300));
    for (const char* savings : {"80000", "90000", "100000"}) edit("Edit1").setText(savings);
    settle(yby);
    EXPECT_EQ(answers.count(), 1);
    const Planner& planner = window->planner();
    const Simulation newest = Simulate(planner.plan, planner.projection, panel.options());
    ASSERT_NE(panel.simulation(), nullptr);
    EXPECT_EQ(panel.simulation()->fundedPaths, newest.fundedPaths);
    EXPECT_EQ(cell(yby, 49, 9), FundedText(newest.fundedPaths, newest.paths));  // year 20 + 30
}

TEST_F(VaryingReturns, FollowsAnEditInTheMainWindow) {
    YearByYearWindow& yby = open();
    settle(yby);
    const std::string before = cell(yby, 24, 7);
    edit("Edit11").setText("25");
    settle(yby);
    EXPECT_EQ(yby.model().rowCount(), 25 + 30);
    EXPECT_NE(cell(yby, 24, 7), before);  // year 25: retired before, saving now
    EXPECT_EQ(cell(yby, 24, 1), "saving");
}

// Saved in the moment after an edit, before the simulation of the new plan
// has answered, the file holds the new plan's columns only.
TEST_F(VaryingReturns, ACsvSavedBeforeTheAnswerHoldsOnePlansColumns) {
    YearByYearWindow& yby = open();
    settle(yby);
    edit("Edit11").setText("25");
    ASSERT_TRUE(yby.simulation().running());
    const QTemporaryDir folder;
    const QString path = folder.filePath("schedule.csv");
    ASSERT_TRUE(yby.writeCsv(path));
    settle(yby);
    QFile saved(path);
    ASSERT_TRUE(saved.open(QIODevice::ReadOnly));
    EXPECT_EQ(saved.readAll().toStdString(), ScheduleCsv(yby.model().table()));
}

TEST_F(VaryingReturns, RemembersTheInputsAndTheWindowsPlace) {
    {
        YearByYearWindow& yby = open();
        yby.simulation().volatilityBox().setValue(20);
        yby.simulation().horizonBox().setValue(40);
        yby.resize(700, 660);
        yby.hide();
        settle(yby);
        EXPECT_TRUE(QTest::qWaitFor([] { return LoadYearByYearSettings().horizon == 40; }, 5000));
    }
    const YearByYearSettings saved = LoadYearByYearSettings();
    EXPECT_EQ(saved.volatilityPercent, 20);
    EXPECT_EQ(saved.horizon, 40);
    EXPECT_FALSE(saved.geometry.isEmpty());

    // A new window starts from them.
    window.reset();
    YearByYearWindow& again = open();
    EXPECT_EQ(again.simulation().volatilityBox().value(), 20);
    EXPECT_EQ(again.simulation().horizonBox().value(), 40);
    EXPECT_EQ(again.size(), QSize(700, 660));
    settle(again);
    // The plan's own settings file keeps its eight lines.
    window->close();
    const std::string file = settings.read();
    EXPECT_EQ(std::count(file.begin(), file.end(), '\n'), 8);
}

// Stepping through values writes nothing; the value it settles on is
// written a moment later, or when the window goes.
TEST_F(VaryingReturns, TheInputsAreWrittenOnceTheySettle) {
    YearByYearWindow& yby = open();
    QSpinBox& volatility = yby.simulation().volatilityBox();
    for (int v = 13; v <= 17; ++v) volatility.setValue(v);
    EXPECT_EQ(LoadYearByYearSettings().volatilityPercent, 12);
    EXPECT_TRUE(
        QTest::qWaitFor([] { return LoadYearByYearSettings().volatilityPercent == 17; }, 5000));

    yby.simulation().horizonBox().setValue(45);
    settle(yby);
    window.reset();
    EXPECT_EQ(LoadYearByYearSettings().horizon, 45);
}

TEST_F(VaryingReturns, DamagedRememberedValuesReadAsTheNearestLimitOrTheDefault) {
    QSettings store(QSettings::NativeFormat, QSettings::UserScope, "nestora", "year-by-year");
    store.setValue("volatility", 90);
    store.setValue("horizon", "many");
    store.setValue("geometry", QByteArray("not a geometry"));
    store.sync();
    YearByYearWindow& yby = open();
    EXPECT_EQ(yby.simulation().volatilityBox().value(), 50);
    EXPECT_EQ(yby.simulation().horizonBox().value(), 30);
    EXPECT_TRUE(yby.isVisible());
    settle(yby);
}

}  // namespace
}  // namespace nestora::testing
