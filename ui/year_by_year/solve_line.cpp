// SPDX-License-Identifier: MIT
#include "ui/year_by_year/solve_line.h"

#include <QComboBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QLocale>
#include <QPointer>
#include <QPushButton>
#include <QSpinBox>
#include <utility>

#include "projection/catch_point.h"
#include "schedule/solve_note.h"
#include "ui/year_by_year/simulation_panel.h"
#include "ui/year_by_year/year_by_year_settings.h"

namespace nestora {

namespace {

constexpr SolveFor Quantities[] = {SolveFor::Draw, SolveFor::Spend, SolveFor::Retire,
                                   SolveFor::Saving};

QLabel* Buddied(const QString& text, QWidget* buddy) {
    auto* label = new QLabel(text);
    label->setBuddy(buddy);
    return label;
}

}  // namespace

SolveLine::SolveLine(Planner& planner, const SimulationPanel& markets, QLineEdit* spending,
                     Desktop& desktop, std::string title, QWidget* parent)
    : QWidget(parent),
      planner_(planner),
      markets_(markets),
      spending_(spending),
      desktop_(desktop),
      title_(std::move(title)) {
    setObjectName("Solve");
    makeRow();
    followMarkets();
    remember_.setSingleShot(true);
    remember_.setInterval(500);
    connect(&remember_, &QTimer::timeout, this, &SolveLine::remember);
    updateApply();
}

// "Solve for [draw ▾] so that [90] % of markets last 30 years", the
// sentence, Apply.
void SolveLine::makeRow() {
    const YearByYearSettings settings = LoadYearByYearSettings();
    quantity_ = new QComboBox;
    quantity_->setObjectName("SolveFor");
    quantity_->setAccessibleName("Solve for");
    for (const SolveFor quantity : Quantities) {
        quantity_->addItem(SolveForName(quantity), static_cast<int>(quantity));
        if (quantity == settings.solveFor) quantity_->setCurrentIndex(quantity_->count() - 1);
    }
    success_ = new QSpinBox;
    success_->setObjectName("SuccessLevel");
    success_->setRange(MinSuccessPercent, MaxSuccessPercent);
    success_->setValue(settings.successPercent);
    horizon_ = new QLabel;
    horizon_->setObjectName("SolveHorizon");
    // Alt+F reaches the box from the keyboard; Tab goes on to Apply.
    horizon_->setTextInteractionFlags(Qt::LinksAccessibleByMouse);
    horizon_->setToolTip("The years of retirement to plan for: Plan for, above (Alt+F)");
    sentence_ = new QLabel;
    sentence_->setObjectName("SolveSentence");
    sentence_->setWordWrap(true);
    sentence_->setTextInteractionFlags(Qt::TextSelectableByMouse);
    apply_ = new QPushButton("&Apply");
    apply_->setObjectName("ApplySolved");

    auto* row = new QHBoxLayout(this);
    row->setContentsMargins(0, 0, 0, 0);
    row->addWidget(Buddied("S&olve for", quantity_));
    row->addWidget(quantity_);
    row->addWidget(Buddied("so t&hat", success_));
    row->addWidget(success_);
    row->addWidget(horizon_);
    row->addSpacing(12);
    row->addWidget(sentence_, 1);
    row->addWidget(apply_);

    connect(quantity_, &QComboBox::currentIndexChanged, this, &SolveLine::inputsChanged);
    connect(success_, &QSpinBox::valueChanged, this, &SolveLine::inputsChanged);
    connect(apply_, &QPushButton::clicked, this, &SolveLine::apply);
    // The horizon's link leads to the box that sets it.
    connect(horizon_, &QLabel::linkActivated, this,
            [this] { markets_.horizonBox().setFocus(Qt::OtherFocusReason); });
}

// The markets and the horizon are the panel's: a change there is a change here.
void SolveLine::followMarkets() {
    connect(&markets_.marketsBox(), &QComboBox::currentIndexChanged, this,
            &SolveLine::inputsChanged);
    for (QSpinBox* box : {&markets_.stocksBox(), &markets_.volatilityBox(), &markets_.horizonBox()})
        connect(box, &QSpinBox::valueChanged, this, &SolveLine::inputsChanged);
    showHorizon();
}

SolveLine::~SolveLine() {
    if (!remember_.isActive()) return;
    try {
        remember();
    } catch (...) {
        // A settings file that cannot be written loses the last inputs only.
    }
}

void SolveLine::setQuestion(SolveFor quantity, int successPercent) {
    quantity_->setCurrentIndex(quantity_->findData(static_cast<int>(quantity)));
    success_->setValue(successPercent);
}

SolveFor SolveLine::quantity() const {
    return static_cast<SolveFor>(quantity_->currentData().toInt());
}

SolveOptions SolveLine::options() const {
    SolveOptions options;
    options.successPercent = success_->value();
    options.simulation = markets_.options();
    if (markets_.historyChosen()) {
        const HistoryOptions history = markets_.historyOptions();
        options.historyStockShare = history.stockShare;
        options.simulation.horizon = history.horizon;
    }
    return options;
}

QString SolveLine::sentence() const { return sentence_->text(); }

bool SolveLine::running() const { return plan_.has_value() && answered_ != worker_.latestTicket(); }

void SolveLine::setPlan(const Plan& plan, const LifePlan& life) {
    plan_ = plan;
    life_ = life;
    submit();
}

void SolveLine::planFaulted() {
    plan_.reset();
    solution_.reset();
    sentence_->setText("The plan has no answer, so there is nothing to solve.");
    updateApply();
    emit solved();
}

void SolveLine::inputsChanged() {
    showHorizon();
    if (sender() == quantity_ || sender() == success_) remember_.start();
    RunCaught(desktop_, title_, [&] { submit(); });
}

void SolveLine::showHorizon() {
    const int years = options().simulation.horizon;
    const QString markets = markets_.historyChosen() ? "stretches" : "markets";
    horizon_->setText(
        QString("% of %1 last <a href=\"#horizon\">%2 years</a>").arg(markets).arg(years));
    success_->setAccessibleName(
        QString("Success level: percent of %1 that last %2 years").arg(markets).arg(years));
    // With returns that do not vary the one market lasts or it does not.
    const bool fixed = !markets_.historyChosen() && markets_.options().volatility == 0;
    success_->setEnabled(!fixed);
    success_->setToolTip(fixed ? "Returns do not vary: the savings last the horizon or they do not"
                               : "");
}

// The solve runs on the worker's thread; its answer is handed to this
// thread, where it is dropped unless it is for the latest plan and inputs.
// A line already gone takes its queued answers with it.
void SolveLine::submit() {
    if (!plan_) return;
    QPointer<SolveLine> self(this);
    worker_.submit([self, this, plan = *plan_, life = life_, quantity = quantity(),
                    options = options()](std::uint64_t ticket) {
        Outcome outcome;
        outcome.ticket = ticket;
        outcome.error =
            ErrorOf([&] { outcome.solution = Solve(plan, life, quantity, options); }).value_or("");
        if (!worker_.isLatest(ticket)) return;
        QMetaObject::invokeMethod(
            self.data(),
            [self, outcome] {
                if (self) self->answer(outcome);
            },
            Qt::QueuedConnection);
    });
    updateApply();  // off until this plan's answer comes
}

void SolveLine::answer(const Outcome& outcome) {
    if (outcome.ticket != worker_.latestTicket()) return;  // a newer solve is on its way
    if (!plan_) return;                                    // the plan faulted meanwhile
    answered_ = outcome.ticket;
    solution_ = outcome.solution;
    if (solution_) {
        const QLocale locale;
        sentence_->setText(QString::fromStdString(SolveSentence(
            *solution_,
            [&](std::int64_t n) {
                return locale.toString(static_cast<qlonglong>(n)).toStdString();
            },
            planner_.decimalSeparator())));
    } else {
        sentence_->setText(QString::fromStdString(ErrorBoxText(outcome.error)));
    }
    updateApply();
    emit solved();
}

std::optional<Entry> SolveLine::target() const {
    switch (quantity()) {
        case SolveFor::Draw:
            return Entry::Edit8;
        case SolveFor::Retire:
            return Entry::Edit11;
        case SolveFor::Saving:
            return Entry::Edit2;
        case SolveFor::Spend:
            break;
    }
    return std::nullopt;
}

QString SolveLine::targetText() const {
    if (const std::optional<Entry> field = target())
        return QString::fromStdString(planner_.entryField(*field).text());
    return spending_ != nullptr ? spending_->text() : QString();
}

// On for an answer of the latest plan that some value reaches and that
// its input does not already hold.
void SolveLine::updateApply() {
    const bool hasInput = target() || spending_ != nullptr;
    apply_->setToolTip(!hasInput  ? "There is no spending input to put this answer into"
                       : target() ? "Put the answer into the main window's field"
                                  : "Put the answer into Your plan's spending");
    const bool ready = hasInput && solution_ && solution_->found && !solution_->moot &&
                       !running() && solution_->quantity == quantity();
    apply_->setEnabled(ready && targetText() != QString::fromStdString(SolvedValueText(
                                                    *solution_, planner_.decimalSeparator())));
}

void SolveLine::apply() {
    if (!apply_->isEnabled()) return;
    const std::string text = SolvedValueText(*solution_, planner_.decimalSeparator());
    if (const std::optional<Entry> field = target()) {
        // The field's change runs its handler, a catch point of its own.
        RunCaught(desktop_, title_, [&] { planner_.entryField(*field).setText(text); });
    } else if (spending_ != nullptr) {
        // Typed over the whole text: the spending input reads what is typed,
        // not what code sets.
        spending_->selectAll();
        spending_->insert(QString::fromStdString(text));
    }
    updateApply();
}

void SolveLine::remember() {
    remember_.stop();
    YearByYearSettings settings = LoadYearByYearSettings();
    settings.solveFor = quantity();
    settings.successPercent = success_->value();
    SaveYearByYearSettings(settings);
}

}  // namespace nestora
