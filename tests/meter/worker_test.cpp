#include <gtest/gtest.h>

#include <atomic>
#include <chrono>
#include <mutex>
#include <thread>
#include <vector>

#include "meter/MeterWorker.h"

namespace lmr::test {
namespace {

// A job that runs until it is let go or cancelled, and says what happened to it.
struct Gate {
    std::atomic<bool> started{false};
    std::atomic<bool> release{false};
    std::atomic<bool> sawCancel{false};
    std::atomic<bool> idleAtEnd{false};
};

MeterWorker::Job Held(MeterWorker& worker, Gate& g, JobKind kind = JobKind::Download) {
    MeterWorker::Job job;
    job.kind = kind;
    job.run = [&g](Link&, const std::atomic<bool>& cancel) {
        g.started = true;
        while (!g.release.load() && !cancel.load())
            std::this_thread::sleep_for(std::chrono::milliseconds(1));
        g.sawCancel = cancel.load();
    };
    job.ended = [&worker, &g] { g.idleAtEnd = !worker.Busy(); };
    return job;
}

void WaitUntil(const std::atomic<bool>& flag) {
    while (!flag.load()) std::this_thread::sleep_for(std::chrono::milliseconds(1));
}

bool WaitIdle(const MeterWorker& w) {
    for (int i = 0; i < 2000 && !w.Idle(); ++i)
        std::this_thread::sleep_for(std::chrono::milliseconds(1));
    return w.Idle();
}

TEST(MeterWorker, OneJobAtATimeQueuedOrRefusedAndCancelReachesTheRunningOne) {
    PortTable none(std::vector<PortTable::Port>{});
    Link link(none);
    MeterWorker worker(link);
    EXPECT_TRUE(worker.Idle());

    Gate download;
    ASSERT_TRUE(worker.Submit(Held(worker, download), WhenBusy::Refuse));
    WaitUntil(download.started);
    EXPECT_EQ(worker.Current(), JobKind::Download);
    // A live tick or a second exchange the user asks for is refused; the program's own next
    // step waits its turn.
    Gate tick;
    EXPECT_FALSE(worker.Submit(Held(worker, tick, JobKind::Reading), WhenBusy::Refuse));
    std::vector<int> order;
    std::mutex orderMutex;
    MeterWorker::Job next;
    next.kind = JobKind::Search;
    next.run = [&](Link&, const std::atomic<bool>& cancel) {
        std::lock_guard<std::mutex> lock(orderMutex);
        order.push_back(cancel.load() ? -1 : 2);
    };
    ASSERT_TRUE(worker.Submit(std::move(next), WhenBusy::Queue));

    worker.Cancel();
    ASSERT_TRUE(WaitIdle(worker));
    EXPECT_TRUE(download.sawCancel);
    EXPECT_FALSE(tick.started) << "a refused job never runs";
    {
        std::lock_guard<std::mutex> lock(orderMutex);
        EXPECT_EQ(order, std::vector<int>{2}) << "the cancel was the running job's alone";
    }

    // The end is handed on once the worker has let the job go: what it starts is not refused;
    // the worker is idle once the end has been handed on.
    Gate quick;
    quick.release = true;
    ASSERT_TRUE(worker.Submit(Held(worker, quick, JobKind::Cells), WhenBusy::Refuse));
    ASSERT_TRUE(WaitIdle(worker));
    EXPECT_TRUE(quick.idleAtEnd);
    EXPECT_FALSE(worker.Busy());
    EXPECT_FALSE(quick.sawCancel);
}

TEST(MeterWorker, StopCancelsTheRunningJobDropsTheQueueAndRefusesLaterJobs) {
    PortTable none(std::vector<PortTable::Port>{});
    Link link(none);
    MeterWorker worker(link);
    Gate running;
    Gate queued;
    ASSERT_TRUE(worker.Submit(Held(worker, running), WhenBusy::Refuse));
    ASSERT_TRUE(worker.Submit(Held(worker, queued, JobKind::Search), WhenBusy::Queue));
    WaitUntil(running.started);
    worker.Stop();
    EXPECT_FALSE(worker.Running());
    EXPECT_TRUE(running.sawCancel);
    EXPECT_FALSE(queued.started);
    EXPECT_FALSE(link.CancelRequested());
    Gate late;
    EXPECT_FALSE(worker.Submit(Held(worker, late), WhenBusy::Queue));
    worker.Stop();  // twice is harmless
}

}  // namespace
}  // namespace lmr::test
