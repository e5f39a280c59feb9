// SPDX-License-Identifier: MIT
#include "ui/year_by_year/year_by_year_window.h"

#include <QApplication>
#include <QBuffer>
#include <QCheckBox>
#include <QClipboard>
#include <QDir>
#include <QFileDialog>
#include <QFileInfo>
#include <QGuiApplication>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QKeyEvent>
#include <QLabel>
#include <QLocale>
#include <QPdfWriter>
#include <QPrintDialog>
#include <QPrinter>
#include <QPrinterInfo>
#include <QPushButton>
#include <QScreen>
#include <QShowEvent>
#include <QStackedWidget>
#include <QStandardPaths>
#include <QStyle>
#include <QTableView>
#include <QTimer>
#include <QVBoxLayout>
#include <algorithm>

#include "number/errors.h"
#include "number/whole_file.h"
#include "projection/catch_point.h"
#include "schedule/history_table.h"
#include "schedule/schedule_csv.h"
#include "schedule/schedule_note.h"
#include "schedule/simulation_table.h"
#include "ui/year_by_year/first_place.h"
#include "ui/year_by_year/life_plan_panel.h"
#include "ui/year_by_year/schedule_chart.h"
#include "ui/year_by_year/schedule_model.h"
#include "ui/year_by_year/schedule_print.h"
#include "ui/year_by_year/simulation_panel.h"
#include "ui/year_by_year/solve_line.h"
#include "ui/year_by_year/year_by_year_settings.h"

