// SPDX-License-Identifier: MIT
#include "ui/year_by_year/simulation_panel.h"

#include <QHBoxLayout>
#include <QLabel>
#include <QLocale>
#include <QPointer>
#include <QSpinBox>
#include <QVBoxLayout>
#include <algorithm>
#include <exception>
#include <thread>
#include <utility>

#include "projection/catch_point.h"
#include "schedule/simulation_note.h"
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

}  // namespace

SimulationPanel::SimulationPanel(Desktop& desktop, std::string title, QWidget* parent)
    : QWidget(parent), desktop_(desktop), title_(std::move(title)) {
    setObjectName("Simulation");
    const YearByYearSettings settings = LoadYearByYearSettings();
    auto* inputs = new QHBoxLayout;
    volatility_ = AddBox(*inputs, "Returns &vary by ±", "% a year", 0,
                         static_cast<int>(MaxVolatility * 100), settings.volatilityPercent);
    volatility_->setObjectName("Volatility");
    inputs->addSpacing(24);
    horizon_ = AddBox(*inputs, "Plan &for", "years of retirement", MinHorizon, MaxHorizon,
                      settings.horizon);
    horizon_->setObjectName("Horizon");
    inputs->addStretch(1);

    // What the simulation assumes, where the inputs are set.
    auto* assumption = new QLabel(
        "The return is the average yearly return, so the typical (median) market grows more "
        "slowly the more returns vary; inflation does not vary.");
    assumption->setObjectName("SimulationAssumption");
    assumption->setWordWrap(true);

    sentence_ = new QLabel;
    sentence_->setObjectName("SimulationSentence");
    sentence_->setWordWrap(true);
    sentence_->setTextInteractionFlags(Qt::TextSelectableByMouse);

    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->addLayout(inputs);
    layout->addWidget(assumption);
    layout->addWidget(sentence_);

    connect(volatility_, &QSpinBox::valueChanged, this, &SimulationPanel::inputsChanged);
    connect(horizon_, &QSpinBox::valueChanged, this, &SimulationPanel::inputsChanged);
    remember_.setSingleShot(true);
    remember_.setInterval(500);
    connect(&remember_, &QTimer::timeout, this, &SimulationPanel::remember);

    // The worker answers on its own thread; the answer is handed to this
    // thread, where it is dropped unless it is for the latest run. A panel
    // already gone takes its queued answers with it.
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

SimulationOptions SimulationPanel::options() const {
    SimulationOptions options;
    options.volatility = volatility_->value() / 100.0;
    options.horizon = horizon_->value();
    // One core stays with the window, so that typing never waits.
    options.threads = std::max(1, static_cast<int>(std::thread::hardware_concurrency()) - 1);
    return options;
}

QString SimulationPanel::sentence() const { return sentence_->text(); }

bool SimulationPanel::running() const {
    return plan_.has_value() && answered_ != worker_->latestTicket();
}

std::shared_ptr<const Simulation> SimulationPanel::answerNow() const {
    if (!running() || !plan_) return simulation_;
    try {
        return std::make_shared<const Simulation>(Simulate(*plan_, projection_, options()));
    } catch (const std::exception&) {
        return nullptr;  // the run on its way shows the fault
    }
}

void SimulationPanel::setPlan(const Plan& plan, const Projection& projection) {
    plan_ = plan;
    projection_ = projection;
    submit();
}

void SimulationPanel::planFaulted() {
    plan_.reset();
    simulation_.reset();
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
    settings.volatilityPercent = volatility_->value();
    settings.horizon = horizon_->value();
    SaveYearByYearSettings(settings);
}

void SimulationPanel::submit() {
    if (plan_) worker_->submit(*plan_, projection_, options());
}

void SimulationPanel::answer(const SimulationOutcome& outcome) {
    if (outcome.ticket != worker_->latestTicket()) return;  // a newer run is on its way
    if (!plan_) return;                                     // the plan faulted meanwhile
    answered_ = outcome.ticket;
    simulation_ = outcome.simulation;
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
