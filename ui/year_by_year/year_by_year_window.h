// SPDX-License-Identifier: MIT
// The Year by Year window: the schedule behind the main window's four
// results as a table and a chart, with Save as CSV, Copy and Print.
//
// It follows the main window: it is the planner's calculate observer, so
// every calculate that ends without a fault refreshes it: the table at once,
// the chart's lines within 40 ms (while it is hidden
// it only notes that it is behind, and catches up when shown), and a fault
// shows the fault's message in place of the table with the last good chart
// greyed out. It reads the plan and the projection and writes neither.
// Closing it only hides it.
#pragma once

#include <QString>
#include <QTimer>
#include <QWidget>
#include <functional>
#include <optional>
#include <string>

#include "number/platform_file.h"
#include "projection/desktop.h"
#include "projection/planner.h"
#include "schedule/schedule.h"
#include "schedule/schedule_table.h"
#include "schedule/solver.h"
#include "ui/year_by_year_inputs.h"

class QCheckBox;
class QLabel;
class QPrinter;
class QPushButton;
class QStackedWidget;
class QTableView;

namespace nestora {

class ScheduleChart;
class LifePlanPanel;
class ScheduleModel;
class SimulationPanel;
class SolveLine;

class YearByYearWindow : public QWidget, public CalculateObserver, public YearByYearInputs {
    Q_OBJECT
  public:
    // Error boxes (a failed save) go through `desktop` titled `title`.
    YearByYearWindow(Planner& planner, Desktop& desktop, std::string title,
                     QWidget* parent = nullptr);
    ~YearByYearWindow() override;

    void calculated(const Plan& plan, const Projection& projection) override;
    void calculateFaulted(const std::string& message) override;

    // Its part of a plan document (year_by_year_document.cpp).
    void takeDocument(const PlanDocument& document) override;
    bool fillDocument(PlanDocument& document, std::string& problem) const override;
    QString planFolder() const override;
    void rememberPlanFolder(const QString& document) override;

    // The commands behind the buttons.
    void saveCsv();
    void copyTable();
    void copySelection();
    void print();

    // Draws the chart's lines now when a refresh of them is waiting.
    void drawChart();

    // Writes the table as CSV to `path`, replacing the file only once all of
    // it is written; false (after the error box) when that fails.
    bool writeCsv(const QString& path, FileSystem& files = SystemFiles());
    // Puts the title, the chart, the notes and the table on `printer`'s pages.
    // A PDF is made in memory and then written as the CSV is: complete, or
    // the error box and the old file as it was.
    void printOn(QPrinter& printer, FileSystem& files = SystemFiles());

    // Where Save as CSV writes ("" to cancel) and whether Print goes ahead
    // with the printer set up; the dialogs by default, replaced by tests.
    // Both start in the folder of the last file saved, at first the user's
    // documents folder (StartFolder).
    std::function<QString()> askCsvPath;
    std::function<bool(QPrinter&)> askPrinter;

    ScheduleModel& model() const { return *model_; }
    ScheduleChart& chart() const { return *chart_; }
    QTableView& table() const { return *table_; }
    bool showsFault() const;
    QString faultText() const;
    QString noteText() const;
    SimulationPanel& simulation() const { return *simulation_; }
    LifePlanPanel& lifePlan() const { return *lifePlan_; }
    SolveLine& solve() const { return *solve_; }

  protected:
    void showEvent(QShowEvent* event) override;
    void hideEvent(QHideEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;

  private:
    void setUpTable();
    void setUpChart();
    void setUpButtons();
    void layOut();
    void askWithDialogs();
    // The table and the sentences at once; the chart at once or soon.
    void refresh(const Plan& plan, const Projection& projection, bool chartNow);
    void showFault(const std::string& message);
    // "Your plan" changed: the last plan again with it, when it had an answer.
    void lifePlanChanged();
    void placeFirstTime();
    void fitColumns();
    // The table of the last schedule, with the simulation's columns once it
    // has answered, and the chart's band when `withBand`.
    void showTable(bool withBand);
    // The table with the simulation's columns of the plan it shows: until the
    // simulation of a new plan answers, the window still shows the figures of
    // the plan before, which a file must not mix with the new plan's.
    ScheduleTable tableOfOnePlan() const;
    // Save as CSV and Print start next time in the folder of `file`.
    void rememberFolder(const QString& file);
    // Puts `bytes` in the place of the file at `path` (WriteWholeFile); on
    // failure, the error box says why. False when it failed.
    bool writeOrReport(const QString& path, const std::string& bytes, FileSystem& files);
    // The error box, once the event that found the fault is over (a box
    // inside a hide event, or while the window goes, is no place for one).
    void reportLater(const std::string& message);

    Planner& planner_;
    Desktop& desktop_;
    bool refusedSettings_ = false;  // its settings file is no file to read or write
    std::string title_;
    ScheduleModel* model_;
    QTableView* table_;
    ScheduleChart* chart_;
    QCheckBox* nominal_;
    QStackedWidget* stack_;
    QLabel* fault_;
    QLabel* note_;
    QPushButton* save_;
    QPushButton* copy_;
    QPushButton* print_;
    QTimer chartTimer_;
    Plan chartPlan_;
    Schedule chartSchedule_;
    bool chartPending_ = false;
    SimulationPanel* simulation_;
    LifePlanPanel* lifePlan_;
    SolveLine* solve_;
    bool planFaulted_ = false;          // the main window's last calculate faulted
    std::optional<Schedule> schedule_;  // the last one shown
    double start_ = 0;                  // its plan's current savings
    bool behind_ = false;
    bool placed_ = false;
};

}  // namespace nestora
