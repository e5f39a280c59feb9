// SPDX-License-Identifier: MIT
#include "schedule/simulation_worker.h"

#include <utility>

#include "projection/catch_point.h"

namespace nestora {

std::uint64_t SimulationWorker::submit(const Plan& plan, const Projection& projection,
                                       const SimulationOptions& options, const LifePlan& life) {
    return worker_.submit([this, plan, projection, options, life](std::uint64_t ticket) {
        SimulationOutcome outcome;
        outcome.ticket = ticket;
        outcome.error = ErrorOf([&] {
                            outcome.simulation = std::make_shared<const Simulation>(
                                Simulate(plan, projection, options, life));
                        }).value_or("");
        if (worker_.isLatest(ticket)) done_(std::move(outcome));
    });
}

}  // namespace nestora
