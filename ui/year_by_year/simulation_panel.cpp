// SPDX-License-Identifier: MIT
#include "ui/year_by_year/simulation_panel.h"

#include <QComboBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLocale>
#include <QPointer>
#include <QSpinBox>
#include <QVBoxLayout>
#include <algorithm>
#include <cmath>
#include <exception>
#include <initializer_list>
#include <thread>
#include <utility>

#include "projection/catch_point.h"
#include "schedule/history_note.h"
#include "schedule/simulation_note.h"
#include "schedule/us_markets.h"
#include "ui/year_by_year/year_by_year_settings.h"

namespace nestora {

namespace {

// "Returns vary by ±[12] % a year": the label before the box carries its
// mnemonic and, with the text after it, the box's accessible name.
QSpinBox* AddBox(QHBoxLayout& row, const QString& before, const QString& after, int lowest,
                 int highest, int value) {
    auto* box = new QSpinBox;
    box->setRange(lowest, highest);
    box->setValue(value);
    auto* label = new QLabel(before);
    label->setBuddy(box);
    box->setAccessibleName(QString(before).remove('&') + " " + after);
    row.addWidget(label);
    row.addWidget(box);
    row.addWidget(new QLabel(after));
    return box;
}

// What the simulation assumes, where the inputs are set.
QLabel* MakeAssumption() {
    auto* assumption = new QLabel(
        "The return is the average yearly return, so the typical (median) market grows more "
        "slowly the more returns vary; inflation does not vary.");
    assumption->setObjectName("SimulationAssumption");
    assumption->setWordWrap(true);
    return assumption;
}

}  // namespace

SimulationPanel::SimulationPanel(Desktop& desktop, std::string title, QWidget* parent)
    : QWidget(parent), desktop_(desktop), title_(std::move(title)) {
    setObjectName("Simulation");
    const YearByYearSettings settings = LoadYearByYearSettings();
    QHBoxLayout* inputs = makeMarketsRow(settings);
    QHBoxLayout* varying = makeVaryingRow(settings);
    QLabel* assumption = MakeAssumption();

    sentence_ = new QLabel;
    sentence_->setObjectName("SimulationSentence");
    sentence_->setWordWrap(true);
    sentence_->setTextInteractionFlags(Qt::TextSelectableByMouse);

    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->addLayout(inputs);
    layout->addLayout(varying);
    layout->addWidget(assumption);
    layout->addWidget(sentence_);

    connect(markets_, &QComboBox::currentIndexChanged, this, &SimulationPanel::inputsChanged);
    connect(stocks_, &QSpinBox::valueChanged, this, &SimulationPanel::inputsChanged);
    connect(volatility_, &QSpinBox::valueChanged, this, &SimulationPanel::inputsChanged);
    connect(horizon_, &QSpinBox::valueChanged, this, &SimulationPanel::inputsChanged);
    remember_.setSingleShot(true);
    remember_.setInterval(500);
    connect(&remember_, &QTimer::timeout, this, &SimulationPanel::remember);
    startWorker();
}

QHBoxLayout* SimulationPanel::makeMarketsRow(const YearByYearSettings& settings) {
    auto* inputs = new QHBoxLayout;
    markets_ = new QComboBox;
    markets_->setObjectName("Markets");
    markets_->addItem("simulated");
    markets_->addItem(QString("history since %1").arg(UsMarkets().front().year));
    markets_->setCurrentIndex(settings.markets == Markets::History ? 1 : 0);
    auto* marketsLabel = new QLabel("&Markets:");
    marketsLabel->setBuddy(markets_);
    markets_->setAccessibleName("Markets");
    inputs->addWidget(marketsLabel);
    inputs->addWidget(markets_);
    stocks_ = AddBox(*inputs, "S&tocks", "%", 0, 100, settings.stockPercent);
    stocks_->setObjectName("Stocks");
    inputs->addStretch(1);
    return inputs;
}

// The volatility and the horizon on a row of their own, so that the window
// can stay as narrow as before.
QHBoxLayout* SimulationPanel::makeVaryingRow(const YearByYearSettings& settings) {
    auto* varying = new QHBoxLayout;
    volatility_ = AddBox(*varying, "Returns &vary by ±", "% a year", 0,
                         static_cast<int>(MaxVolatility * 100), settings.volatilityPercent);
    volatility_->setObjectName("Volatility");
    varying->addSpacing(24);
    horizon_ = AddBox(*varying, "Plan &for", "years of retirement", MinHorizon, MaxHorizon,
                      settings.horizon);
    horizon_->setObjectName("Horizon");
    varying->addStretch(1);
    return varying;
}

// The worker answers on its own thread; the answer is handed to this thread,
// where it is dropped unless it is for the latest run. A panel already gone
// takes its queued answers with it.
void SimulationPanel::startWorker() {
    QPointer<SimulationPanel> self(this);
    worker_ = std::make_unique<SimulationWorker>([self](SimulationOutcome outcome) {
        QMetaObject::invokeMethod(
            self.data(),
            [self, outcome] {
                if (self) self->answer(outcome);
            },
            Qt::QueuedConnection);
    });
}

SimulationPanel::~SimulationPanel() {
    if (!remember_.isActive()) return;
    try {
        remember();
    } catch (...) {
        // A settings file that cannot be written loses the last inputs only.
    }
}

bool SimulationPanel::historyChosen() const { return markets_->currentIndex() == 1; }

HistoryOptions SimulationPanel::historyOptions() const {
    HistoryOptions options;
    options.stockShare = stocks_->value() / 100.0;
    options.horizon = horizon_->value();
    return options;
}

const Simulation* SimulationPanel::band() const {
    if (historyChosen()) return history_ ? &history_->summary : nullptr;
    return simulation_.get();
}

SimulationOptions SimulationPanel::options() const {
    SimulationOptions options;
    options.volatility = volatility_->value() / 100.0;
    options.horizon = horizon_->value();
    options.paths = paths_;
    options.seed = seed_;
    // One core stays with the window, so that typing never waits.
    options.threads = std::max(1, static_cast<int>(std::thread::hardware_concurrency()) - 1);
    return options;
}

void SimulationPanel::takeDocument(const PlanDocument& document) {
    for (QWidget* box : std::initializer_list<QWidget*>{markets_, stocks_, volatility_, horizon_})
        box->blockSignals(true);
    markets_->setCurrentIndex(document.markets == PlanMarkets::History ? 1 : 0);
    stocks_->setValue(static_cast<int>(std::lround(document.stockPercent)));
    volatility_->setValue(static_cast<int>(std::lround(document.volatilityPercent)));
    horizon_->setValue(document.horizon);
    paths_ = document.paths;
    seed_ = document.seed;
    for (QWidget* box : std::initializer_list<QWidget*>{markets_, stocks_, volatility_, horizon_})
        box->blockSignals(false);
    inputsChanged();
}

void SimulationPanel::fillDocument(PlanDocument& document) const {
    document.markets = historyChosen() ? PlanMarkets::History : PlanMarkets::Simulated;
    document.stockPercent = stocks_->value();
    document.volatilityPercent = volatility_->value();
    document.horizon = horizon_->value();
    document.paths = paths_;
    document.seed = seed_;
}

QString SimulationPanel::sentence() const { return sentence_->text(); }

bool SimulationPanel::running() const {
    // History answers at once, on this thread.
    return !historyChosen() && plan_.has_value() && answered_ != worker_->latestTicket();
}

std::shared_ptr<const Simulation> SimulationPanel::answerNow() const {
    if (!running() || !plan_) return simulation_;
    try {
        return std::make_shared<const Simulation>(Simulate(*plan_, projection_, options(), life_));
    } catch (const std::exception&) {
        return nullptr;  // the run on its way shows the fault
    }
}

void SimulationPanel::setPlan(const Plan& plan, const Projection& projection,
                              const LifePlan& life) {
    plan_ = plan;
    projection_ = projection;
    life_ = life;
    submit();
}

void SimulationPanel::planFaulted() {
    plan_.reset();
    simulation_.reset();
    history_.reset();
    sentence_->setText("The plan has no answer, so no markets are simulated.");
    emit simulated();
}

void SimulationPanel::inputsChanged() {
    remember_.start();
    RunCaught(desktop_, title_, [&] { submit(); });
}

void SimulationPanel::remember() {
    remember_.stop();
    YearByYearSettings settings = LoadYearByYearSettings();
    settings.markets = historyChosen() ? Markets::History : Markets::Simulated;
    settings.stockPercent = stocks_->value();
    settings.volatilityPercent = volatility_->value();
    settings.horizon = horizon_->value();
    SaveYearByYearSettings(settings);
}

void SimulationPanel::submit() {
    volatility_->setEnabled(!historyChosen());
    stocks_->setEnabled(historyChosen());
    if (historyChosen())
        runHistory();
    else if (plan_) {
        history_.reset();
        worker_->submit(*plan_, projection_, options(), life_);
    }
}

void SimulationPanel::runHistory() {
    if (!plan_) return;
    std::string fault;
    try {
        history_ = std::make_shared<const History>(
            RunHistory(*plan_, projection_, historyOptions(), life_));
    } catch (const std::exception& e) {
        history_.reset();
        fault = e.what();
    }
    if (history_) {
        const QLocale locale;
        sentence_->setText(QString::fromStdString(HistorySentence(*history_, [&](std::int64_t n) {
            return locale.toString(static_cast<qlonglong>(n)).toStdString();
        })));
    } else {
        sentence_->setText(QString::fromStdString(ErrorBoxText(fault)));
    }
    emit simulated();
}

void SimulationPanel::answer(const SimulationOutcome& outcome) {
    if (outcome.ticket != worker_->latestTicket()) return;  // a newer run is on its way
    if (!plan_) return;                                     // the plan faulted meanwhile
    answered_ = outcome.ticket;
    simulation_ = outcome.simulation;
    if (historyChosen()) return;  // a run from before history was chosen
    if (simulation_) {
        const QLocale locale;
        sentence_->setText(
            QString::fromStdString(SimulationSentence(*simulation_, [&](std::int64_t n) {
                return locale.toString(static_cast<qlonglong>(n)).toStdString();
            })));
    } else {
        sentence_->setText(QString::fromStdString(ErrorBoxText(outcome.error)));
    }
    emit simulated();
}

}  // namespace nestora
