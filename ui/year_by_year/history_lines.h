// SPDX-License-Identifier: MIT
// History on the schedule's chart: each start year's balance in today's
// money as a faint line, and the worst start's as a clear one. The pointer
// names the start year of the line under it (startNear).
#pragma once

#include <QString>
#include <vector>

#include "schedule/history.h"

class QAbstractAxis;
class QChart;
class QLineSeries;

namespace nestora {

class HistoryLines {
  public:
    // Adds the worst start's line to `chart`; the faint lines are added as
    // they are first needed.
    HistoryLines(QChart& chart, QAbstractAxis& years, QAbstractAxis& money);

    // From `start` (the savings at year 0) through every stretch's years;
    // null takes the lines away.
    void set(const History* history, double start);

    // The start year of the line nearest to `money` at year `year` within
    // `tolerance`, 0 when none is that near.
    int startNear(double year, double money, double tolerance) const;
    // "Start 1906: 123,456 in today's money", "" when no line is near.
    QString tipNear(double year, double money, double tolerance) const;

    int shown() const { return shown_; }  // faint lines on the chart
    QLineSeries* worst() const { return worst_; }
    QLineSeries* line(int k) const { return faint_.at(static_cast<std::size_t>(k)); }

  private:
    QLineSeries* addLine();

    QChart& chart_;
    QAbstractAxis& years_;
    QAbstractAxis& money_;
    std::vector<QLineSeries*> faint_;
    std::vector<int> starts_;  // of the shown faint lines
    QLineSeries* worst_;
    int shown_ = 0;
};

}  // namespace nestora
