// SPDX-License-Identifier: MIT
// Runs the simulation on a thread of its own so that typing never waits for
// it, and only for the latest plan: a plan that arrives while a run is under
// way waits for that run to end and replaces any plan still waiting; a run
// whose plan has been replaced meanwhile is dropped, not reported.
//
// `done` is called on the worker's thread with the ticket of the run and its
// result or its error's text; the window passes it on to its own thread and
// checks the ticket once more there (LatestTicket), since a newer plan may
// arrive in between. The destructor waits for a run under way.
#pragma once

#include <condition_variable>
#include <cstdint>
#include <functional>
#include <memory>
#include <mutex>
#include <optional>
#include <string>
#include <thread>

#include "projection/plan.h"
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

    explicit SimulationWorker(Done done);
    ~SimulationWorker();
    SimulationWorker(const SimulationWorker&) = delete;
    SimulationWorker& operator=(const SimulationWorker&) = delete;

    // Returns the run's ticket, larger than every ticket before it. `life`
    // must pass CheckLifePlan.
    std::uint64_t submit(const Plan& plan, const Projection& projection,
                         const SimulationOptions& options, const LifePlan& life = {});
    std::uint64_t latestTicket() const;

  private:
    struct Request {
        std::uint64_t ticket = 0;
        Plan plan;
        Projection projection;
        SimulationOptions options;
        LifePlan life;
    };
    void run();

    Done done_;
    mutable std::mutex mutex_;
    std::condition_variable wake_;
    std::optional<Request> waiting_;
    std::uint64_t latest_ = 0;
    bool stopping_ = false;
    std::thread thread_;  // last: starts once the members above exist
};

}  // namespace nestora
