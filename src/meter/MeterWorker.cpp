#include "meter/MeterWorker.h"

#include <utility>

namespace lmr {

MeterWorker::MeterWorker(Link& link) : link_(link), thread_([this] { Loop(); }) {}

MeterWorker::~MeterWorker() {
    Stop();
}

bool MeterWorker::Submit(Job job, WhenBusy whenBusy) {
    {
        std::lock_guard<std::mutex> lock(mutex_);
        if (stopping_) return false;
        if ((running_ || !queue_.empty()) && whenBusy == WhenBusy::Refuse) return false;
        queue_.push_back(std::move(job));
    }
    wake_.notify_all();
    return true;
}

void MeterWorker::Cancel(std::optional<JobKind> only) {
    std::lock_guard<std::mutex> lock(mutex_);
    if (running_ && (!only || *only == *running_)) link_.RequestCancel(CancelWhen::AfterStep);
}

void MeterWorker::Stop() {
    {
        std::lock_guard<std::mutex> lock(mutex_);
        stopping_ = true;
        queue_.clear();
        if (running_) link_.RequestCancel(CancelWhen::NextByte);
    }
    wake_.notify_all();
    if (thread_.joinable()) thread_.join();
    link_.ClearCancel();
}

bool MeterWorker::Busy() const {
    std::lock_guard<std::mutex> lock(mutex_);
    return running_.has_value() || !queue_.empty();
}

std::optional<JobKind> MeterWorker::Current() const {
    std::lock_guard<std::mutex> lock(mutex_);
    if (running_) return running_;
    if (handing_) return handing_;
    if (!queue_.empty()) return queue_.front().kind;
    return std::nullopt;
}

bool MeterWorker::Running() const {
    return thread_.joinable();
}

void MeterWorker::Loop() {
    for (;;) {
        Job job;
        {
            std::unique_lock<std::mutex> lock(mutex_);
            wake_.wait(lock, [this] { return stopping_ || !queue_.empty(); });
            if (stopping_) return;
            job = std::move(queue_.front());
            queue_.pop_front();
            running_ = job.kind;
            // A stop asked for an earlier job is not this one's.
            link_.ClearCancel();
        }
        job.run(link_);
        {
            std::lock_guard<std::mutex> lock(mutex_);
            running_.reset();
            handing_ = job.kind;
        }
        if (job.ended) job.ended();
        std::lock_guard<std::mutex> lock(mutex_);
        handing_.reset();
    }
}

}  // namespace lmr
