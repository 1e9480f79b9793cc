#include "data/FileJob.h"

namespace lmr {

FileJob::FileJob(std::function<void(const DataProgress& progress)> work, QObject* parent)
    : QObject(parent) {
    thread_.reset(QThread::create([this, work = std::move(work)] {
        work([this](qint64 done, qint64 total) {
            const int percent = total > 0 ? int(done * 100 / total) : 100;
            if (percent != percent_) {
                percent_ = percent;
                emit progressed(percent);
            }
            return !stop_;
        });
    }));
    // Emitted on the job's thread, received on this object's.
    connect(thread_.get(), &QThread::finished, this, &FileJob::finished, Qt::QueuedConnection);
}

FileJob::~FileJob() {
    stop_ = true;
    thread_->wait();
}

void FileJob::Start() {
    thread_->start();
}

}  // namespace lmr
