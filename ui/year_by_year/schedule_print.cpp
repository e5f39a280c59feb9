// SPDX-License-Identifier: MIT
#include "ui/year_by_year/schedule_print.h"

#include <QAbstractItemModel>
#include <QChartView>
#include <QImage>
#include <QPainter>
#include <QPrinter>
#include <QTextDocument>
#include <QUrl>

namespace nestora {

namespace {

QString Escaped(const QVariant& value) { return value.toString().toHtmlEscaped(); }

}  // namespace

void PrintSchedule(QPrinter& printer, const QAbstractItemModel& table, QChartView& chart,
                   const QString& notes) {
    // The chart drawn afresh at a size that prints sharply, whatever the
    // window's size.
    QImage picture(1600, 900, QImage::Format_ARGB32);
    picture.fill(Qt::white);
    {
        QPainter painter(&picture);
        painter.setRenderHint(QPainter::Antialiasing);
        chart.render(&painter, QRectF(picture.rect()), chart.rect());
    }

    QString html = "<h2>Year by Year</h2><p><img src=\"chart:schedule\" width=\"640\"></p>";
    if (!notes.isEmpty()) html += "<p>" + notes.toHtmlEscaped() + "</p>";
    html += "<table border=\"1\" cellspacing=\"0\" cellpadding=\"3\" width=\"100%\"><thead><tr>";
    for (int c = 0; c < table.columnCount(); ++c)
        html += "<th>" + Escaped(table.headerData(c, Qt::Horizontal)) + "</th>";
    html += "</tr></thead>";
    for (int r = 0; r < table.rowCount(); ++r) {
        html += "<tr>";
        for (int c = 0; c < table.columnCount(); ++c) {
            const QModelIndex index = table.index(r, c);
            const bool right =
                table.data(index, Qt::TextAlignmentRole).value<Qt::Alignment>() & Qt::AlignRight;
            html += right ? "<td align=\"right\">" : "<td>";
            html += Escaped(table.data(index)) + "</td>";
        }
        html += "</tr>";
    }
    html += "</table>";

    QTextDocument document;
    document.addResource(QTextDocument::ImageResource, QUrl("chart:schedule"), picture);
    document.setHtml(html);
    document.print(&printer);
}

}  // namespace nestora
