#pragma once

#include <QObject>
#include <QThread>
#include <atomic>
#include <functional>
#include <memory>

#include "data/DataFile.h"

namespace lmr {

// A data file read or written on a thread of its own, so that the window keeps answering while
// a file of a million readings goes by: its progress and its end come back to the window's
// thread as queued signals, and Stop ends it at its next step. Destroying it stops it and
// waits for its thread (a step is a few milliseconds).
class FileJob final : public QObject {
    Q_OBJECT
public:
    // work runs on the job's thread with the progress it is to report; what it makes it keeps
    // where the caller reads it once `finished` came.
    explicit FileJob(std::function<void(const DataProgress& progress)> work,
                     QObject* parent = nullptr);
    ~FileJob() override;
    FileJob(const FileJob&) = delete;
    FileJob& operator=(const FileJob&) = delete;

    void Start();
    void Stop() { stop_ = true; }
    [[nodiscard]] bool Stopped() const { return stop_; }

signals:
    // Percent done, each value once.
    void progressed(int percent);
    // The work returned.
    void finished();

private:
    std::atomic<bool> stop_{false};
    int percent_ = -1;  // the job's thread's alone
    std::unique_ptr<QThread> thread_;
};

}  // namespace lmr
