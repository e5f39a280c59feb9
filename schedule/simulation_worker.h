// SPDX-License-Identifier: MIT
// Runs the simulation on a LatestWorker, so that typing never waits for it,
// and only for the latest plan: a run whose plan has been replaced while it
// was under way is dropped, not reported.
//
// `done` is called on the worker's thread with the ticket of the run and its
// result or its error's text; the window passes it on to its own thread and
// checks the ticket once more there (LatestTicket), since a newer plan may
// arrive in between. The destructor waits for a run under way.
#pragma once

#include <cstdint>
#include <functional>
#include <memory>
#include <string>
#include <utility>

#include "projection/plan.h"
#include "schedule/latest_worker.h"
#include "schedule/life_plan.h"
#include "schedule/simulation.h"

namespace nestora {

struct SimulationOutcome {
    std::uint64_t ticket = 0;
    std::shared_ptr<const Simulation> simulation;  // null after an error
    std::string error;                             // the error's text
};

class SimulationWorker {
  public:
    using Done = std::function<void(SimulationOutcome)>;

    explicit SimulationWorker(Done done) : done_(std::move(done)) {}

    // Returns the run's ticket, larger than every ticket before it. `life`
    // must pass CheckLifePlan.
    std::uint64_t submit(const Plan& plan, const Projection& projection,
                         const SimulationOptions& options, const LifePlan& life = {});
    std::uint64_t latestTicket() const { return worker_.latestTicket(); }

  private:
    Done done_;
    LatestWorker worker_;  // last: stopped first
};

}  // namespace nestora
