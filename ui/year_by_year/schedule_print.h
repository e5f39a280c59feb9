// SPDX-License-Identifier: MIT
// The Year by Year window on paper (or in a PDF). The first page names the
// plan: its six values and four results as the main window shows them, and
// the simulation's sentence; then the chart, drawn afresh to fill the
// page's width, the sentences under the table and the whole table, page
// after page, with the column titles repeated at the top of each page and
// broken only between words. Each page carries its number.
#pragma once

#include <QImage>
#include <QString>
#include <utility>
#include <vector>

class QAbstractItemModel;
class QPagedPaintDevice;
class QChartView;

namespace nestora {

class Planner;

struct PrintedPlan {
    std::vector<std::pair<QString, QString>> values;   // caption, text as shown
    std::vector<std::pair<QString, QString>> results;  // the same
    QString sentence;                                  // the simulation's
};

// The plan as the main window's fields show it now.
PrintedPlan DescribePlan(const Planner& planner, const QString& sentence);

// The chart as it prints: its own shape, whatever the window's, filling
// the picture.
QImage PrintedChart(QChartView& chart);

// `pages` is a printer, or a PDF writer for a PDF made in memory.
void PrintSchedule(QPagedPaintDevice& pages, const QAbstractItemModel& table, QChartView& chart,
                   const PrintedPlan& plan, const QString& notes);

}  // namespace nestora