namespace nestora {
namespace {

// Beside the main window the table keeps its six columns readable down to
// this width; narrower, the window opens in the screen's corner instead.
constexpr int NarrowestBeside = 600;
// Wide enough for the chart's legend with all six entries, and tall enough
// for the chart and eight rows of the table under "Your plan" and the
// markets on an 800-pixel screen.
constexpr QSize FirstSize{960, 740};
// The table's rows the window always shows.
constexpr int TableRowsShown = 8;

QList<QRect> Screens() {
    QList<QRect> screens;
    for (const QScreen* screen : QGuiApplication::screens())
        screens.push_back(screen->availableGeometry());
    return screens;
}

}  // namespace

YearByYearWindow::YearByYearWindow(Planner& planner, Desktop& desktop, std::string title,
                                   QWidget* parent)
    : QWidget(parent, Qt::Window),
      planner_(planner),
      desktop_(desktop),
      title_(std::move(title)),
      model_(new ScheduleModel(this)),
      table_(new QTableView),
      chart_(new ScheduleChart),
      nominal_(new QCheckBox("Show the &nominal balance")),
      stack_(new QStackedWidget),
      fault_(new QLabel),
      note_(new QLabel),
      save_(new QPushButton("&Save as CSV…")),
      copy_(new QPushButton("&Copy")),
      print_(new QPushButton("&Print…")),
      simulation_(new SimulationPanel(desktop, title_)),
      lifePlan_(new LifePlanPanel(planner.decimalSeparator())),
      solve_(new SolveLine(planner, *simulation_, &lifePlan_->spendBox(), desktop, title_)) {
    setObjectName("YearByYear");
    setWindowTitle("Year by Year");
    // The main window alone decides when the program ends.
    setAttribute(Qt::WA_QuitOnClose, false);
    resize(FirstSize);
    setUpTable();
    setUpChart();
    setUpButtons();
    layOut();
    askWithDialogs();

    // Starts from the main window's present state: calculate again (the same
    // texts in the same fields, so the main window shows no change) and hear
    // how it ends.
    planner_.setObserver(this);
    try {
        planner_.calculate();
    } catch (const Error&) {
        // calculateFaulted has shown it here; the main window showed it when it happened.
    }
}

// The table, and in its place the message of a plan that has no answer.
void YearByYearWindow::setUpTable() {
    table_->setObjectName("ScheduleTable");
    table_->setModel(model_);
    table_->setEditTriggers(QAbstractItemView::NoEditTriggers);
    table_->setSelectionMode(QAbstractItemView::ExtendedSelection);
    table_->verticalHeader()->hide();
    // One line a row, so that eight rows fit under the chart on a small screen.
    table_->verticalHeader()->setDefaultSectionSize(table_->fontMetrics().height() + 8);
    table_->horizontalHeader()->setStretchLastSection(true);
    // Eight whole rows under the header, whatever else the window shows:
    // the chart gives way. The header is about a row high; the scroll bar
    // under the columns takes its own.
    const int row = table_->verticalHeader()->defaultSectionSize();
    stack_->setMinimumHeight((TableRowsShown + 1) * row +
                             table_->style()->pixelMetric(QStyle::PM_ScrollBarExtent) +
                             2 * table_->frameWidth() + 4);
    table_->setAlternatingRowColors(true);
    table_->setAccessibleName("Year by year schedule");
    // Ctrl+C copies the selected block; the view alone would copy one cell.
    table_->installEventFilter(this);

    fault_->setObjectName("ScheduleFault");
    fault_->setAlignment(Qt::AlignCenter);
    fault_->setWordWrap(true);
    stack_->addWidget(table_);
    stack_->addWidget(fault_);
    note_->setObjectName("ScheduleNote");
    note_->setWordWrap(true);
}

void YearByYearWindow::setUpChart() {
    chart_->setAccessibleName("Balance by year chart");
    nominal_->setObjectName("ShowNominal");
    connect(nominal_, &QCheckBox::toggled, chart_, &ScheduleChart::setNominalShown);
    // The chart's lines follow the table within a moment: while the user
    // types, they are redrawn at most once per interval, after the keystroke
    // and not on its way.
    chartTimer_.setSingleShot(true);
    chartTimer_.setInterval(40);
    connect(&chartTimer_, &QTimer::timeout, this, &YearByYearWindow::drawChart);
}

void YearByYearWindow::setUpButtons() {
    save_->setObjectName("SaveCsv");
    copy_->setObjectName("CopyTable");
    print_->setObjectName("PrintSchedule");
    connect(save_, &QPushButton::clicked, this, &YearByYearWindow::saveCsv);
    connect(copy_, &QPushButton::clicked, this, &YearByYearWindow::copyTable);
    connect(print_, &QPushButton::clicked, this, &YearByYearWindow::print);
    connect(simulation_, &SimulationPanel::simulated, this,
            [this] { RunCaught(desktop_, title_, [this] { showTable(true); }); });
    connect(lifePlan_, &LifePlanPanel::changed, this, &YearByYearWindow::lifePlanChanged);
}

// The chart over the simulation's inputs, the buttons, the table and its
// note; Tab goes from the inputs to the table and on to the buttons.
void YearByYearWindow::layOut() {
    auto* buttons = new QHBoxLayout;
    buttons->addWidget(nominal_);
    buttons->addStretch(1);
    buttons->addWidget(save_);
    buttons->addWidget(copy_);
    buttons->addWidget(print_);
    auto* layout = new QVBoxLayout(this);
    // Close rows, so that the chart, every input and eight rows of the
    // table fit a 1280 × 800 screen beside the main window.
    layout->setSpacing(4);
    layout->setContentsMargins(8, 6, 8, 6);
    layout->addWidget(chart_, 5);
    layout->addWidget(lifePlan_);
    layout->addWidget(simulation_);
    layout->addWidget(solve_);
    layout->addLayout(buttons);
    layout->addWidget(stack_, 4);
    layout->addWidget(note_);
    setTabOrder(lifePlan_, simulation_);
    setTabOrder(simulation_, solve_);
    setTabOrder(solve_, table_);
    setTabOrder(table_, nominal_);
    setTabOrder(nominal_, save_);
    setTabOrder(save_, copy_);
    setTabOrder(copy_, print_);
}

void YearByYearWindow::askWithDialogs() {
    askCsvPath = [this] {
        const QString folder = StartFolder(LoadYearByYearSettings());
        return QFileDialog::getSaveFileName(this, "Save as CSV",
                                            QDir(folder).filePath("nestora-schedule.csv"),
                                            "CSV files (*.csv);;All files (*)");
    };
    askPrinter = [this](QPrinter& printer) {
        QPrintDialog dialog(&printer, this);
        return dialog.exec() == QDialog::Accepted;
    };
}

YearByYearWindow::~YearByYearWindow() {
    if (planner_.observer() == this) planner_.setObserver(nullptr);
}

bool YearByYearWindow::eventFilter(QObject* watched, QEvent* event) {
    if (watched == table_ && event->type() == QEvent::KeyPress &&
        static_cast<QKeyEvent*>(event)->matches(QKeySequence::Copy)) {
        copySelection();
        return true;
    }
    return QWidget::eventFilter(watched, event);
}

void YearByYearWindow::calculated(const Plan& plan, const Projection& projection) {
    planFaulted_ = false;
    if (!isVisible()) {
        behind_ = true;
        return;
    }
    refresh(plan, projection, false);
}

void YearByYearWindow::calculateFaulted(const std::string& message) {
    behind_ = false;
    planFaulted_ = true;
    simulation_->planFaulted();
    solve_->planFaulted();
    showFault(message);
}

void YearByYearWindow::showEvent(QShowEvent* event) {
    if (!placed_ && !event->spontaneous()) {
        // The first time: where the user left it last time, or else where it
        // leaves the main window in sight (FirstPlace), no larger than the
        // screen.
        placed_ = true;
        const QString refusal = YearByYearSettingsRefusal();
        refusedSettings_ = !refusal.isEmpty();
        if (refusedSettings_) reportLater(refusal.toStdString());
        // Where the user left it, unless that is far off every screen now or
        // the remembered size is absurd (Qt would pull such a window back only
        // partly into sight).
        const QByteArray place = LoadYearByYearSettings().geometry;
        const std::optional<QRect> frame = SavedFrame(place);
        if (!frame || !SensiblePlace(*frame, Screens()) || !restoreGeometry(place))
            placeFirstTime();
    }
    if (behind_) refresh(planner_.plan, planner_.projection, true);
    QWidget::showEvent(event);
    if (!event->spontaneous())
        (showsFault() ? static_cast<QWidget*>(nominal_) : table_)->setFocus();
}

// Beside the window it was opened from (the active one when its menu item
// is chosen), wholly on its screen, framed or not.
void YearByYearWindow::placeFirstTime() {
    const QWidget* opener = QApplication::activeWindow();
    if (opener == this) opener = nullptr;
    const QScreen* screen = opener != nullptr ? opener->screen() : QGuiApplication::primaryScreen();
    if (screen == nullptr) return;
    const FrameGuess frame{.border = 4, .title = 32};
    const QRect room = screen->availableGeometry();
    const QRect first =
        KeptInside(room,
                   FirstPlace(room, opener != nullptr ? opener->frameGeometry() : QRect(),
                              FirstSize, NarrowestBeside, frame),
                   minimumSizeHint(), frame);
    resize(first.size());
    move(first.topLeft());
}

void YearByYearWindow::hideEvent(QHideEvent* event) {
    YearByYearSettings settings = LoadYearByYearSettings();
    settings.geometry = saveGeometry();
    if (!SaveYearByYearSettings(settings) && !refusedSettings_)
        reportLater("Cannot save " + YearByYearSettingsPath().toStdString() +
                    ": Year by Year's size and place are not remembered");
    QWidget::hideEvent(event);
}

void YearByYearWindow::refresh(const Plan& plan, const Projection& projection, bool chartNow) {
    behind_ = false;
    try {
        const LifePlan& life = lifePlan_->lifePlan();
        const Schedule schedule = MakeSchedule(plan, projection, life);
        schedule_ = schedule;
        start_ = fp::toDouble(plan.CurrentSavings);
        // Until the simulation of this plan answers, a few milliseconds on,
        // the table keeps the simulation's figures of the plan before.
        showTable(false);
        simulation_->setPlan(plan, projection, life);
        solve_->setPlan(plan, life);
        chartPlan_ = plan;
        chartSchedule_ = schedule;
        chartPending_ = true;
        if (chartNow)
            drawChart();
        else if (!chartTimer_.isActive())
            chartTimer_.start();
        QString notes;
        for (const std::string& note : ScheduleNotes(plan, schedule, CalendarYearNow())) {
            if (!notes.isEmpty()) notes += ' ';
            notes += QString::fromStdString(note);
        }
        note_->setText(notes);
    } catch (const Error& fault) {
        showFault(fault.message());
        return;
    } catch (const std::exception& fault) {
        showFault(fault.what());
        return;
    }
    chart_->setStale(false);
    stack_->setCurrentWidget(table_);
    for (QPushButton* button : {save_, copy_, print_}) button->setEnabled(true);
}

void YearByYearWindow::showTable(bool withBand) {
    if (!schedule_) return;
    ScheduleTable table = MakeScheduleTable(*schedule_, CalendarYearNow());
    const History* history = simulation_->history().get();
    const Simulation* band = simulation_->band();
    if (history != nullptr)
        AddHistoryColumns(table, *history);
    else if (band != nullptr)
        AddSimulationColumns(table, *band);
    const bool newColumns = table.columns.size() != model_->table().columns.size();
    model_->setTable(std::move(table));
    if (newColumns) fitColumns();
    // The band only when the simulation answers: redrawing chart lines costs
    // a millisecond, too much for every keystroke.
    if (withBand) chart_->setSimulation(band, start_, history);
}

// Each column as wide as its title or a nine-digit amount, whichever is
// wider: measured once per set of columns, not on every keystroke.
void YearByYearWindow::fitColumns() {
    QHeaderView& header = *table_->horizontalHeader();
    const QFontMetrics metrics(header.font());
    const int number = metrics.horizontalAdvance(QLocale().toString(999999999.0, 'f', 0));
    for (int c = 0; c < model_->columnCount(); ++c) {
        const QString title = model_->headerData(c, Qt::Horizontal).toString();
        header.resizeSection(c,
                             std::max(metrics.horizontalAdvance(title), c == 0 ? 0 : number) + 24);
    }
}

void YearByYearWindow::drawChart() {
    chartTimer_.stop();
    if (!chartPending_) return;
    chartPending_ = false;
    chart_->setSchedule(chartPlan_, chartSchedule_);
}

void YearByYearWindow::showFault(const std::string& message) {
    drawChart();  // the last good plan's lines, greyed out below
    fault_->setText(QString::fromStdString(ErrorBoxText(message)));
    stack_->setCurrentWidget(fault_);
    note_->clear();
    chart_->setStale(true);
    // Nothing to save, copy or print until the plan is sound again.
    for (QPushButton* button : {save_, copy_, print_}) button->setEnabled(false);
}

void YearByYearWindow::lifePlanChanged() {
    if (planFaulted_) return;
    if (!isVisible())
        behind_ = true;
    else
        refresh(planner_.plan, planner_.projection, false);
}

bool YearByYearWindow::showsFault() const { return stack_->currentWidget() == fault_; }
QString YearByYearWindow::faultText() const { return fault_->text(); }
QString YearByYearWindow::noteText() const { return note_->text(); }

void YearByYearWindow::copyTable() {
    const int rows = model_->rowCount(), columns = model_->columnCount();
    QGuiApplication::clipboard()->setText(TabText(*model_, 0, rows - 1, 0, columns - 1, true));
}

void YearByYearWindow::copySelection() {
    const QString text = SelectionTabText(*model_, table_->selectionModel()->selectedIndexes());
    if (!text.isEmpty()) QGuiApplication::clipboard()->setText(text);
}

void YearByYearWindow::saveCsv() {
    if (showsFault()) return;
    const QString path = askCsvPath ? askCsvPath() : QString();
    if (!path.isEmpty() && writeCsv(path)) rememberFolder(path);
}

void YearByYearWindow::rememberFolder(const QString& file) {
    YearByYearSettings settings = LoadYearByYearSettings();
    settings.folder = QFileInfo(file).absolutePath();
    SaveYearByYearSettings(settings);
}

ScheduleTable YearByYearWindow::tableOfOnePlan() const {
    if (!schedule_ || !simulation_->running()) return model_->table();
    ScheduleTable table = MakeScheduleTable(*schedule_, CalendarYearNow());
    if (const auto simulation = simulation_->answerNow()) AddSimulationColumns(table, *simulation);
    return table;
}

bool YearByYearWindow::writeCsv(const QString& path, FileSystem& files) {
    return writeOrReport(path, ScheduleCsv(tableOfOnePlan()), files);
}

bool YearByYearWindow::writeOrReport(const QString& path, const std::string& bytes,
                                     FileSystem& files) {
    const std::int32_t code = WriteWholeFile(files, QFile::encodeName(path).toStdString(), bytes);
    if (code != 0)
        desktop_.errorBox(
            title_, ErrorBoxText("Cannot save " + QDir::toNativeSeparators(path).toStdString() +
                                 ": " + WriteFailureText(code)));
    return code == 0;
}

void YearByYearWindow::reportLater(const std::string& message) {
    QTimer::singleShot(0, this,
                       [this, message] { desktop_.errorBox(title_, ErrorBoxText(message)); });
}

void YearByYearWindow::print() {
    if (showsFault()) return;
    drawChart();
    QPrinter printer(QPrinter::HighResolution);
    printer.setDocName("Year by Year");
    // With no printer to print on, the dialog offers a PDF, named in the
    // folder of the last saved file.
    if (QPrinterInfo::defaultPrinter().isNull())
        printer.setOutputFileName(
            QDir(StartFolder(LoadYearByYearSettings())).filePath("nestora-schedule.pdf"));
    if (!askPrinter || !askPrinter(printer)) return;
    if (printer.outputFormat() == QPrinter::PdfFormat && !printer.outputFileName().isEmpty())
        rememberFolder(printer.outputFileName());
    printOn(printer);
}

void YearByYearWindow::printOn(QPrinter& printer, FileSystem& files) {
    const PrintedPlan plan = DescribePlan(planner_, simulation_->sentence());
    if (printer.outputFormat() != QPrinter::PdfFormat || printer.outputFileName().isEmpty()) {
        PrintSchedule(printer, *model_, *chart_, plan, note_->text());
        return;
    }
    // Qt's PDF engine writes the file as it goes and keeps quiet when the
    // disk refuses a part of it: the PDF is made in memory instead.
    QBuffer pdf;
    pdf.open(QIODevice::WriteOnly);
    {
        QPdfWriter writer(&pdf);
        writer.setPageLayout(printer.pageLayout());
        writer.setResolution(printer.resolution());
        writer.setTitle(printer.docName());
        writer.setCreator(printer.creator());
        PrintSchedule(writer, *model_, *chart_, plan, note_->text());
    }
    writeOrReport(printer.outputFileName(), pdf.data().toStdString(), files);
}

}  // namespace nestora
