// SPDX-License-Identifier: MIT
// The Year by Year window on paper (or in a PDF): a heading, the chart as
// it shows, the sentences under the table and the whole table, page after
// page, with the column titles repeated at the top of each page.
#pragma once

#include <QString>

class QAbstractItemModel;
class QPrinter;
class QChartView;

namespace nestora {

void PrintSchedule(QPrinter& printer, const QAbstractItemModel& table, QChartView& chart,
                   const QString& notes);

}  // namespace nestora
