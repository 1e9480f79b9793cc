#pragma once

#include <condition_variable>
#include <deque>
#include <functional>
#include <mutex>
#include <optional>
#include <thread>

#include "link/Unitcomport.h"

namespace lmr {

// What a job does with the meter.
enum class JobKind {
    Search,    // COM1…COM8 until one answers
    Identify,  // model and head
    Probe,     // the probe alone, as live measurement starts and stops
    Reading,   // one live reading
    Download,  // the logger
    Cells,     // the memory cells
    Clock,     // setting the clock
};

// What to do with a job asked for while another runs or waits.
enum class WhenBusy {
    Queue,   // run it after them (the program's own next step, e.g. a search after a failed
             // identification)
    Refuse,  // do not take it (what the user or a timer asks for: a live tick during a download
             // is skipped, a second download is refused)
};

// The one owner of the link: a thread of its own that runs one job at a time from a queue.
// Nothing else uses the link while the worker lives. Submit, Cancel, Stop and the accessors may
// be called from any thread; a job's run and ended are called on the worker's thread (ended
// after the worker has let the job go, so that whatever ended hands on finds it free).
class MeterWorker {
public:
    struct Job {
        JobKind kind = JobKind::Search;
        // The dialogue. Cancel and Stop ask for the link's cancel, which the worker clears before
        // each job; the job looks at it between its steps (Link::CancelRequested).
        std::function<void(Link& link)> run;
        // Hands the outcome on (the window queues it to its own thread); may be empty.
        std::function<void()> ended;
    };

    explicit MeterWorker(Link& link);
    // Stops and joins.
    ~MeterWorker();
    MeterWorker(const MeterWorker&) = delete;
    MeterWorker& operator=(const MeterWorker&) = delete;

    // Takes the job; false when refused (busy and WhenBusy::Refuse, or stopped): it never runs.
    [[nodiscard]] bool Submit(Job job, WhenBusy whenBusy);
    // The user's stop of a job (CancelWhen::AfterStep): the running one ends at its next step (a
    // download after the record in flight) with what it has; queued jobs still run. With a kind,
    // only a job of that kind: a stop meant for a download that has just ended does not cut
    // short the live reading that followed it.
    void Cancel(std::optional<JobKind> only = std::nullopt);
    // Drops the queue, cancels the running job at its next byte (CancelWhen::NextByte), then joins
    // the thread: returns within about 100 ms even while a probe runs. Later Submits are refused.
    void Stop();

    // A job runs or waits: a job asked for with WhenBusy::Refuse is refused.
    [[nodiscard]] bool Busy() const;
    // The job running or handing its end on, else the next one waiting; none when idle, that
    // is when every job taken has ended and handed its end on.
    [[nodiscard]] std::optional<JobKind> Current() const;
    [[nodiscard]] bool Idle() const { return !Current().has_value(); }
    // The thread is started and not yet joined.
    [[nodiscard]] bool Running() const;

private:
    void Loop();

    Link& link_;
    mutable std::mutex mutex_;
    std::condition_variable wake_;
    std::deque<Job> queue_;
    std::optional<JobKind> running_;
    std::optional<JobKind> handing_;  // the job whose ended is being called
    bool stopping_ = false;
    std::thread thread_;
};

}  // namespace lmr
