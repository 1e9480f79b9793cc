#include <gtest/gtest.h>

#include <atomic>
#include <chrono>
#include <mutex>
#include <thread>
#include <vector>

#include "SimPort.h"
#include "meter/ClockExchange.h"
#include "meter/Identify.h"
#include "meter/LiveExchange.h"
#include "meter/LoggerDownload.h"
#include "meter/MemoryCellsExchange.h"
#include "meter/MeterWorker.h"
#include "meter/PortSearch.h"

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
    job.run = [&g](Link& link) {
        g.started = true;
        while (!g.release.load() && !link.CancelRequested())
            std::this_thread::sleep_for(std::chrono::milliseconds(1));
        g.sawCancel = link.CancelRequested();
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
    next.run = [&](Link& link) {
        std::lock_guard<std::mutex> lock(orderMutex);
        order.push_back(link.CancelRequested() ? -1 : 2);
    };
    ASSERT_TRUE(worker.Submit(std::move(next), WhenBusy::Queue));

    // A stop meant for another kind of job (a download that has just ended) leaves this one be.
    worker.Cancel(JobKind::Reading);
    EXPECT_FALSE(link.CancelRequested());
    worker.Cancel(JobKind::Download);
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

// What a job of the table gave: its status and how far it came (records, values).
struct Outcome {
    MeterStatus status = MeterStatus::Ok;
    int count = 0;
};

// Waits until the dialogue stalls: host bytes came and none followed for a while, so the job
// waits on a meter that fell silent (the read's bound is far longer).
void WaitForStall(SimPorts& bench) {
    size_t last = 0;
    double since = NowMs();
    for (int i = 0; i < 2000; ++i) {
        const size_t n = bench.HostTranscript().size();
        if (n != last) {
            last = n;
            since = NowMs();
        } else if (n > 0 && NowMs() - since > 150) {
            return;
        }
        usleep(2000);
    }
}

void WaitForEntries(SimPorts& bench, size_t count) {
    for (int i = 0; i < 5000 && bench.HostTranscript().size() < count; ++i) usleep(1000);
}

sim::Options SilentAfter(int bytes) {
    sim::Options o;
    o.silentAfter = bytes;
    return o;
}

sim::Options PacedLogger() {
    sim::Options o;
    o.paced = true;
    o.logger = sim::LoggerFromCount(200);
    return o;
}

sim::Options PacedMeter() {
    sim::Options o;
    o.paced = true;
    return o;
}

// Every kind of job ends on the one cancel as Cancelled (the search: without a port): the closing's
// (NextByte) cuts the read in flight short, however the job waits; the user's stop (AfterStep) lets
// the step in flight finish, and what was read stays whole. The frame closes the port on every
// path.
TEST(MeterWorker, OneCancelEndsEveryJobKind) {
    using Run = std::function<Outcome(Link&)>;
    const Run search = [](Link& link) {
        PortSearch s;
        return Outcome{s.Run(link, {}) ? MeterStatus::Ok : MeterStatus::Cancelled, 0};
    };
    const Run identify = [](Link& link) { return Outcome{Identify(link, 1).status, 0}; };
    const Run probe = [](Link& link) { return Outcome{ProbeOnly(link, 1, "start"), 0}; };
    const Run reading = [](Link& link) { return Outcome{ReadLiveChannels(link, 1).status, 0}; };
    const Run download = [](Link& link) {
        const DownloadResult r = DownloadLogger(link, 1, {});
        return Outcome{r.status, r.accepted};
    };
    const Run cells = [](Link& link) {
        const MemoryReading r = ReadMemoryCells(link, 1, {});
        return Outcome{r.status, r.valuesRead};
    };
    const Run clock = [](Link& link) {
        return Outcome{WriteInstrumentClock(link, 1, [](int) { return std::uint8_t{1}; }, {}), 0};
    };
    struct Row {
        const char* name;
        JobKind kind;
        CancelWhen when;
        sim::Options meter;
        size_t cancelAtEntries;  // host bytes and answers seen before the cancel; 0: at a stall
        Run run;
        // AfterStep: a step's host entries and how many counted units it holds (0: no check).
        size_t entriesPerUnit;
        int unitsPerStep;
    };
    const Row rows[] = {
        {"search, closing", JobKind::Search, CancelWhen::NextByte, SilentMeter(), 0, search, 0, 0},
        {"search, stop", JobKind::Search, CancelWhen::AfterStep, SilentMeter(), 0, search, 0, 0},
        {"identify, closing", JobKind::Identify, CancelWhen::NextByte, SilentAfter(1), 0, identify,
         0, 0},
        {"probe, closing", JobKind::Probe, CancelWhen::NextByte, SilentMeter(), 0, probe, 0, 0},
        {"reading, closing", JobKind::Reading, CancelWhen::NextByte, SilentAfter(3), 0, reading, 0,
         0},
        {"download, closing", JobKind::Download, CancelWhen::NextByte, SilentAfter(30), 0, download,
         0, 0},
        // A record: three host bytes and their answers, sixteen data bytes and their echoes.
        {"download, stop", JobKind::Download, CancelWhen::AfterStep, PacedLogger(), 100, download,
         38, 1},
        {"cells, closing", JobKind::Cells, CancelWhen::NextByte, SilentAfter(15), 0, cells, 0, 0},
        // A value: three host bytes and their answers, two data bytes and their echoes.
        {"cells, stop", JobKind::Cells, CancelWhen::AfterStep, PacedMeter(), 30, cells, 10,
         kValuesPerCell},
        {"clock, closing", JobKind::Clock, CancelWhen::NextByte, SilentAfter(3), 0, clock, 0, 0},
    };
    for (const Row& r : rows) {
        SCOPED_TRACE(r.name);
        SimPorts bench(r.meter);
        MeterWorker worker(bench.link());
        Outcome outcome;
        MeterWorker::Job job;
        job.kind = r.kind;
        job.run = [&](Link& link) { outcome = r.run(link); };
        ASSERT_TRUE(worker.Submit(std::move(job), WhenBusy::Refuse));
        if (r.cancelAtEntries == 0) {
            WaitForStall(bench);
        } else {
            WaitForEntries(bench, r.cancelAtEntries);
        }
        if (r.when == CancelWhen::NextByte) {
            worker.Stop();
        } else {
            worker.Cancel();
            ASSERT_TRUE(WaitIdle(worker));
        }
        EXPECT_EQ(outcome.status, MeterStatus::Cancelled);
        EXPECT_FALSE(bench.link().IsOpen());
        if (r.entriesPerUnit > 0) {
            // The probe and its answer, then whole steps only.
            EXPECT_GT(outcome.count, 0);
            EXPECT_EQ(outcome.count % r.unitsPerStep, 0) << outcome.count;
            EXPECT_EQ(bench.HostTranscript().size(),
                      2 + static_cast<size_t>(outcome.count) * r.entriesPerUnit);
        }
    }
}

}  // namespace
}  // namespace lmr::test
