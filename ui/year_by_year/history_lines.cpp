// SPDX-License-Identifier: MIT
#include "ui/year_by_year/history_lines.h"

#include <QChart>
#include <QLegend>
#include <QLegendMarker>
#include <QLineSeries>
#include <QLocale>
#include <QPen>
#include <cmath>

namespace nestora {

namespace {

QList<QPointF> LineOf(const History& history, std::int32_t stretch, double start) {
    const SimulatedPaths& paths = history.stretches;
    QList<QPointF> points;
    points.reserve(paths.savingYears + paths.horizon + 1);
    points.append({0, start});
    for (std::int32_t year = 1; year <= paths.savingYears + paths.horizon; ++year) {
        const double v = paths.at(year, stretch);
        points.append({static_cast<double>(year), std::isfinite(v) ? v : 0.0});
    }
    return points;
}

}  // namespace

HistoryLines::HistoryLines(QChart& chart, QAbstractAxis& years, QAbstractAxis& money)
    : chart_(chart), years_(years), money_(money), worst_(new QLineSeries) {
    QPen pen(QColor(0xD0, 0x70, 0x00));
    pen.setWidth(3);
    worst_->setPen(pen);
    chart_.addSeries(worst_);
    worst_->attachAxis(&years_);
    worst_->attachAxis(&money_);
    worst_->setVisible(false);
}

QLineSeries* HistoryLines::addLine() {
    auto* line = new QLineSeries;
    QPen pen(QColor(0x50, 0x50, 0x50, 0x30));
    pen.setWidth(1);
    line->setPen(pen);
    line->setName("Each start year");
    chart_.addSeries(line);
    line->attachAxis(&years_);
    line->attachAxis(&money_);
    // The legend keeps its room for the lines that have a name to tell; the
    // pointer names these.
    for (QLegendMarker* marker : chart_.legend()->markers(line)) marker->setVisible(false);
    faint_.push_back(line);
    return line;
}

void HistoryLines::set(const History* history, double start) {
    shown_ = history != nullptr ? history->stretches.paths : 0;
    starts_.clear();
    for (int k = 0; k < shown_; ++k) {
        QLineSeries* series = k < static_cast<int>(faint_.size()) ? line(k) : addLine();
        series->replace(LineOf(*history, k, start));
        series->setVisible(true);
        starts_.push_back(history->startYear(k));
    }
    for (std::size_t k = static_cast<std::size_t>(shown_); k < faint_.size(); ++k) {
        faint_[k]->clear();
        faint_[k]->setVisible(false);
    }
    if (history != nullptr) {
        worst_->replace(LineOf(*history, history->worstStretch, start));
        worst_->setName(QString("Worst start, %1").arg(history->startYear(history->worstStretch)));
    } else {
        worst_->clear();
    }
    worst_->setVisible(history != nullptr);
}

int HistoryLines::startNear(double year, double money, double tolerance) const {
    const long x = std::lround(year);
    int best = 0;
    double nearest = tolerance;
    for (int k = 0; k < shown_; ++k) {
        const QLineSeries& line = *faint_[static_cast<std::size_t>(k)];
        if (x < 0 || x >= line.count()) continue;
        const double distance = std::abs(line.at(static_cast<int>(x)).y() - money);
        if (distance <= nearest) {
            nearest = distance;
            best = starts_[static_cast<std::size_t>(k)];
        }
    }
    return best;
}

QString HistoryLines::tipNear(double year, double money, double tolerance) const {
    const int start = startNear(year, money, tolerance);
    if (start == 0) return {};
    const long x = std::lround(year);
    const QLineSeries& line = *faint_[static_cast<std::size_t>(start - starts_.front())];
    return QString("Start %1: %2 in today's money")
        .arg(start)
        .arg(QLocale().toString(std::round(line.at(static_cast<int>(x)).y()), 'f', 0));
}

}  // namespace nestora
