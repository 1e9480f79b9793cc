// Link figures: host time per byte over an unpaced pseudo-terminal, and one search pass over
// eight silent ports against its floor of 8 × 11 read attempts of 40 ms.
#include <time.h>

#include <chrono>
#include <condition_variable>
#include <cstdio>
#include <memory>
#include <mutex>
#include <vector>

#include "link/CommandCodes.h"
#include "link/Exchange.h"
#include "meter/MeterWorker.h"
#include "meter/PortSearch.h"
#include "tools/sim/Simulator.h"

namespace {

using Clock = std::chrono::steady_clock;

// CPU time of the calling thread: the host's own work, without waiting for the meter.
double ThreadCpuSeconds() {
    timespec t{};
    clock_gettime(CLOCK_THREAD_CPUTIME_ID, &t);
    return static_cast<double>(t.tv_sec) + static_cast<double>(t.tv_nsec) * 1e-9;
}

double Seconds(Clock::time_point since) {
    return std::chrono::duration<double>(Clock::now() - since).count();
}

int PerByte() {
    lmr::sim::Simulator meter;
    std::string error;
    if (!meter.Start(&error)) {
        std::fprintf(stderr, "simulator: %s\n", error.c_str());
        return 1;
    }
    lmr::PortTable ports({{meter.SlavePath(), "", false}});
    lmr::Link link(ports);
    constexpr int kReadings = 2000;
    long bytes = 0;
    const Clock::time_point start = Clock::now();
    const double cpuStart = ThreadCpuSeconds();
    {
        lmr::Exchange x(link, 1, "bench");
        if (x.Status() != lmr::MeterStatus::Ok) {
            std::fprintf(stderr, "no answer from the simulator\n");
            return 1;
        }
        for (int i = 0; i < kReadings && x.Status() == lmr::MeterStatus::Ok; ++i) {
            (void)link.SendCommand(lmr::Code(lmr::Command::ReadLive));
            for (int w = 0; w < 3; ++w) (void)link.ReadWord();
            bytes += 2 + 12;  // command and its answer, six data bytes and their echoes
        }
    }
    const double n = static_cast<double>(bytes);
    const double wallUs = Seconds(start) * 1e6 / n;
    const double hostUs = (ThreadCpuSeconds() - cpuStart) * 1e6 / n;
    std::printf(
        "host overhead per byte: %.1f us CPU over %ld bytes (goal <= 50 us, ratio %.2f); "
        "round trip with the simulator %.1f us per byte\n",
        hostUs, bytes, hostUs / 50.0, wallUs);
    return 0;
}

int SearchPass() {
    std::vector<std::unique_ptr<lmr::sim::Simulator>> meters;
    std::vector<lmr::PortTable::Port> table;
    for (int i = 0; i < 8; ++i) {
        lmr::sim::Options silent;
        silent.silent = true;
        meters.push_back(std::make_unique<lmr::sim::Simulator>(silent));
        if (!meters.back()->Start()) return 1;
        table.push_back({meters.back()->SlavePath(), "", false});
    }
    lmr::PortTable ports(table);
    lmr::Link link(ports);
    std::mutex mutex;
    std::condition_variable done;
    int texts = 0;
    lmr::PortSearch search;
    lmr::MeterWorker worker(link);
    lmr::MeterWorker::Job job;
    job.kind = lmr::JobKind::Search;
    job.run = [&](lmr::Link& l) {
        (void)search.Run(l, [&](const lmr::SearchNote&) {
            std::lock_guard<std::mutex> lock(mutex);
            ++texts;
            done.notify_all();
        });
    };
    const Clock::time_point start = Clock::now();
    if (!worker.Submit(std::move(job), lmr::WhenBusy::Queue)) return 1;
    {
        std::unique_lock<std::mutex> lock(mutex);
        done.wait(lock, [&] { return texts >= 8; });
    }
    const double s = Seconds(start);
    worker.Stop();
    const double floor = 8 * lmr::kProbeAttempts * lmr::kReadAttemptMs / 1000.0;
    std::printf(
        "search pass over 8 silent ports: %.3f s (floor %.2f s, ratio %.3f; goal <= 3.7 s, "
        "ratio %.3f)\n",
        s, floor, s / floor, s / 3.7);
    return 0;
}

}  // namespace

int main() {
    return PerByte() != 0 || SearchPass() != 0 ? 1 : 0;
}
