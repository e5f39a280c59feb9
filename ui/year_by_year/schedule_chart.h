// SPDX-License-Identifier: MIT
// The schedule as a chart: the balance in today's money by year, the
// nominal balance as a second line that can be hidden, a dashed vertical
// line at retirement and one where the money runs out, labelled axes and a
// legend. Under the pointer a tooltip gives that year's figures, and the
// start year of history's line under it, and keeps them while the pointer
// rests; the view's accessible description says the same as the lines, in
// words.
#pragma once

#include <QChartView>
#include <QString>
#include <memory>
#include <vector>

#include "projection/plan.h"
#include "schedule/history.h"
#include "schedule/schedule.h"
#include "schedule/simulation.h"

class QLineSeries;
class QValueAxis;

namespace nestora {

class HistoryLines;
class SimulationBand;

class ScheduleChart : public QChartView {
    Q_OBJECT
  public:
    explicit ScheduleChart(QWidget* parent = nullptr);

    ~ScheduleChart() override;

    void setSchedule(const Plan& plan, const Schedule& schedule);
    // The band of the varying-returns simulation or of history from `start`
    // (the savings at year 0), with history's line for each start year when
    // `history` is given; null takes them away.
    void setSimulation(const Simulation* simulation, double start,
                       const History* history = nullptr);
    const SimulationBand& band() const { return *band_; }
    const HistoryLines& historyLines() const { return *history_; }
    void setNominalShown(bool shown);
    bool nominalShown() const;

    // Greyed out: the figures are those of the last plan without a fault.
    void setStale(bool stale);
    bool stale() const { return stale_; }

    // The tooltip text for the year nearest x, "" beyond the chart.
    QString tipAt(double x) const;
    // The same at the point (x, y) of the chart's values: history's start
    // year first when its line passes within a few pixels.
    QString tipAt(QPointF value) const;

    QLineSeries* todaySeries() const { return today_; }
    QLineSeries* nominalSeries() const { return nominal_; }
    QLineSeries* retirementMarker() const { return retirement_; }
    QLineSeries* runOutMarker() const { return runOut_; }

  protected:
    void mouseMoveEvent(QMouseEvent* event) override;
    bool viewportEvent(QEvent* event) override;

  private:
    void fitAxes();
    // The tooltip for the pointer at `at` in the view, shown at `global`;
    // none outside the plot area.
    void showTip(QPoint at, QPoint global);

    QLineSeries* today_;
    QLineSeries* nominal_;
    QLineSeries* retirement_;
    QLineSeries* runOut_;
    std::unique_ptr<SimulationBand> band_;
    std::unique_ptr<HistoryLines> history_;
    QValueAxis* years_;
    QValueAxis* money_;
    std::vector<QString> tips_;  // by year, from year 0
    int retirementYear_ = 0;
    int runOutYear_ = -1;  // -1: the money does not run out in the table
    bool stale_ = false;
};

}  // namespace nestora
