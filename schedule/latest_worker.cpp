// SPDX-License-Identifier: MIT
#include "schedule/latest_worker.h"

#include <utility>

namespace nestora {

LatestWorker::LatestWorker() : thread_([this] { run(); }) {}

LatestWorker::~LatestWorker() {
    {
        const std::lock_guard lock(mutex_);
        stopping_ = true;
        waiting_.reset();
    }
    wake_.notify_one();
    thread_.join();
}

std::uint64_t LatestWorker::submit(Job job) {
    std::uint64_t ticket;
    {
        const std::lock_guard lock(mutex_);
        ticket = ++latest_;
        waiting_ = std::move(job);
        waitingTicket_ = ticket;
    }
    wake_.notify_one();
    return ticket;
}

std::uint64_t LatestWorker::latestTicket() const {
    const std::lock_guard lock(mutex_);
    return latest_;
}

void LatestWorker::run() {
    for (;;) {
        Job job;
        std::uint64_t ticket = 0;
        {
            std::unique_lock lock(mutex_);
            wake_.wait(lock, [this] { return stopping_ || waiting_.has_value(); });
            if (stopping_) return;
            job = std::move(*waiting_);
            ticket = waitingTicket_;
            waiting_.reset();
        }
        job(ticket);
    }
}

}  // namespace nestora
