// SPDX-License-Identifier: MIT
// Runs work on a thread of its own so that the window never waits for it,
// and only for the latest request: a request that arrives while a run is
// under way waits for that run to end and replaces any request still
// waiting. A job learns its ticket and may ask, once it has its answer,
// whether a newer request has come meanwhile (isLatest): a caller reports
// only the answer to the latest one, and checks the ticket once more on
// its own thread, since a newer request may arrive in between.
//
// The destructor waits for a run under way and drops a request still
// waiting.
#pragma once

#include <condition_variable>
#include <cstdint>
#include <functional>
#include <mutex>
#include <optional>
#include <thread>

namespace nestora {

class LatestWorker {
  public:
    // One request's work, run on the worker's thread with its ticket.
    using Job = std::function<void(std::uint64_t ticket)>;

    LatestWorker();
    ~LatestWorker();
    LatestWorker(const LatestWorker&) = delete;
    LatestWorker& operator=(const LatestWorker&) = delete;

    // Returns the request's ticket, larger than every ticket before it.
    std::uint64_t submit(Job job);
    std::uint64_t latestTicket() const;
    bool isLatest(std::uint64_t ticket) const { return ticket == latestTicket(); }

  private:
    void run();

    mutable std::mutex mutex_;
    std::condition_variable wake_;
    std::optional<Job> waiting_;
    std::uint64_t waitingTicket_ = 0;
    std::uint64_t latest_ = 0;
    bool stopping_ = false;
    std::thread thread_;  // last: starts once the members above exist
};

}  // namespace nestora
