// SPDX-License-Identifier: MIT
// Year by Year's question answered: "Solve for [draw ▾] so that [90] % of
// markets last 30 years", the answer in words beside it and Apply.
//
// The markets are the ones the simulation panel shows (simulated with its
// ±, or history with its stock share), and the horizon is the panel's "Plan
// for [30] years of retirement": the line shows it as a link to that box
// rather than asking for it twice. Every plan the window shows and every
// change of an input starts a solve on a worker thread (LatestWorker), so
// that typing never waits for it; only the answer for the latest plan and
// inputs is shown, and `solved` is emitted on the window's thread once it
// is.
//
// Apply puts the answer into the main window's field as a paste would (the
// draw into the retirement draw, the years into the years to retirement,
// the saving into the annual savings): the field's handler run applies its
// rules and the main window recomputes, and so does this window. The
// spending goes into Your plan's spending input, typed over its text.
//
// The quantity and the success level are remembered with the panel's
// inputs (YearByYearSettings), written once a value has settled for half a
// second and when the line goes.
#pragma once

#include <QString>
#include <QTimer>
#include <QWidget>
#include <cstdint>
#include <optional>
#include <string>

#include "projection/desktop.h"
#include "projection/plan.h"
#include "projection/planner.h"
#include "schedule/latest_worker.h"
#include "schedule/life_plan.h"
#include "schedule/solver.h"

class QComboBox;
class QLabel;
class QLineEdit;
class QPushButton;
class QSpinBox;

namespace nestora {

class SimulationPanel;

class SolveLine : public QWidget {
    Q_OBJECT
  public:
    // Apply types into `planner`'s fields and the spending into `spending`
    // (none: Apply is off for it); a fault in a change of the inputs goes to
    // `desktop`'s error box titled `title`. `markets` and `spending` must
    // outlive the line.
    SolveLine(Planner& planner, const SimulationPanel& markets, QLineEdit* spending,
              Desktop& desktop, std::string title, QWidget* parent = nullptr);
    ~SolveLine() override;

    void setPlan(const Plan& plan, const LifePlan& life = {});
    // The plan has no answer (its calculate faulted): nothing to solve until
    // the next plan.
    void planFaulted();
    // Puts the answer into its field in the main window, when Apply is on.
    void apply();

    // Puts a plan document's question in the inputs.
    void setQuestion(SolveFor quantity, int successPercent);
    SolveFor quantity() const;
    // The markets, the horizon and the success level the line solves with.
    SolveOptions options() const;

    QComboBox& quantityBox() const { return *quantity_; }
    QSpinBox& successBox() const { return *success_; }
    QPushButton& applyButton() const { return *apply_; }
    QString sentence() const;
    // The answer for the latest plan and inputs; none before it comes and
    // after a fault.
    const std::optional<Solution>& solution() const { return solution_; }
    // True while the solve for the latest plan and inputs has not answered.
    bool running() const;

  signals:
    void solved();

  private:
    struct Outcome {
        std::uint64_t ticket = 0;
        std::optional<Solution> solution;
        std::string error;
    };
    void makeRow();
    void followMarkets();
    void inputsChanged();
    void submit();
    void answer(const Outcome& outcome);
    void showHorizon();
    void updateApply();
    // The main window's field the answer goes into; none for spend.
    std::optional<Entry> target() const;
    // The text of the input the answer goes into.
    QString targetText() const;
    void remember();

    Planner& planner_;
    const SimulationPanel& markets_;
    QLineEdit* spending_;
    Desktop& desktop_;
    std::string title_;
    QComboBox* quantity_ = nullptr;
    QSpinBox* success_ = nullptr;
    QLabel* horizon_ = nullptr;
    QLabel* sentence_ = nullptr;
    QPushButton* apply_ = nullptr;
    std::optional<Plan> plan_;
    LifePlan life_;
    std::optional<Solution> solution_;
    std::uint64_t answered_ = 0;
    QTimer remember_;      // restarts with each step of an input
    LatestWorker worker_;  // last: stopped first
};

}  // namespace nestora
