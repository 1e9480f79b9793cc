// The connection's cycle: the search, the identification, a port lost and found again.
#include "meter/session/MeterSession.h"

#include <utility>

namespace lmr {

MeterSession::MeterSession(Link& link, MeterWorker& worker, PortSearch& search, LiveSession& live,
                           LoggerTable& logger, QObject* parent)
    : QObject(parent),
      link_(link),
      worker_(worker),
      search_(search),
      live_(live),
      logger_(logger),
      detekt_(new QTimer(this)),
      interval_(new QTimer(this)),
      period_(new QTimer(this)) {
    const struct {
        QTimer* timer;
        const char* name;
        int interval;
        void (MeterSession::*tick)();
    } timers[] = {
        {detekt_, "TimerDetekt", 3000, &MeterSession::DetectTick},
        {interval_, "TimerInterval", settings_.intervalMs, &MeterSession::TakeReading},
        {period_, "TimerPeriod", 20000, &MeterSession::PeriodTick},
    };
    for (const auto& t : timers) {
        t.timer->setObjectName(QString::fromLatin1(t.name));
        t.timer->setInterval(t.interval);
        connect(t.timer, &QTimer::timeout, this, t.tick);
    }
}

void MeterSession::Start() {
    StartSearch();
    detekt_->start();
}

void MeterSession::Close() {
    closing_ = true;
    detekt_->stop();
    interval_->stop();
    period_->stop();
    worker_.Stop();
}

QString MeterSession::ModelName() const {
    if (!Identified()) return {};
    return QString::fromStdString(ModelCaption(instrumentCode_).value_or(std::string()));
}

QString MeterSession::HeadName() const {
    if (!Identified() || !headAsked_) return {};
    return QString::fromStdString(HeadCaption(headCode_).value_or(std::string()));
}

void MeterSession::SetSettings(const MeasurementSettings& settings) {
    settings_ = settings;
    interval_->setInterval(settings_.intervalMs);
}

void MeterSession::SetState(MeterState state) {
    if (state_ == state) return;
    state_ = state;
    emit stateChanged(state);
}

void MeterSession::JobBegun() {
    ++jobsRunning_;
    if (state_ == MeterState::Ready) SetState(MeterState::Busy);
}

void MeterSession::JobDone() {
    // After the job's own end, which may have lost the port.
    if (--jobsRunning_ == 0 && state_ == MeterState::Busy) SetState(MeterState::Ready);
}

void MeterSession::Post(std::function<void()> fn) {
    QMetaObject::invokeMethod(this, std::move(fn), Qt::QueuedConnection);
}

void MeterSession::StartSearch() {
    SetState(MeterState::Searching);
    MeterWorker::Job job;
    job.kind = JobKind::Search;
    job.run = [this](Link& link) {
        (void)search_.Run(link, [this](const SearchNote& note) {
            Post([this, note] {
                if (!closing_) emit searchNote(note);
            });
        });
    };
    // Queued: it follows the failed identification that asks for it.
    (void)worker_.Submit(std::move(job), WhenBusy::Queue);
}

void MeterSession::DetectTick() {
    if (!search_.PortFound()) {
        emit stillSearching();
        return;
    }
    // The identification asked for earlier has not ended yet.
    if (!worker_.Idle()) return;
    const int port = search_.PortNumber();
    emit portFound(port);
    // The ticks wait for the outcome: it starts them again when the meter was not identified.
    if (SubmitMeterJob(
            worker_, this, JobKind::Identify, WhenBusy::Refuse,
            [port](Link& link) { return Identify(link, port); },
            [this](const Identification& id) { FinishIdentification(id); })) {
        detekt_->stop();
        SetState(MeterState::Identifying);
    }
}

void MeterSession::FinishIdentification(const Identification& id) {
    if (closing_) return;
    if (id.status != MeterStatus::Ok) {
        // Nothing of a half answer is kept. The search starts again, and the first tick after
        // it found the meter identifies it.
        ReportJobEnd(JobKind::Identify, id.status);
        search_.SearchAgain();
        StartSearch();
        detekt_->start();
        return;
    }
    if (!ModelCaption(id.InstrumentCode) && id.InstrumentCode != kModelWithHead) {
        // Some other device answered: it is named, and no exchange goes to it.
        foreignCode_ = id.InstrumentCode;
        SetState(MeterState::Foreign);
        emit foreignDevice(id.InstrumentCode);
        return;
    }
    instrumentCode_ = id.InstrumentCode;
    headAsked_ = id.HeadAsked;
    if (id.HeadAsked) headCode_ = id.HeadCode;
    SetState(MeterState::Ready);
    emit identified();
}

void MeterSession::ReportJobEnd(JobKind job, MeterStatus status, int count) {
    emit jobEnded(job, status, count);
    if (status == MeterStatus::Gone && Identified()) LosePort();
}

void MeterSession::LosePort() {
    // The adapter may come back under another device name: the search lists the ports again
    // on every pass, and the meter found is identified anew.
    period_->stop();
    interval_->stop();
    SetLiveMode(LiveMode::Off);
    SetState(MeterState::Lost);
    emit portLost();
    search_.SearchAgain();
    StartSearch();
    detekt_->start();
}

}  // namespace lmr
