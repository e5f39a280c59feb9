// SPDX-License-Identifier: MIT
#include <gtest/gtest.h>

#include <chrono>
#include <condition_variable>
#include <mutex>
#include <thread>
#include <vector>

#include "schedule/simulation_worker.h"
#include "simulation_support.h"

namespace nestora {
namespace {

using testing::Projected;

// Collects what the worker reports and lets the test wait for a ticket.
struct Reports {
    std::mutex mutex;
    std::condition_variable changed;
    std::vector<SimulationOutcome> outcomes;

    void add(SimulationOutcome outcome) {
        {
            const std::lock_guard lock(mutex);
            outcomes.push_back(std::move(outcome));
        }
        changed.notify_all();
    }
    bool waitFor(std::uint64_t ticket) {
        std::unique_lock lock(mutex);
        return changed.wait_for(lock, std::chrono::seconds(60), [&] {
            return !outcomes.empty() && outcomes.back().ticket >= ticket;
        });
    }
};

SimulationOptions WithVolatility(double volatility) {
    SimulationOptions options;
    options.volatility = volatility;
    return options;
}

// Plans typed one after another: the last one is always answered, with the
// same figures as a run of its own, and nothing older arrives after it.
TEST(SimulationWorkerTest, AnswersTheLatestPlanAndDropsTheRest) {
    const Projected p(DefaultPlan());
    Reports reports;
    std::uint64_t last = 0;
    {
        SimulationWorker worker([&](SimulationOutcome o) { reports.add(std::move(o)); });
        for (int k = 0; k <= 20; ++k)
            last = worker.submit(p.plan(), p.projection(), WithVolatility(k / 100.0));
        ASSERT_TRUE(reports.waitFor(last));
        EXPECT_EQ(worker.latestTicket(), last);
    }
    const std::lock_guard lock(reports.mutex);
    ASSERT_FALSE(reports.outcomes.empty());
    for (std::size_t k = 1; k < reports.outcomes.size(); ++k)
        EXPECT_LT(reports.outcomes[k - 1].ticket, reports.outcomes[k].ticket);
    EXPECT_LT(reports.outcomes.size(), 21u) << "every plan ran to the end";
    const SimulationOutcome& answer = reports.outcomes.back();
    EXPECT_EQ(answer.ticket, last);
    ASSERT_NE(answer.simulation, nullptr);
    const Simulation alone = Simulate(p.plan(), p.projection(), WithVolatility(0.2));
    EXPECT_EQ(answer.simulation->fundedPaths, alone.fundedPaths);
    EXPECT_EQ(answer.simulation->years[30].p50Today, alone.years[30].p50Today);
}

// A run that newer plans overtake while it is under way is not reported:
// after a burst only the newest plan gets an answer.
TEST(SimulationWorkerTest, ARunOvertakenWhileUnderWayIsNotReported) {
    const Projected p(DefaultPlan());
    Reports reports;
    SimulationWorker worker([&](SimulationOutcome o) { reports.add(std::move(o)); });
    // Long enough (a tenth of a second or more) to be under way when the
    // burst comes; should the worker start late, the test only proves less.
    SimulationOptions slow = WithVolatility(0.1);
    slow.paths = MaxPaths;
    slow.threads = 1;
    worker.submit(p.plan(), p.projection(), slow);
    std::this_thread::sleep_for(std::chrono::milliseconds(20));
    std::uint64_t last = 0;
    for (int k = 1; k <= 10; ++k)
        last = worker.submit(p.plan(), p.projection(), WithVolatility(k / 100.0));
    ASSERT_TRUE(reports.waitFor(last));
    const std::lock_guard lock(reports.mutex);
    ASSERT_EQ(reports.outcomes.size(), 1u)
        << "an older plan answered first: ticket " << reports.outcomes.front().ticket;
    EXPECT_EQ(reports.outcomes.front().ticket, last);
}

TEST(SimulationWorkerTest, ReportsAnErrorAsItsText) {
    const Projected p(DefaultPlan());
    Reports reports;
    SimulationWorker worker([&](SimulationOutcome o) { reports.add(std::move(o)); });
    Plan huge = p.plan();
    huge.CurrentSavings = 1e400L;
    const std::uint64_t ticket = worker.submit(huge, p.projection(), WithVolatility(0.1));
    ASSERT_TRUE(reports.waitFor(ticket));
    const std::lock_guard lock(reports.mutex);
    EXPECT_EQ(reports.outcomes.back().simulation, nullptr);
    EXPECT_EQ(reports.outcomes.back().error, "Floating point overflow");
}

}  // namespace
}  // namespace nestora
