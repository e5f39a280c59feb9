// SPDX-License-Identifier: MIT
#include "ui/year_by_year/schedule_chart.h"

#include <QGraphicsColorizeEffect>
#include <QHelpEvent>
#include <QLineSeries>
#include <QMouseEvent>
#include <QToolTip>
#include <QValueAxis>
#include <algorithm>
#include <cmath>
#include <limits>

#include "schedule/schedule_table.h"
#include "ui/year_by_year/history_lines.h"
#include "ui/year_by_year/schedule_model.h"
#include "ui/year_by_year/simulation_band.h"

namespace nestora {

namespace {

// The chart draws doubles; a balance beyond their range (the extended type
// reaches further) or not a number is drawn at 0.
double Shown(Extended value) {
    constexpr double widest = std::numeric_limits<double>::max();
    return fp::isFinite(value) && fp::abs(value) <= widest ? fp::toDouble(value) : 0;
}

// An amount as the table shows it: the same rounding (whole units, ties to
// even) and the same text, so that a year reads alike in the tooltip, the
// chart's description and the table.
QString Money(double value) { return CellText(MoneyCell(value)); }
QString Money(Extended value) { return Money(Shown(value)); }

QLineSeries* DashedMarker(const QString& name, const QColor& color) {
    auto* marker = new QLineSeries;
    marker->setName(name);
    QPen pen(color);
    pen.setStyle(Qt::DashLine);
    pen.setWidth(2);
    marker->setPen(pen);
    return marker;
}

}  // namespace

ScheduleChart::ScheduleChart(QWidget* parent)
    : QChartView(parent),
      today_(new QLineSeries),
      nominal_(new QLineSeries),
      retirement_(DashedMarker("Retirement", QColor(0x55, 0x55, 0x55))),
      runOut_(DashedMarker("Money runs out", QColor(0xC0, 0x30, 0x30))),
      years_(new QValueAxis),
      money_(new QValueAxis) {
    setObjectName("ScheduleChart");
    today_->setName("Balance in today's money");
    nominal_->setName("Balance");
    QPen todayPen(QColor(0x20, 0x60, 0xB0));
    todayPen.setWidth(3);
    today_->setPen(todayPen);
    QPen nominalPen(QColor(0x30, 0x90, 0x50));
    nominalPen.setWidth(2);
    nominal_->setPen(nominalPen);

    auto* chart = new QChart;
    chart->setLocalizeNumbers(true);
    // Beside the plot rather than under it, so that the plot keeps its height
    // when the window gives the chart little room.
    chart->legend()->setAlignment(Qt::AlignRight);
    // Beneath the lines: the varying-returns band and its median.
    band_ = std::make_unique<SimulationBand>(*chart);
    for (QLineSeries* series : {today_, nominal_, retirement_, runOut_}) chart->addSeries(series);
    years_->setTitleText("Year");
    years_->setLabelFormat("%.0f");
    money_->setTitleText("Balance");
    money_->setLabelFormat("%.0f");
    chart->addAxis(years_, Qt::AlignBottom);
    chart->addAxis(money_, Qt::AlignLeft);
    for (QLineSeries* series : {today_, nominal_, retirement_, runOut_}) {
        series->attachAxis(years_);
        series->attachAxis(money_);
    }
    band_->attachAxes(*years_, *money_);
    history_ = std::make_unique<HistoryLines>(*chart, *years_, *money_);
    nominal_->setVisible(false);
    setChart(chart);
    setRenderHint(QPainter::Antialiasing);
    setMouseTracking(true);
    setMinimumHeight(180);
}

void ScheduleChart::setSchedule(const Plan& plan, const Schedule& schedule) {
    QList<QPointF> today, nominal;
    today.reserve(static_cast<qsizetype>(schedule.rows.size() + 1));
    nominal.reserve(today.capacity());
    tips_.clear();
    // The start, before the first year: the current savings.
    today.append({0, Shown(plan.CurrentSavings)});
    nominal.append({0, Shown(plan.CurrentSavings)});
    tips_.push_back(QString("Year 0, the start\nBalance: %1").arg(Money(plan.CurrentSavings)));
    for (const YearRow& row : schedule.rows) {
        today.append({static_cast<double>(row.year), Shown(row.balanceToday)});
        nominal.append({static_cast<double>(row.year), Shown(row.balance)});
        const bool saving = row.phase == Phase::Saving;
        QString tip = QString("Year %1, %2\n").arg(row.year).arg(saving ? "saving" : "retired");
        tip += saving ? QString("Saved: %1\n").arg(Money(row.saving))
                      : QString("Draw in today's money: %1\n").arg(Money(row.drawToday));
        tip += QString("Balance: %1\nBalance in today's money: %2")
                   .arg(Money(row.balance), Money(row.balanceToday));
        tips_.push_back(tip);
    }
    today_->replace(today);
    nominal_->replace(nominal);
    retirementYear_ = schedule.savingYears;
    runOutYear_ = schedule.end == ScheduleEnd::RunsOut && !schedule.rows.empty()
                      ? schedule.rows.back().year
                      : -1;
    fitAxes();

    // The same story in words, for a screen reader.
    const auto atYear = [&](int year) {
        return today[std::min<qsizetype>(year, today.size() - 1)];
    };
    QString words =
        QString("Balance in today's money by year: %1 at the start").arg(Money(today.front().y()));
    words += QString(", %1 at retirement in year %2")
                 .arg(Money(atYear(retirementYear_).y()))
                 .arg(retirementYear_);
    if (runOutYear_ >= 0)
        words += QString(", and the money runs out in year %1.").arg(runOutYear_);
    else
        words += QString(", and money is left after year %1.").arg(today.back().x());
    setAccessibleDescription(words);
}

ScheduleChart::~ScheduleChart() = default;

void ScheduleChart::setSimulation(const Simulation* simulation, double start,
                                  const History* history) {
    band_->set(simulation, start);
    band_->setNames(history != nullptr ? "stretches" : "markets",
                    history != nullptr ? "Median stretch" : "Median market");
    history_->set(history, start);
    fitAxes();
}

void ScheduleChart::fitAxes() {
    const auto& today = today_->points();
    double top = 0;
    for (const QPointF& p : today) top = std::max(top, p.y());
    if (nominal_->isVisible())
        for (const QPointF& p : nominal_->points()) top = std::max(top, p.y());
    top = std::max(top, band_->top());
    const double last =
        std::max({1.0, today.isEmpty() ? 0.0 : today.back().x(), band_->lastYear()});
    years_->setRange(0, last);
    if (top < 5) {
        // Whole units, one tick each: nice numbers would step by fractions,
        // which labels of whole units show as 0, 0, 1, 1.
        const double whole = std::max(1.0, std::ceil(top));
        money_->setRange(0, whole);
        money_->setTickCount(static_cast<int>(whole) + 1);
    } else {
        money_->setRange(0, top);
        money_->applyNiceNumbers();
    }
    years_->setTickType(QValueAxis::TicksDynamic);
    years_->setTickAnchor(0);
    years_->setTickInterval(last > 60 ? 20 : last > 24 ? 10 : last > 8 ? 5 : 1);
    const double height = money_->max();
    retirement_->replace({{static_cast<double>(retirementYear_), 0},
                          {static_cast<double>(retirementYear_), height}});
    if (runOutYear_ >= 0)
        runOut_->replace(
            {{static_cast<double>(runOutYear_), 0}, {static_cast<double>(runOutYear_), height}});
    else
        runOut_->clear();
    runOut_->setVisible(runOutYear_ >= 0);
}

void ScheduleChart::setNominalShown(bool shown) {
    nominal_->setVisible(shown);
    fitAxes();
}

bool ScheduleChart::nominalShown() const { return nominal_->isVisible(); }

void ScheduleChart::setStale(bool stale) {
    stale_ = stale;
    if (stale) {
        auto* grey = new QGraphicsColorizeEffect(this);
        grey->setColor(Qt::gray);
        grey->setStrength(1.0);
        setGraphicsEffect(grey);  // takes ownership, replacing any earlier one
    } else {
        setGraphicsEffect(nullptr);
    }
    setEnabled(!stale);
}

QString ScheduleChart::tipAt(double x) const {
    const long year = std::lround(x);
    if (year < 0 || static_cast<std::size_t>(year) >= tips_.size()) return {};
    return tips_[static_cast<std::size_t>(year)];
}

QString ScheduleChart::tipAt(QPointF value) const {
    const QString year = tipAt(value.x());
    if (year.isEmpty() || history_->shown() == 0) return year;
    // Six pixels of the money axis.
    const double height = chart()->plotArea().height();
    const double tolerance = height > 0 ? 6 * (money_->max() - money_->min()) / height : 0;
    const QString start = history_->tipNear(value.x(), value.y(), tolerance);
    return start.isEmpty() ? year : start + "\n" + year;
}

void ScheduleChart::showTip(QPoint at, QPoint global) {
    const QPointF inChart = chart()->mapFromScene(mapToScene(at));
    const QString tip =
        chart()->plotArea().contains(inChart) ? tipAt(chart()->mapToValue(inChart)) : QString();
    // Shown until the pointer moves on, however long it rests.
    constexpr int anHour = 3600 * 1000;
    if (tip.isEmpty())
        QToolTip::hideText();
    else
        QToolTip::showText(global, tip, this, QRect(), anHour);
}

void ScheduleChart::mouseMoveEvent(QMouseEvent* event) {
    showTip(event->pos(), event->globalPosition().toPoint());
    QChartView::mouseMoveEvent(event);
}

bool ScheduleChart::viewportEvent(QEvent* event) {
    // When the pointer rests, the scene answers the tooltip event itself
    // and, holding no tooltip of its own, takes the year's figures away.
    if (event->type() == QEvent::ToolTip) {
        const auto* help = static_cast<QHelpEvent*>(event);
        showTip(help->pos(), help->globalPos());
        return true;
    }
    return QChartView::viewportEvent(event);
}

}  // namespace nestora
