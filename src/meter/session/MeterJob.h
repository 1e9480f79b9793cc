#pragma once

#include <QObject>
#include <memory>
#include <type_traits>
#include <utility>

#include "meter/MeterWorker.h"

namespace lmr {

// Hands the worker a job that runs dialogue (on the worker's thread) and gives its result to
// done on receiver's thread, queued; done is dropped with the receiver. False when the worker
// refused the job: neither then runs.
template <class Dialogue, class Done>
[[nodiscard]] bool SubmitMeterJob(MeterWorker& worker, QObject* receiver, JobKind kind,
                                  WhenBusy whenBusy, Dialogue dialogue, Done done) {
    using Result = std::invoke_result_t<Dialogue&, Link&>;
    auto result = std::make_shared<Result>();
    MeterWorker::Job job;
    job.kind = kind;
    job.run = [result, dialogue = std::move(dialogue)](Link& link) { *result = dialogue(link); };
    job.ended = [result, receiver, done = std::move(done)] {
        QMetaObject::invokeMethod(
            receiver, [result, done] { done(*result); }, Qt::QueuedConnection);
    };
    return worker.Submit(std::move(job), whenBusy);
}

}  // namespace lmr
