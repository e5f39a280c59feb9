// SPDX-License-Identifier: MIT
// Year by Year's history of U.S. markets over the real main window,
// offscreen: the choice of markets and the stock share, the sentence, the
// band, each start year's line with the worst start, the pointer's start
// year, history's columns, a plan longer than the data, and the choice
// remembered.
#include <QAction>
#include <QAreaSeries>
#include <QComboBox>
#include <QLineSeries>
#include <QLocale>
#include <QSettings>
#include <QSpinBox>
#include <QTemporaryDir>
#include <QTest>
#include <memory>

#include "schedule/history.h"
#include "schedule/history_note.h"
#include "support/first_run.h"
#include "support/planner_fixture.h"
#include "ui/window_fixture.h"
#include "ui/year_by_year/history_lines.h"
#include "ui/year_by_year/schedule_chart.h"
#include "ui/year_by_year/schedule_model.h"
#include "ui/year_by_year/simulation_band.h"
#include "ui/year_by_year/simulation_panel.h"
#include "ui/year_by_year/year_by_year_settings.h"
#include "ui/year_by_year/year_by_year_window.h"
#include "ui/year_by_year_fixture.h"

namespace nestora::testing {
namespace {

class HistoryMarkets : public YearByYearTest {
  protected:
    static std::string at(const YearByYearWindow& yby, std::size_t row, std::size_t column) {
        return yby.model().table().rows.at(row).at(column).text;
    }
    // History of the plan in the settings file (the default plan, 25 years).
    History expected(double stockShare, std::int32_t horizon) const {
        HistoryOptions options;
        options.stockShare = stockShare;
        options.horizon = horizon;
        return RunHistory(window->planner().plan, window->planner().projection, options);
    }
    static QString sentenceOf(const History& h) {
        const QLocale locale;
        return QString::fromStdString(HistorySentence(h, [&](std::int64_t n) {
            return locale.toString(static_cast<qlonglong>(n)).toStdString();
        }));
    }
};

TEST_F(HistoryMarkets, AnswersWithTheSentenceTheBandEachStartAndHistorysColumns) {
    YearByYearWindow& yby = open();
    SimulationPanel& panel = yby.simulation();
    EXPECT_EQ(panel.marketsBox().currentText(), "simulated");
    EXPECT_FALSE(panel.stocksBox().isEnabled());
    settle(yby);
    panel.marketsBox().setCurrentIndex(1);
    EXPECT_EQ(panel.marketsBox().currentText(), "history since 1871");
    EXPECT_EQ(panel.stocksBox().value(), 60);
    EXPECT_TRUE(panel.stocksBox().isEnabled());
    EXPECT_FALSE(panel.volatilityBox().isEnabled());
    settle(yby);

    const History h = expected(0.6, 30);
    EXPECT_EQ(panel.sentence(), sentenceOf(h));
    EXPECT_TRUE(panel.sentence().startsWith("In "));
    EXPECT_TRUE(panel.sentence().contains(" stretches of history since 1871 ("));

    const std::int32_t years = h.stretches.savingYears + h.stretches.horizon;
    ASSERT_EQ(yby.model().columnCount(), 10);
    EXPECT_EQ(yby.model().table().columns[6].key, "hist_p10_today");
    EXPECT_EQ(yby.model().table().columns[9].key, "hist_funded");
    ASSERT_GE(yby.model().rowCount(), years);
    EXPECT_EQ(at(yby, 0, 9), "1.0000");

    const ScheduleChart& chart = yby.chart();
    EXPECT_TRUE(chart.band().area()->isVisible());
    EXPECT_EQ(chart.band().area()->name(), "10–90 % of stretches");
    EXPECT_DOUBLE_EQ(chart.band().median()->at(years).y(),
                     h.summary.years[static_cast<std::size_t>(years - 1)].p50Today);
    const HistoryLines& lines = chart.historyLines();
    ASSERT_EQ(lines.shown(), h.stretches.paths);
    EXPECT_EQ(lines.line(0)->count(), years + 1);
    EXPECT_DOUBLE_EQ(lines.line(5)->at(years).y(), h.endBalance(5));
    EXPECT_TRUE(lines.worst()->isVisible());
    EXPECT_EQ(lines.worst()->name(), QString("Worst start, %1").arg(h.startYear(h.worstStretch)));

    // Back to the simulation: its own columns, no lines.
    panel.marketsBox().setCurrentIndex(0);
    settle(yby);
    EXPECT_EQ(yby.model().table().columns[9].key, "funded");
    EXPECT_EQ(lines.shown(), 0);
    EXPECT_FALSE(lines.worst()->isVisible());
    EXPECT_TRUE(panel.sentence().contains("simulated markets"));
    EXPECT_TRUE(desktop.calls.empty());
}

TEST_F(HistoryMarkets, TheStockShareAndAnEditInTheMainWindowAreFollowed) {
    YearByYearWindow& yby = open();
    SimulationPanel& panel = yby.simulation();
    panel.marketsBox().setCurrentIndex(1);
    panel.stocksBox().setValue(100);
    EXPECT_EQ(panel.sentence(), sentenceOf(expected(1.0, 30)));
    panel.stocksBox().setValue(0);
    EXPECT_EQ(panel.sentence(), sentenceOf(expected(0.0, 30)));
    edit("Edit11").setText("10");
    EXPECT_EQ(panel.sentence(), sentenceOf(expected(0.0, 30)));
    EXPECT_EQ(yby.chart().historyLines().shown(), 152 - 40 + 1);
    settle(yby);
}

TEST_F(HistoryMarkets, ThePointerNamesTheStartYearOfTheLineUnderIt) {
    YearByYearWindow& yby = open();
    yby.simulation().marketsBox().setCurrentIndex(1);
    const HistoryLines& lines = yby.chart().historyLines();
    const History h = expected(0.6, 30);
    // The line highest at year 40, away from the others.
    std::int32_t k = 0;
    for (std::int32_t s = 1; s < h.stretches.paths; ++s)
        if (h.stretches.at(40, s) > h.stretches.at(40, k)) k = s;
    const double y = lines.line(k)->at(40).y();
    EXPECT_EQ(lines.startNear(40, y, 1), h.startYear(k));
    EXPECT_TRUE(
        yby.chart().tipAt(QPointF(40, y)).startsWith(QString("Start %1: ").arg(h.startYear(k))));
    EXPECT_TRUE(yby.chart().tipAt(QPointF(40, y)).contains("Year 40"));
    // Far above every line: only the year's figures.
    EXPECT_EQ(lines.startNear(40, 1e12, 1), 0);
    settle(yby);
}

TEST_F(HistoryMarkets, APlanLongerThanTheDataSaysHowManyYearsItHolds) {
    YearByYearWindow& yby = open();
    SimulationPanel& panel = yby.simulation();
    panel.marketsBox().setCurrentIndex(1);
    edit("Edit11").setText("80");
    panel.horizonBox().setValue(80);
    EXPECT_EQ(panel.sentence(),
              "The plan needs 160 years of market history, but the data holds 152 years (1871 "
              "to 2022).");
    EXPECT_EQ(yby.model().columnCount(), 6);
    EXPECT_FALSE(yby.chart().band().area()->isVisible());
    EXPECT_EQ(yby.chart().historyLines().shown(), 0);
    EXPECT_TRUE(desktop.calls.empty());
    settle(yby);
}

TEST_F(HistoryMarkets, RemembersTheMarketsAndTheStockShare) {
    {
        YearByYearWindow& yby = open();
        yby.simulation().marketsBox().setCurrentIndex(1);
        yby.simulation().stocksBox().setValue(80);
        settle(yby);
    }
    // Written once the inputs settle, or when the window goes.
    window.reset();
    const YearByYearSettings saved = LoadYearByYearSettings();
    EXPECT_EQ(saved.markets, Markets::History);
    EXPECT_EQ(saved.stockPercent, 80);
    YearByYearWindow& again = open();
    EXPECT_EQ(again.simulation().marketsBox().currentIndex(), 1);
    EXPECT_EQ(again.simulation().stocksBox().value(), 80);
    EXPECT_EQ(again.simulation().sentence(), sentenceOf(expected(0.8, 30)));
    settle(again);

    QSettings store(QSettings::NativeFormat, QSettings::UserScope, "nestora", "year-by-year");
    store.setValue("markets", "crystal ball");
    store.setValue("stocks", 250);
    store.sync();
    const YearByYearSettings damaged = LoadYearByYearSettings();
    EXPECT_EQ(damaged.markets, Markets::Simulated);
    EXPECT_EQ(damaged.stockPercent, 100);
}

}  // namespace
}  // namespace nestora::testing
