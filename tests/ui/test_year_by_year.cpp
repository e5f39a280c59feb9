// SPDX-License-Identifier: MIT
// The Year by Year window over the real main window, offscreen: opened from
// the menu, following the main window's edits and faults, copying, saving
// and printing what it shows.
#include <QAction>
#include <QCheckBox>
#include <QClipboard>
#include <QFile>
#include <QLineSeries>
#include <QMenuBar>
#include <QPrinter>
#include <QPushButton>
#include <QTableView>
#include <QTest>
#include <sstream>

#include "app/schedule_command.h"
#include "schedule/schedule_csv.h"
#include "schedule/schedule_note.h"
#include "support/corrupt_settings.h"
#include "support/planner_fixture.h"
#include "ui/window_fixture.h"
#include "ui/year_by_year/schedule_chart.h"
#include "ui/year_by_year/schedule_model.h"
#include "ui/year_by_year/simulation_panel.h"
#include "ui/year_by_year/year_by_year_window.h"

namespace nestora::testing {
namespace {

std::vector<std::string> Split(const std::string& text, char by) {
    std::vector<std::string> parts;
    std::string part;
    std::istringstream in(text);
    while (std::getline(in, part, by)) parts.push_back(part);
    return parts;
}

class YearByYear : public WindowTest {
  protected:
    // The program's main window on the default settings file, with the Year
    // by Year window made in this process instead of loaded.
    YearByYearWindow& open(const std::string& file = DefaultSettingsFile) {
        settings.write(file);
        start();
        return openFromMenu();
    }
    YearByYearWindow& openFromMenu() {
        window->setYearByYearMaker([](Planner& planner, Desktop& d, const std::string& title) {
            return new YearByYearWindow(planner, d, title);
        });
        menuItem().trigger();
        auto* opened = dynamic_cast<YearByYearWindow*>(window->yearByYearWindow());
        if (opened == nullptr) throw std::logic_error("no Year by Year window");
        return *opened;
    }
    QAction& menuItem() const {
        auto* item = window->findChild<QAction*>("YearByYear1");
        if (item == nullptr) throw std::logic_error("no Year by Year menu item");
        return *item;
    }
    // The CSV text of a cell of the table.
    static std::string cell(const YearByYearWindow& yby, std::size_t row, std::size_t column) {
        return yby.model().table().rows.at(row).at(column).text;
    }
};

TEST_F(YearByYear, OpensFromTheMenuOnceAndOnlyHidesWhenClosed) {
    YearByYearWindow& yby = open();
    EXPECT_TRUE(yby.isVisible());
    EXPECT_EQ(yby.windowTitle(), "Year by Year");
    EXPECT_EQ(menuItem().text(), "&Year by Year");
    // The fourth item, last on the menu bar.
    EXPECT_EQ(window->controls().MainMenu->actions().size(), 4);
    EXPECT_EQ(window->controls().MainMenu->actions().back(), &menuItem());

    // 20 saving years, 26 full retirement years and the one that runs out.
    ASSERT_EQ(yby.model().rowCount(), 47);
    EXPECT_EQ(cell(yby, 19, 4), text("Edit3"));
    EXPECT_EQ(cell(yby, 19, 5), text("Edit4"));
    EXPECT_EQ(cell(yby, 20, 3), text("Edit5"));
    EXPECT_EQ(yby.noteText(), "The money runs out in year 47.");
    EXPECT_TRUE(desktop.calls.empty());

    yby.close();
    EXPECT_FALSE(yby.isVisible());
    menuItem().trigger();
    EXPECT_EQ(window->yearByYearWindow(), &yby);
    EXPECT_TRUE(yby.isVisible());
    // Typing in the main window writes nothing back: the plan is the file's.
    EXPECT_EQ(text("Edit1"), "65000");
}

TEST_F(YearByYear, FollowsEachEditAndCatchesUpWhenShownAgain) {
    YearByYearWindow& yby = open();
    edit("Edit11").setText("10");
    ASSERT_EQ(cell(yby, 9, 0), "10");
    EXPECT_EQ(cell(yby, 9, 4), text("Edit3"));
    EXPECT_EQ(cell(yby, 10, 1), "retired");

    // r = 10 %: the real return covers the draw.
    edit("Edit9").setText("10");
    EXPECT_EQ(text("Edit6"), "1000");
    EXPECT_EQ(yby.model().rowCount(), 10 + 100);
    EXPECT_EQ(yby.noteText().toStdString(),
              "The savings last indefinitely: the real return covers the draw.");

    // r = 0 < i: the sentence about the shrinking joins the end's.
    edit("Edit9").setText("0");
    EXPECT_TRUE(yby.noteText().endsWith(ShrinkingNote)) << yby.noteText().toStdString();

    // Hidden, it catches up when it shows again.
    yby.close();
    edit("Edit11").setText("30");
    menuItem().trigger();
    EXPECT_EQ(cell(yby, 29, 4), text("Edit3"));
}

TEST_F(YearByYear, OpeningLeavesTheMainWindowsCommaTextsAsTheyWere) {
    // Savings whose results take the exponent form, so that the decimal
    // symbol shows in them. Opening the window recalculates: the results must
    // still be written with the user's ",".
    std::string file = DefaultSettingsFile;
    file.replace(file.find(" 6.50000000000000E+0004"), 23, " 5.00000000000000E+0015");
    settings.write(file);
    decimalSeparator = ',';
    start();
    const EntryTexts entries = entryTexts();
    const ResultTexts results = resultTexts();
    ASSERT_EQ(entries[0], "5E15");
    ASSERT_EQ(results[0], "2,12392555017152E16");

    openFromMenu();
    EXPECT_EQ(entryTexts(), entries);
    EXPECT_EQ(resultTexts(), results);
    edit("Edit11").setText("21");
    EXPECT_EQ(text("Edit3").find('.'), std::string::npos) << text("Edit3");
    EXPECT_NE(text("Edit3").find(','), std::string::npos) << text("Edit3");
    EXPECT_TRUE(desktop.calls.empty());
}

TEST_F(YearByYear, ShowsAFaultInPlaceOfTheTableWithTheChartGreyedOut) {
    YearByYearWindow& yby = open();
    const auto before = yby.chart().todaySeries()->points();
    edit("Edit1").setText("0");
    edit("Edit2").setText("0");
    desktop.calls.clear();
    edit("Edit9").setText("3");  // r = i and no savings: 0 ÷ 0
    EXPECT_EQ(desktop.errors(),
              std::vector<std::string>{window->title() + "|Invalid floating point operation."});
    EXPECT_TRUE(yby.showsFault());
    EXPECT_EQ(yby.faultText(), "Invalid floating point operation.");
    EXPECT_TRUE(yby.chart().stale());
    EXPECT_FALSE(yby.findChild<QPushButton*>("SaveCsv")->isEnabled());
    // The chart keeps the last good plan's lines: no savings, which last.
    EXPECT_EQ(yby.chart().todaySeries()->points().size(), 1 + 20 + 100);

    edit("Edit9").setText("7.5");
    EXPECT_FALSE(yby.showsFault());
    EXPECT_FALSE(yby.chart().stale());
    EXPECT_TRUE(yby.findChild<QPushButton*>("SaveCsv")->isEnabled());
    // Back to the default plan: the table at once, the lines in a moment.
    edit("Edit1").setText("65000");
    edit("Edit2").setText("12000");
    EXPECT_EQ(yby.model().rowCount(), 47);
    // Within 40 ms on an idle machine; a busy one may take longer.
    EXPECT_TRUE(
        QTest::qWaitFor([&] { return yby.chart().todaySeries()->points() == before; }, 5000));
}

TEST_F(YearByYear, CopiesTheTableAndTheSelectionAsTabSeparatedCells) {
    YearByYearWindow& yby = open();
    yby.copyTable();
    const auto lines = Split(QGuiApplication::clipboard()->text().toStdString(), '\n');
    ASSERT_EQ(lines.size(), 48u);
    EXPECT_EQ(lines[0],
              "Year\tPhase\tSaved\tDraw in today's money\tBalance\tBalance in today's money");
    EXPECT_EQ(Split(lines[1], '\t').size(), 6u);
    EXPECT_EQ(Split(lines[20], '\t')[0], "20");
    EXPECT_EQ(Split(lines[20], '\t')[1], "Saving");

    // Ctrl+C in the table: the selected block, without titles.
    QTableView& table = yby.table();
    table.setFocus();
    table.selectionModel()->select(
        QItemSelection(yby.model().index(19, 0), yby.model().index(20, 1)),
        QItemSelectionModel::ClearAndSelect);
    QTest::keySequence(&table, QKeySequence::Copy);
    EXPECT_EQ(QGuiApplication::clipboard()->text(), "20\tSaving\n21\tRetired\n");
}

TEST_F(YearByYear, SavesACsvThatReadsBackToTheSameRows) {
    YearByYearWindow& yby = open();
    // With the simulation's columns once it has answered.
    EXPECT_TRUE(QTest::qWaitFor([&] { return !yby.simulation().running(); }, 30000));
    QCoreApplication::processEvents();
    const QString path = QString::fromStdString(settings.path()) + ".csv";
    yby.askCsvPath = [&] { return path; };
    yby.saveCsv();
    QFile file(path);
    ASSERT_TRUE(file.open(QIODevice::ReadOnly));
    const std::string csv = file.readAll().toStdString();

    const auto lines = Split(csv, '\n');
    const ScheduleTable& table = yby.model().table();
    ASSERT_EQ(lines.size(), table.rows.size() + 1);
    EXPECT_EQ(lines[0],
              "year,phase,saving,draw_today,balance,balance_today,p10_today,p50_today,p90_today,"
              "funded");
    for (std::size_t r = 0; r < table.rows.size(); ++r) {
        const auto cells = Split(lines[r + 1], ',');
        ASSERT_EQ(cells.size(), table.columns.size()) << lines[r + 1];
        for (std::size_t c = 0; c < cells.size(); ++c) EXPECT_EQ(cells[c], table.rows[r][c].text);
    }
    // The command line gives the same file for the same settings.
    std::ostringstream out, err;
    EXPECT_EQ(RunScheduleCommand(settings.path(), true, out, err, SystemFiles(),
                                 yby.simulation().options()),
              0);
    EXPECT_EQ(out.str(), csv);
    EXPECT_EQ(err.str(), "");

    // Cancelled: nothing written. A folder that is not there: the error box.
    yby.askCsvPath = [] { return QString(); };
    yby.saveCsv();
    EXPECT_TRUE(desktop.errors().empty());
    EXPECT_FALSE(yby.writeCsv(path + ".missing/schedule.csv"));
    ASSERT_EQ(desktop.errors().size(), 1u);
    EXPECT_NE(desktop.errors()[0].find("Cannot save"), std::string::npos);
}

TEST_F(YearByYear, PrintsTheTableAndTheChartToPdf) {
    YearByYearWindow& yby = open();
    const QString path = QString::fromStdString(settings.path()) + ".pdf";
    yby.askPrinter = [&](QPrinter& printer) {
        printer.setOutputFormat(QPrinter::PdfFormat);
        printer.setOutputFileName(path);
        return true;
    };
    yby.print();
    QFile pdf(path);
    ASSERT_TRUE(pdf.open(QIODevice::ReadOnly));
    EXPECT_TRUE(pdf.read(5) == "%PDF-");
    EXPECT_GT(pdf.size(), 20000);
}

TEST_F(YearByYear, ChartMarksRetirementAndTheEndAndSaysSoInWords) {
    YearByYearWindow& yby = open();
    ScheduleChart& chart = yby.chart();
    EXPECT_EQ(chart.todaySeries()->points().size(), 48);  // the start and 47 years
    EXPECT_EQ(chart.retirementMarker()->points().front().x(), 20);
    EXPECT_EQ(chart.runOutMarker()->points().front().x(), 47);
    EXPECT_FALSE(chart.nominalSeries()->isVisible());
    yby.findChild<QCheckBox*>("ShowNominal")->setChecked(true);
    EXPECT_TRUE(chart.nominalSeries()->isVisible());

    const QString tip = chart.tipAt(20.2);
    EXPECT_TRUE(tip.startsWith("Year 20, saving")) << tip.toStdString();
    EXPECT_TRUE(chart.tipAt(60).isEmpty());
    const QString words = chart.accessibleDescription();
    EXPECT_TRUE(words.contains("retirement in year 20")) << words.toStdString();
    EXPECT_TRUE(words.contains("runs out in year 47")) << words.toStdString();
}

TEST_F(YearByYear, WithoutItsLibraryTheMenuItemSaysWhy) {
    settings.write(DefaultSettingsFile);
    start();  // the default maker looks beside the test program, in vain
    menuItem().trigger();
    EXPECT_EQ(window->yearByYearWindow(), nullptr);
    ASSERT_EQ(desktop.errors().size(), 1u);
    EXPECT_NE(desktop.errors()[0].find("Year by Year cannot open"), std::string::npos);
}

// The command line computes with the plan the window computes with, on
// damaged files too: the same reports, naming the file, or else the same
// schedule.
TEST_F(YearByYear, CommandLineMeetsTheWindowOnDamagedFiles) {
    const auto cases = CorruptSettingsFiles(20240611u);
    for (std::size_t n = 0; n < cases.size(); n += 7) {
        const SettingsCase& file = cases[n];
        SCOPED_TRACE(file.name + ": \"" + Visible(file.bytes) + "\"");
        settings.write(file.bytes);
        desktop.calls.clear();
        start();
        // The boxes' messages, one a line, a repeat at once written once.
        std::string boxes, last;
        for (const std::string& call : desktop.calls) {
            std::string message;
            // The window's note on where a damaged file is kept is its own.
            if (call.starts_with("error: "))
                message = call.substr(call.find('|') + 1, call.find("\n\n") - call.find('|') - 1);
            else if (call.starts_with("warning: "))
                message = call.substr(9);
            else
                continue;
            if (message != last) boxes += "nestora: " + settings.path() + ": " + message + "\n";
            last = message;
        }
        std::ostringstream out, err;
        const int status = RunScheduleCommand(settings.path(), true, out, err);
        EXPECT_EQ(err.str(), boxes);
        EXPECT_EQ(status, boxes.empty() ? 0 : 1);
        if (status == 0) {
            const Planner& planner = window->planner();
            EXPECT_EQ(out.str(),
                      ScheduleCsv(MakeScheduleTable(MakeSchedule(planner.plan, planner.projection),
                                                    CalendarYearNow())));
        }
        window.reset();
    }
}

TEST(ScheduleCommandLine, MissingFiles) {
    std::ostringstream out, err;
    EXPECT_EQ(RunScheduleCommand("/nonexistent/nestora.fig", true, out, err), 1);
    EXPECT_EQ(err.str(), "nestora: /nonexistent/nestora.fig: File not found.\n");
    EXPECT_EQ(out.str(), "");
    // The program's own file missing: the defaults, as at a first start.
    EXPECT_EQ(RunScheduleCommand("/nonexistent/nestora.fig", false, out, err), 0);
    EXPECT_TRUE(
        out.str().starts_with("year,phase,saving,draw_today,balance,balance_today\n"
                              "1,saving,12000,0,81875,79490\n"));
}

}  // namespace
}  // namespace nestora::testing
