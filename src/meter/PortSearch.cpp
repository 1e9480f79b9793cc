#include "meter/PortSearch.h"

#include <chrono>
#include <optional>
#include <thread>

#include "link/Exchange.h"
#include "link/PortHolders.h"

namespace lmr {
namespace {

constexpr int kComPorts = 8;
// A pass that found no port to open at all takes no time; this keeps it from spinning.
constexpr int kEmptyPassPauseMs = 200;
constexpr int kPauseSliceMs = 10;

}  // namespace

bool PortSearch::Run(Link& link, const NoteSink& note) {
    while (!link.CancelRequested()) {
        link.Ports().Refresh();
        if (Pass(link, note)) return true;
    }
    return false;
}

void PortSearch::SearchAgain() {
    portFound_.store(false);
    firstPort_.store(portNumber_.load() % kComPorts + 1);
}

std::string PortSearch::PortText() const {
    std::lock_guard<std::mutex> lock(mutex_);
    return portText_;
}

bool PortSearch::Pass(Link& link, const NoteSink& note) {
    bool openedAny = false;
    // Why a port was passed over; said for the rest of the pass, so it stays long enough to read.
    SearchNote passed;
    const int first = firstPort_.exchange(1);
    for (int n = first; n <= kComPorts; ++n) {
        if (link.CancelRequested()) return false;
        portNumber_.store(n);
        bool answered = false;
        const std::optional<std::string> path = link.Ports().PathOf(n);
        const std::optional<PortHolder> holder =
            path ? FindPortHolder(*path) : std::optional<PortHolder>();
        if (holder) {
            passed = {SearchNote::Kind::Held, n, *path, holder->program, holder->pid};
        } else {
            // Fresh attempts for every port; any byte counts as an answer.
            const Exchange x(link, n, "probe");
            // Cut short by the closing: this port was not tried to its end.
            if (x.Status() == MeterStatus::Cancelled) return false;
            if (link.LastOpenStatus() == LinkStatus::NoAccess) {
                passed = {SearchNote::Kind::NoAccess, n, link.OpenPath(), {}, 0};
            } else if (const auto& claimant = link.LastHolder()) {
                passed = {SearchNote::Kind::Held, n, link.OpenPath(), claimant->program,
                          claimant->pid};
            } else if (link.LastOpenStatus() == LinkStatus::Busy) {
                passed = {SearchNote::Kind::Locked, n, link.OpenPath(), {}, 0};
            }
            openedAny = openedAny || link.IsOpen();
            answered = x.Status() == MeterStatus::Ok;
            // Only the meter's port stays claimed: the others are free for other programs.
            if (!answered) link.ReleaseClaim();
        }
        if (answered) {
            {
                std::lock_guard<std::mutex> lock(mutex_);
                portText_ = "COM" + std::to_string(n);
            }
            if (note) note({SearchNote::Kind::Found, n, {}, {}, 0});
            portFound_.store(true);
            return true;
        }
        if (note)
            note(passed.kind == SearchNote::Kind::Searching ? SearchNote{{}, n, {}, {}, 0}
                                                            : passed);
    }
    // The rest of a pass that went on after a port found may well be empty: no pause for it.
    if (!openedAny && first == 1) {
        for (int waited = 0; waited < kEmptyPassPauseMs && !link.CancelRequested();
             waited += kPauseSliceMs)
            std::this_thread::sleep_for(std::chrono::milliseconds(kPauseSliceMs));
    }
    return false;
}

}  // namespace lmr
