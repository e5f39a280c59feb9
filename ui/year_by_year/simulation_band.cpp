// SPDX-License-Identifier: MIT
#include "ui/year_by_year/simulation_band.h"

#include <QAreaSeries>
#include <QChart>
#include <QLineSeries>
#include <QPen>
#include <algorithm>
#include <cmath>

namespace nestora {

SimulationBand::SimulationBand(QChart& chart)
    : low_(new QLineSeries), high_(new QLineSeries), median_(new QLineSeries) {
    area_ = new QAreaSeries(high_, low_);
    // The area draws from the two lines; they belong to it.
    low_->setParent(area_);
    high_->setParent(area_);
    area_->setName("10–90 % of markets");
    area_->setColor(QColor(0x20, 0x60, 0xB0, 0x38));
    area_->setBorderColor(QColor(0x20, 0x60, 0xB0, 0x60));
    median_->setName("Median market");
    // Its own colour, so that the legend tells it from the fixed-return line.
    QPen pen(QColor(0x80, 0x40, 0xA0));
    pen.setStyle(Qt::DotLine);
    pen.setWidth(2);
    median_->setPen(pen);
    chart.addSeries(area_);
    chart.addSeries(median_);
}

void SimulationBand::attachAxes(QAbstractAxis& years, QAbstractAxis& money) {
    for (QAbstractSeries* series :
         {static_cast<QAbstractSeries*>(area_), static_cast<QAbstractSeries*>(median_)}) {
        series->attachAxis(&years);
        series->attachAxis(&money);
    }
}

void SimulationBand::set(const Simulation* simulation, double start) {
    QList<QPointF> low, high, median;
    if (simulation != nullptr) {
        const auto shown = [](double v) { return std::isfinite(v) ? v : 0.0; };
        low.append({0, shown(start)});
        high.append({0, shown(start)});
        median.append({0, shown(start)});
        for (const SimulatedYear& year : simulation->years) {
            const double x = year.year;
            low.append({x, shown(year.p10Today)});
            high.append({x, shown(year.p90Today)});
            median.append({x, shown(year.p50Today)});
        }
    }
    low_->replace(low);
    high_->replace(high);
    median_->replace(median);
    area_->setVisible(simulation != nullptr);
    median_->setVisible(simulation != nullptr);
}

void SimulationBand::setNames(const QString& plural, const QString& median) {
    area_->setName(QString("10–90 % of ") + plural);
    median_->setName(median);
}

bool SimulationBand::empty() const { return high_->count() == 0; }

double SimulationBand::top() const {
    double top = 0;
    for (const QPointF& p : high_->points()) top = std::max(top, p.y());
    return top;
}

double SimulationBand::lastYear() const { return empty() ? 0 : high_->points().back().x(); }

}  // namespace nestora
