// SPDX-License-Identifier: MIT
#include "ui/year_by_year/schedule_print.h"

#include <QAbstractItemModel>
#include <QChart>
#include <QChartView>
#include <QGraphicsLayout>
#include <QImage>
#include <QPageLayout>
#include <QPagedPaintDevice>
#include <QPainter>
#include <QTextDocument>
#include <QTextOption>
#include <QUrl>
#include <array>

#include "projection/planner.h"

namespace nestora {

namespace {

QString Escaped(const QVariant& value) { return value.toString().toHtmlEscaped(); }

// The chart's shape on paper and the size it is laid out at: its fonts and
// lines then print as large, relative to the chart, as on a screen.
constexpr QSize ChartLayoutSize{960, 540};
constexpr double ChartScale = 5.0 / 3.0;  // 1600 × 900 pixels

struct Caption {
    Entry entry;
    const char* text;
    bool percent;
};

constexpr std::array<Caption, 6> ValueCaptions = {{
    {Entry::Edit1, "Current long-term savings and investments", false},
    {Entry::Edit2, "Planned annual additional savings", false},
    {Entry::Edit9, "Estimated investment return", true},
    {Entry::Edit10, "Estimated average inflation rate", true},
    {Entry::Edit8, "Planned annual retirement draw", true},
    {Entry::Edit11, "Years remaining before retirement", false},
}};

constexpr std::array<std::pair<Result, const char*>, 4> ResultCaptions = {{
    {Result::Edit3, "Savings available at retirement"},
    {Result::Edit4, "Savings adjusted for inflation"},
    {Result::Edit5, "Annual draw adjusted for inflation"},
    {Result::Edit6, "Retirement years provided for"},
}};

QString PlanHtml(const PrintedPlan& plan) {
    QString html = "<h2>Year by Year</h2><table cellspacing=\"0\" cellpadding=\"2\">";
    const auto rows = [&](const char* title, const auto& pairs) {
        html += QString("<tr><td colspan=\"2\"><b>%1</b></td></tr>").arg(title);
        for (const auto& [caption, text] : pairs)
            html += "<tr><td>" + caption.toHtmlEscaped() +
                    "&nbsp;&nbsp;&nbsp;&nbsp;</td><td align=\"right\">" + text.toHtmlEscaped() +
                    "</td></tr>";
    };
    rows("The plan", plan.values);
    rows("Its results", plan.results);
    html += "</table>";
    if (!plan.sentence.isEmpty()) html += "<p>" + plan.sentence.toHtmlEscaped() + "</p>";
    return html;
}

// The whole table; a small face once the simulation's columns join, so that
// every word of a column title fits its column.
QString TableHtml(const QAbstractItemModel& table) {
    const int points = table.columnCount() > 6 ? 7 : 9;
    QString html = QString(
                       "<table border=\"1\" cellspacing=\"0\" cellpadding=\"3\" "
                       "width=\"100%\" style=\"font-size: %1pt\"><thead><tr>")
                       .arg(points);
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
    return html + "</table>";
}

}  // namespace

PrintedPlan DescribePlan(const Planner& planner, const QString& sentence) {
    PrintedPlan plan;
    for (const Caption& caption : ValueCaptions) {
        QString text = QString::fromStdString(planner.entryField(caption.entry).text());
        if (caption.percent) text += " %";
        plan.values.emplace_back(caption.text, text);
    }
    for (const auto& [result, caption] : ResultCaptions)
        plan.results.emplace_back(caption,
                                  QString::fromStdString(planner.resultField(result).text()));
    plan.sentence = sentence;
    return plan;
}

QImage PrintedChart(QChartView& view) {
    QImage picture(ChartLayoutSize * ChartScale, QImage::Format_ARGB32);
    picture.fill(Qt::white);
    // The chart laid out at the paper's shape for the moment of drawing,
    // then given back its size in the window before the window repaints.
    QChart& chart = *view.chart();
    const QSizeF shown = chart.size();
    chart.resize(ChartLayoutSize);
    chart.layout()->activate();
    {
        QPainter painter(&picture);
        painter.setRenderHint(QPainter::Antialiasing);
        view.scene()->render(&painter, QRectF(picture.rect()),
                             QRectF(chart.pos(), QSizeF(ChartLayoutSize)));
    }
    chart.resize(shown);
    chart.layout()->activate();
    return picture;
}

void PrintSchedule(QPagedPaintDevice& pages, const QAbstractItemModel& table, QChartView& chart,
                   const PrintedPlan& plan, const QString& notes) {
    // The text's width as print lays the document out: the printer's page
    // at 96 dots an inch, less margins of 2 cm on each side.
    const double inches = pages.pageLayout().paintRect(QPageLayout::Inch).width();
    const int width = static_cast<int>(96 * (inches - 2 * 2 / 2.54)) - 4;
    QString html = PlanHtml(plan);
    html += QString("<p><img src=\"chart:schedule\" width=\"%1\"></p>").arg(width);
    if (!notes.isEmpty()) html += "<p>" + notes.toHtmlEscaped() + "</p>";
    html += TableHtml(table);

    QTextDocument document;
    // Lines break between words only, never inside one.
    QTextOption wrapping = document.defaultTextOption();
    wrapping.setWrapMode(QTextOption::WordWrap);
    document.setDefaultTextOption(wrapping);
    document.addResource(QTextDocument::ImageResource, QUrl("chart:schedule"), PrintedChart(chart));
    document.setHtml(html);
    document.print(&pages);
}

}  // namespace nestora
