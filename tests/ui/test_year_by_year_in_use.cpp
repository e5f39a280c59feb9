// SPDX-License-Identifier: MIT
// Year by Year as a user meets it, offscreen: the printout read back from
// its PDF, the tooltip that stays while the pointer rests, a plan with no
// answer, the first place on a small screen and after a damaged remembered
// place, and the folder that Save as CSV and Print start in.
#include <QAction>
#include <QDataStream>
#include <QDir>
#include <QFileInfo>
#include <QHelpEvent>
#include <QPrinter>
#include <QRegularExpression>
#include <QScreen>
#include <QSettings>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <QTest>
#include <QToolTip>
#include <QValueAxis>
#include <cstdio>
#include <string>

#include "support/planner_fixture.h"
#include "ui/window_fixture.h"
#include "ui/year_by_year/schedule_chart.h"
#include "ui/year_by_year/schedule_print.h"
#include "ui/year_by_year/simulation_panel.h"
#include "ui/year_by_year/year_by_year_settings.h"
#include "ui/year_by_year/year_by_year_window.h"
#include "ui/year_by_year_fixture.h"

namespace nestora::testing {
namespace {

class YearByYearInUse : public YearByYearTest {
  protected:
    // The PDF's text as pdftotext reads it, pages parted by form feeds.
    // Through popen rather than QProcess: qemu-user refuses the clone with a
    // pidfd that QProcess starts a program with, and takes popen's.
    static QString PdfText(const QString& path) {
        QString quoted = path;
        quoted.replace("'", "'\\''");
        const std::string command = "pdftotext -layout '" + quoted.toStdString() + "' -";
        FILE* reader = popen(command.c_str(), "r");
        EXPECT_NE(reader, nullptr) << "pdftotext (poppler-utils) did not run";
        if (reader == nullptr) return {};
        std::string text;
        char buffer[4096];
        for (std::size_t got; (got = std::fread(buffer, 1, sizeof buffer, reader)) > 0;)
            text.append(buffer, got);
        EXPECT_EQ(pclose(reader), 0) << "pdftotext (poppler-utils) failed";
        return QString::fromStdString(text);
    }
    static QByteArray Geometry(const QRect& frame, const QRect& client) {
        // QWidget::saveGeometry's layout, version 3.0.
        QByteArray bytes;
        QDataStream out(&bytes, QIODevice::WriteOnly);
        out.setVersion(QDataStream::Qt_4_0);
        out << quint32(0x1D9D0CB) << quint16(3) << quint16(0) << frame << client << qint32(0)
            << quint8(0) << quint8(0) << qint32(800) << client;
        return bytes;
    }
};

TEST_F(YearByYearInUse, ThePrintoutNamesThePlanAndNumbersItsPages) {
    YearByYearWindow& yby = open();
    settle(yby);
    const QTemporaryDir folder;
    const QString path = folder.filePath("schedule.pdf");
    yby.askPrinter = [&](QPrinter& printer) {
        printer.setOutputFormat(QPrinter::PdfFormat);
        printer.setOutputFileName(path);
        return true;
    };
    yby.print();
    const QStringList pages = PdfText(path).split('\f', Qt::SkipEmptyParts);
    ASSERT_GE(pages.size(), 2);
    QString first = pages[0];
    first.replace(QChar(0xFB01), "fi").replace(QChar(0xFB02), "fl");  // ligatures
    // One caption and its value a line, as the main window shows them (the
    // reader may close up the narrow space before a "%").
    const auto line = [&](const QString& caption, const std::string& value) {
        QString shownValue = QRegularExpression::escape(QString::fromStdString(value));
        shownValue.replace(QRegularExpression::escape(" %"), " ?%");
        const QRegularExpression shown(
            "^ *" + QRegularExpression::escape(caption) + " +" + shownValue + " *$",
            QRegularExpression::MultilineOption);
        EXPECT_TRUE(shown.match(first).hasMatch())
            << caption.toStdString() << " " << value << " not in:\n"
            << first.toStdString();
    };
    line("Current long-term savings and investments", text("Edit1"));
    line("Planned annual additional savings", text("Edit2"));
    line("Estimated investment return", text("Edit9") + " %");
    line("Estimated average inflation rate", text("Edit10") + " %");
    line("Planned annual retirement draw", text("Edit8") + " %");
    line("Years remaining before retirement", text("Edit11"));
    line("Savings available at retirement", text("Edit3"));
    line("Savings adjusted for inflation", text("Edit4"));
    line("Annual draw adjusted for inflation", text("Edit5"));
    line("Retirement years provided for", text("Edit6"));
    EXPECT_TRUE(first.simplified().contains(
        "simulated markets (31 %) the savings pay the full draw for 30 years."))
        << first.toStdString();
    // Column titles break between words, never inside one.
    EXPECT_TRUE(first.contains("percentile")) << first.toStdString();
    EXPECT_FALSE(first.contains("percenti ")) << first.toStdString();
    // Each page ends with its number.
    for (int p = 0; p < pages.size(); ++p)
        EXPECT_TRUE(pages[p].trimmed().endsWith(QString::number(p + 1))) << "page " << p + 1;
}

TEST_F(YearByYearInUse, ThePrintedChartFillsItsPicture) {
    YearByYearWindow& yby = open();
    yby.resize(960, 480);  // a wide, low chart on the screen
    QCoreApplication::processEvents();
    const QSize before = yby.chart().chart()->size().toSize();
    const QImage picture = PrintedChart(yby.chart());
    int first = picture.height(), last = -1;
    for (int y = 0; y < picture.height(); ++y)
        for (int x = 0; x < picture.width(); x += 4)
            if (picture.pixel(x, y) != qRgb(255, 255, 255)) {
                first = std::min(first, y);
                last = y;
                break;
            }
    EXPECT_LT(first, picture.height() / 10);
    EXPECT_GT(last, picture.height() * 9 / 10);
    EXPECT_EQ(yby.chart().chart()->size().toSize(), before);
}

// A resting pointer brings a tooltip event, which the chart's scene, having
// no tooltip of its own, answered by taking the year's figures away.
TEST_F(YearByYearInUse, TheTooltipStaysWhileThePointerRests) {
    YearByYearWindow& yby = open();
    ScheduleChart& chart = yby.chart();
    QCoreApplication::processEvents();
    const QPointF plot = chart.chart()->plotArea().center();
    const QPoint at = chart.mapFromScene(chart.chart()->mapToScene(plot));
    QTest::mouseMove(chart.viewport(), at);
    const QPointF value =
        chart.chart()->mapToValue(chart.chart()->mapFromScene(chart.mapToScene(at)));
    const QString tip = chart.tipAt(value.x());
    ASSERT_FALSE(tip.isEmpty());
    QHelpEvent rest(QEvent::ToolTip, at, chart.viewport()->mapToGlobal(at));
    QCoreApplication::sendEvent(chart.viewport(), &rest);
    EXPECT_TRUE(QToolTip::isVisible());
    EXPECT_EQ(QToolTip::text(), tip);
    QToolTip::hideText();
}

TEST_F(YearByYearInUse, APlanWithoutAnAnswerSaysSoAndKeepsWholeAxes) {
    YearByYearWindow& yby = open();
    settle(yby);
    edit("Edit1").setText("0");
    edit("Edit2").setText("0");
    settle(yby);
    edit("Edit9").setText("3");  // r = i and no savings: 0 ÷ 0
    ASSERT_TRUE(yby.showsFault());
    QTest::qWait(50);  // an answer to the plan before, had it been on its way, is dropped
    settle(yby);
    EXPECT_EQ(yby.simulation().sentence(), "The plan has no answer, so no markets are simulated.");
    EXPECT_EQ(yby.simulation().simulation(), nullptr);
    // The greyed chart is of the last plan with an answer, all 0: its
    // balance axis shows 0 and 1, not 0, 0, 0, 1, 1.
    const auto axes = yby.chart().chart()->axes(Qt::Vertical);
    ASSERT_EQ(axes.size(), 1);
    const auto* money = qobject_cast<QValueAxis*>(axes[0]);
    ASSERT_NE(money, nullptr);
    EXPECT_EQ(money->max(), 1);
    EXPECT_EQ(money->tickCount(), 2);

    edit("Edit9").setText("7.5");
    settle(yby);
    EXPECT_TRUE(yby.simulation().sentence().startsWith("In "))
        << yby.simulation().sentence().toStdString();
}

// The offscreen screen, 800 × 600, has room on neither side of the main
// window and no window manager.
TEST_F(YearByYearInUse, FirstOpensWhollyOnASmallScreen) {
    YearByYearWindow& yby = open();
    const QRect screen = yby.screen()->availableGeometry();
    EXPECT_TRUE(screen.contains(yby.frameGeometry()))
        << yby.frameGeometry().x() << "," << yby.frameGeometry().y() << " "
        << yby.frameGeometry().width() << "×" << yby.frameGeometry().height();
}

TEST_F(YearByYearInUse, ADamagedRememberedPlaceGivesTheFirstPlace) {
    const int huge = 2000000000;  // its right side still within int
    const QRect places[] = {QRect(40000, 40000, 700, 500), QRect(-9000, 20, 700, 500),
                            QRect(10, 10, huge, huge), QRect(huge, huge, 700, 500)};
    QRect first;
    for (const QRect& place : places) {
        YearByYearSettings saved;
        saved.geometry = Geometry(place, place);
        SaveYearByYearSettings(saved);
        YearByYearWindow& yby = open();
        const QRect screen = yby.screen()->availableGeometry();
        const QRect frame = yby.frameGeometry();
        EXPECT_TRUE(screen.contains(frame))
            << place.x() << "," << place.width() << ": " << frame.x() << "," << frame.y() << " "
            << frame.width() << "×" << frame.height();
        if (first.isNull()) first = yby.frameGeometry();
        EXPECT_EQ(yby.frameGeometry(), first);
        window.reset();
    }
    // A place on the screen, above the window's least size, is kept.
    YearByYearSettings saved;
    saved.geometry = Geometry(QRect(20, 30, 700, 660), QRect(20, 30, 700, 660));
    SaveYearByYearSettings(saved);
    EXPECT_EQ(open().geometry(), QRect(20, 30, 700, 660));
}

TEST_F(YearByYearInUse, SaveAndPrintStartInTheDocumentsFolderThenTheLastOne) {
    EXPECT_EQ(StartFolder(LoadYearByYearSettings()),
              QStandardPaths::writableLocation(QStandardPaths::DocumentsLocation));
    YearByYearWindow& yby = open();
    const QTemporaryDir csvFolder, pdfFolder;
    yby.askCsvPath = [&] { return csvFolder.filePath("plan.csv"); };
    yby.saveCsv();
    EXPECT_EQ(StartFolder(LoadYearByYearSettings()),
              QFileInfo(csvFolder.path()).absoluteFilePath());

    QString offered;
    yby.askPrinter = [&](QPrinter& printer) {
        offered = printer.outputFileName();
        printer.setOutputFormat(QPrinter::PdfFormat);
        printer.setOutputFileName(pdfFolder.filePath("plan.pdf"));
        return true;
    };
    yby.print();
    // Offscreen there is no printer: the dialog offers a PDF in the last folder.
    EXPECT_EQ(QFileInfo(offered).absolutePath(), QFileInfo(csvFolder.path()).absoluteFilePath());
    EXPECT_EQ(StartFolder(LoadYearByYearSettings()),
              QFileInfo(pdfFolder.path()).absoluteFilePath());
}

}  // namespace
}  // namespace nestora::testing
