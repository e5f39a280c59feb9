// SPDX-License-Identifier: MIT
// One keystroke in an entry field without painting: the textChanged of a
// real QLineEdit, the handler run, calculate and the four result texts,
// through the same binding the main window uses. Beside it, in the same run,
// bare QLineEdit::setText calls of the same five texts (the entry's and the
// four results'), which is what the toolkit costs on that road anyway. The
// ratio printed at the end is the share of our own logic.
//
// The same keystroke with the Year by Year window open (shown, offscreen),
// which each calculate refreshes: the schedule and its table on the
// keystroke's way, the chart's lines at most every 40 ms after it. Its ratio
// to the plain keystroke is what the open window adds to typing; the last
// benchmark also draws the chart's lines after every keystroke (still
// without painting), as when keystrokes come slower than that.
#include <benchmark/benchmark.h>

#include <QApplication>
#include <QLineEdit>
#include <QSettings>
#include <QTemporaryDir>
#include <array>
#include <cstdio>
#include <memory>
#include <string>
#include <vector>

#include "bench/ratio_reporter.h"
#include "number/arith.h"
#include "projection/planner.h"
#include "support/loose_edit_boxes.h"
#include "support/quiet_desktop.h"
#include "ui/line_edit_field.h"
#include "ui/year_by_year/life_plan_panel.h"
#include "ui/year_by_year/schedule_model.h"
#include "ui/year_by_year/year_by_year_window.h"

namespace {

using namespace nestora;

// The main window's ten edit boxes bound to a planner, never shown.
struct BoundEdits {
    testing::QuietDesktop desktop;  // no keystroke below brings a box or a beep
    Planner planner{desktop};
    testing::LooseEditBoxes boxes{planner, "Nestora"};

    BoundEdits() {
        planner.plan = DefaultPlan();
        planner.calculate();
    }
};

// Two entries typed in turn, so that every keystroke is a real change.
const std::array<QString, 2> kTyped = {QStringLiteral("65001"), QStringLiteral("65000")};

void BM_Keystroke(benchmark::State& state) {
    BoundEdits window;
    QLineEdit& edit1 = *window.boxes.entries[0];
    std::size_t turn = 0;
    for (auto _ : state) {
        edit1.setText(kTyped[turn]);
        turn ^= 1;
    }
    benchmark::DoNotOptimize(window.planner.projection.SavingsAtRetirement);
}

void BM_KeystrokeYearByYearOpen(benchmark::State& state) {
    BoundEdits window;
    YearByYearWindow yearByYear(window.planner, window.desktop, "Nestora");
    yearByYear.show();
    QLineEdit& edit1 = *window.boxes.entries[0];
    std::size_t turn = 0;
    for (auto _ : state) {
        edit1.setText(kTyped[turn]);
        turn ^= 1;
    }
    benchmark::DoNotOptimize(yearByYear.model().rowCount());
}

// The same with "Your plan" set: an age, growing savings, two income
// streams, a one-off sum and guardrails, so that the schedule follows the
// year rule and the simulation (on its own thread) every path of it.
void BM_KeystrokeYearByYearLifePlan(benchmark::State& state) {
    BoundEdits window;
    YearByYearWindow yearByYear(window.planner, window.desktop, "Nestora");
    LifePlanTexts life;
    life.age = "45";
    life.growth = "2";
    life.rule = SpendingRule::Guardrails;
    life.incomes = {
        {.name = "State pension", .amount = "14000", .from = "a67", .to = "", .indexed = true},
        {.name = "Annuity", .amount = "6000", .from = "a65", .to = "a85", .indexed = false}};
    life.oneOffs = {{.amount = "-25000", .at = "a50"}};
    yearByYear.lifePlan().setTexts(life);
    yearByYear.show();
    QLineEdit& edit1 = *window.boxes.entries[0];
    std::size_t turn = 0;
    for (auto _ : state) {
        edit1.setText(kTyped[turn]);
        turn ^= 1;
    }
    benchmark::DoNotOptimize(yearByYear.model().rowCount());
}

void BM_KeystrokeAndChartLines(benchmark::State& state) {
    BoundEdits window;
    YearByYearWindow yearByYear(window.planner, window.desktop, "Nestora");
    yearByYear.show();
    QLineEdit& edit1 = *window.boxes.entries[0];
    std::size_t turn = 0;
    for (auto _ : state) {
        edit1.setText(kTyped[turn]);
        yearByYear.drawChart();
        turn ^= 1;
    }
    benchmark::DoNotOptimize(yearByYear.model().rowCount());
}

void BM_BareSetText(benchmark::State& state) {
    // The texts the keystroke shows, taken from the bound window.
    std::array<std::array<QString, 5>, 2> shown;
    {
        BoundEdits window;
        for (std::size_t t = 0; t < 2; ++t) {
            window.boxes.entries[0]->setText(kTyped[t]);
            shown[t][0] = kTyped[t];
            for (std::size_t k = 0; k < 4; ++k) shown[t][1 + k] = window.boxes.results[k]->text();
        }
    }
    std::array<std::unique_ptr<QLineEdit>, 5> edits;
    for (std::size_t k = 0; k < 5; ++k) edits[k] = std::make_unique<QLineEdit>(shown[1][k]);
    std::size_t turn = 0;
    for (auto _ : state) {
        for (std::size_t k = 0; k < 5; ++k) edits[k]->setText(shown[turn][k]);
        turn ^= 1;
    }
}

BENCHMARK(BM_Keystroke);
BENCHMARK(BM_KeystrokeYearByYearOpen);
BENCHMARK(BM_KeystrokeYearByYearLifePlan);
BENCHMARK(BM_KeystrokeAndChartLines);
BENCHMARK(BM_BareSetText);

}  // namespace

int main(int argc, char** argv) {
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
    InitArithmetic();
    int qtArgc = 1;
    char name[] = "bench_ui_keystroke";
    char* qtArgv[] = {name, nullptr};
    QApplication app(qtArgc, qtArgv);
    // Year by Year's remembered inputs in a folder of the run's own, never the user's.
    const QTemporaryDir settings;
    QSettings::setPath(QSettings::NativeFormat, QSettings::UserScope, settings.path());

    benchmark::Initialize(&argc, argv);
    if (benchmark::ReportUnrecognizedArguments(argc, argv)) return 1;
    // Processor time, since the wall clock of a shared machine also counts
    // other processes.
    nestora::bench::RatioReporter reporter;
    benchmark::RunSpecifiedBenchmarks(&reporter);
    benchmark::Shutdown();

    if (const auto r = reporter.ratio("BM_KeystrokeYearByYearOpen", "BM_Keystroke"))
        std::printf("keystroke with Year by Year open / without: %.2f\n", *r);
    if (const auto r = reporter.ratio("BM_KeystrokeYearByYearLifePlan", "BM_Keystroke"))
        std::printf("keystroke with Year by Year open and your plan set / without: %.2f\n", *r);
    if (const auto r = reporter.ratio("BM_KeystrokeAndChartLines", "BM_Keystroke"))
        std::printf("keystroke and the chart's lines / keystroke without: %.2f\n", *r);
    if (const auto r = reporter.ratio("BM_Keystroke", "BM_BareSetText")) {
        std::printf("keystroke / bare setText: %.2f\n", *r);
        std::printf("our logic (keystroke - bare) / bare setText: %.2f\n", *r - 1);
    }
    return 0;
}
