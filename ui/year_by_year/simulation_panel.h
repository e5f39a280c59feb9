// SPDX-License-Identifier: MIT
// The Year by Year window's varying-returns inputs and answer: "Markets:"
// simulated or history since 1871 with "Stocks [60] %" beside it, "Returns
// vary by ±[12] % a year", "Plan for [30] years of retirement" and the
// sentence that gives the share of markets that pay the full draw.
//
// History takes a tenth of a millisecond and is run at once, on the
// window's thread; it has no volatility, so that box is disabled for it.
// Every plan the window shows and every change of the two inputs starts a
// run on the simulation's own thread, on every core but one; typing never
// waits for it. Only the run for the latest plan and inputs is answered:
// `simulated` is emitted on the window's thread once it has, and
// simulation() then holds its figures (null after a fault, whose message the
// sentence shows). The inputs are remembered between runs
// (YearByYearSettings), written once a value has settled for half a second
// and when the panel goes, not on every step of a spin box.
#pragma once

#include <QTimer>
#include <QWidget>
#include <cstdint>
#include <memory>
#include <optional>
#include <string>

#include "document/plan_document.h"
#include "projection/desktop.h"
#include "projection/plan.h"
#include "schedule/history.h"
#include "schedule/life_plan.h"
#include "schedule/simulation.h"
#include "schedule/simulation_worker.h"

class QComboBox;
class QHBoxLayout;
class QLabel;
class QSpinBox;

namespace nestora {

struct YearByYearSettings;

class SimulationPanel : public QWidget {
    Q_OBJECT
  public:
    // A fault in a change of the inputs goes to `desktop`'s error box titled `title`.
    SimulationPanel(Desktop& desktop, std::string title, QWidget* parent = nullptr);
    ~SimulationPanel() override;

    // `life` must pass CheckLifePlan; every market follows it.
    void setPlan(const Plan& plan, const Projection& projection, const LifePlan& life = {});
    // The plan has no answer (its calculate faulted): no markets, and the
    // sentence says so, until the next plan.
    void planFaulted();
    SimulationOptions options() const;
    // The markets' inputs of a plan document, put in the boxes as if chosen
    // (the volatility to the whole percent the box holds), and back.
    void takeDocument(const PlanDocument& document);
    void fillDocument(PlanDocument& document) const;
    HistoryOptions historyOptions() const;

    QComboBox& marketsBox() const { return *markets_; }
    QSpinBox& stocksBox() const { return *stocks_; }
    bool historyChosen() const;
    QSpinBox& volatilityBox() const { return *volatility_; }
    QSpinBox& horizonBox() const { return *horizon_; }
    QString sentence() const;
    // The answer for the latest plan and inputs; null before the first
    // answer and after a fault.
    const std::shared_ptr<const Simulation>& simulation() const { return simulation_; }
    // History's answer when history is chosen, else null; null after a fault.
    const std::shared_ptr<const History>& history() const { return history_; }
    // The figures across markets that the band and the table show: the
    // simulation's or history's, null when there are none.
    const Simulation* band() const;
    // True while a run for the latest plan and inputs has not answered.
    bool running() const;
    // The answer for the latest plan and inputs, worked out here and now
    // while the run for them has not answered; null after a fault.
    std::shared_ptr<const Simulation> answerNow() const;

  signals:
    void simulated();

  private:
    QHBoxLayout* makeMarketsRow(const YearByYearSettings& settings);
    QHBoxLayout* makeVaryingRow(const YearByYearSettings& settings);
    void startWorker();
    void inputsChanged();
    // Writes the two inputs to the settings once they have settled.
    void remember();
    void submit();
    void runHistory();
    void answer(const SimulationOutcome& outcome);

    Desktop& desktop_;
    std::string title_;
    QComboBox* markets_;
    QSpinBox* stocks_;
    QSpinBox* volatility_;
    QSpinBox* horizon_;
    QLabel* sentence_;
    std::optional<Plan> plan_;
    Projection projection_;
    LifePlan life_;
    // No box shows these: they come from the last plan document opened.
    std::int32_t paths_ = DefaultPaths;
    std::uint64_t seed_ = DefaultSeed;
    std::shared_ptr<const Simulation> simulation_;
    std::shared_ptr<const History> history_;
    std::uint64_t answered_ = 0;
    QTimer remember_;                           // restarts with each step of an input
    std::unique_ptr<SimulationWorker> worker_;  // last: stopped first
};

}  // namespace nestora
