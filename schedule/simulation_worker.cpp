// SPDX-License-Identifier: MIT
#include "schedule/simulation_worker.h"

#include <exception>
#include <utility>

namespace nestora {

SimulationWorker::SimulationWorker(Done done)
    : done_(std::move(done)), thread_([this] { run(); }) {}

SimulationWorker::~SimulationWorker() {
    {
        const std::lock_guard lock(mutex_);
        stopping_ = true;
        waiting_.reset();
    }
    wake_.notify_one();
    thread_.join();
}

std::uint64_t SimulationWorker::submit(const Plan& plan, const Projection& projection,
                                       const SimulationOptions& options, const LifePlan& life) {
    std::uint64_t ticket;
    {
        const std::lock_guard lock(mutex_);
        ticket = ++latest_;
        waiting_ = Request{ticket, plan, projection, options, life};
    }
    wake_.notify_one();
    return ticket;
}

std::uint64_t SimulationWorker::latestTicket() const {
    const std::lock_guard lock(mutex_);
    return latest_;
}

void SimulationWorker::run() {
    for (;;) {
        Request request;
        {
            std::unique_lock lock(mutex_);
            wake_.wait(lock, [this] { return stopping_ || waiting_.has_value(); });
            if (stopping_) return;
            request = std::move(*waiting_);
            waiting_.reset();
        }
        SimulationOutcome outcome;
        outcome.ticket = request.ticket;
        try {
            outcome.simulation = std::make_shared<const Simulation>(
                Simulate(request.plan, request.projection, request.options, request.life));
        } catch (const std::exception& e) {
            outcome.error = e.what();
        } catch (...) {
            outcome.error = "Unexpected error";
        }
        if (request.ticket == latestTicket()) done_(std::move(outcome));
    }
}

}  // namespace nestora
