// SPDX-License-Identifier: MIT
// The simulation on the schedule's chart: the band between the 10th and the
// 90th percentile of the balance in today's money, and the median as a line,
// drawn beneath the fixed-return line.
#pragma once

#include <QList>
#include <QPointF>
#include <QString>

#include "schedule/simulation.h"

class QAbstractAxis;
class QAreaSeries;
class QChart;
class QLineSeries;

namespace nestora {

class SimulationBand {
  public:
    // Adds the band and the median to `chart`; call before the chart's other
    // series are added, so that they are drawn over it.
    SimulationBand(QChart& chart);
    void attachAxes(QAbstractAxis& years, QAbstractAxis& money);

    // From `start` (the savings at year 0) through the simulation's years;
    // null clears the band.
    void set(const Simulation* simulation, double start);
    // The legend's names: "10–90 % of markets" and "Median market".
    void setNames(const QString& plural, const QString& median);
    bool empty() const;
    double top() const;       // the highest 90th percentile, 0 when empty
    double lastYear() const;  // 0 when empty

    QAreaSeries* area() const { return area_; }
    QLineSeries* median() const { return median_; }

  private:
    QLineSeries* low_;
    QLineSeries* high_;
    QAreaSeries* area_;
    QLineSeries* median_;
};

}  // namespace nestora
