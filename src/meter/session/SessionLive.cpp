// The live measurement: start and stop with the probe, the timed mode, one reading, missed
// readings and the give-up, the critical levels.
#include <utility>

#include "core/Reading.h"
#include "measure/Clock.h"
#include "measure/TimeWindow.h"
#include "meter/session/MeterSession.h"

namespace lmr {

void MeterSession::SetLiveMode(LiveMode mode) {
    if (liveMode_ == mode) return;
    liveMode_ = mode;
    emit liveModeChanged(mode);
}

void MeterSession::SubmitProbe(const char* name, std::function<void(bool answered)> answered) {
    const int port = PortNumber();
    const bool taken = Submit(
        JobKind::Probe,
        [port, name](Link& link) { return ProbeOnly(link, port, name); },
        [this, answered](MeterStatus status) {
            if (closing_) return;
            if (status == MeterStatus::Gone) {
                ReportJobEnd(JobKind::Probe, status);
                return;
            }
            if (answered) answered(status == MeterStatus::Ok);
        });
    // A probe that finds another job holding the link is not answered.
    if (!taken && answered) answered(false);
}

void MeterSession::StartStop() {
    if (!Identified()) return;
    const bool starting = !period_->isActive() && !interval_->isActive();
    if (starting && worker_.Busy()) {
        // A start during another job (a download): its probe would find the link busy, which
        // is no silence of the meter.
        emit liveNote({LiveNote::Kind::StartBusy, 0, 0, {}});
        return;
    }
    if (settings_.timed) {
        if (period_->isActive()) {
            period_->stop();
            interval_->stop();
            SetLiveMode(LiveMode::Off);
            SubmitProbe("stop", {});
            return;
        }
        StartTimed();
        return;
    }
    if (interval_->isActive()) {
        interval_->stop();
        SetLiveMode(LiveMode::Off);
        emit liveNote({LiveNote::Kind::Stopped, 0, 0, {}});
        SubmitProbe("stop", {});
        return;
    }
    StartImmediate();
}

void MeterSession::StartTimed() {
    SubmitProbe("start", [this](bool answered) {
        if (!answered) {
            emit liveNote({LiveNote::Kind::NoAnswerAtStart, 0, 0, {}});
            return;
        }
        emit liveNote({LiveNote::Kind::Armed, 0, 0, {}});
        periodCheckedAt_ = appClock().now();
        liveMissed_ = 0;
        period_->start();
        SetLiveMode(interval_->isActive() ? LiveMode::Measuring : LiveMode::Armed);
    });
}

void MeterSession::StartImmediate() {
    SubmitProbe("start", [this](bool answered) {
        if (!answered) {
            interval_->stop();
            SetLiveMode(LiveMode::Off);
            emit liveNote({LiveNote::Kind::NoAnswer, 0, 0, {}});
            return;
        }
        liveMissed_ = 0;
        interval_->start();
        SetLiveMode(LiveMode::Measuring);
        emit liveNote({LiveNote::Kind::Started, 0, 0, {}});
    });
}

void MeterSession::PeriodTick() {
    const QDateTime now = appClock().now();
    // Starting a running timer would restart its count; a match only starts it.
    if (MatchesMinute(settings_.start, now) && !interval_->isActive()) {
        interval_->start();
        SetLiveMode(LiveMode::Measuring);
    }
    // A clock set forward past the end minute ends the measurement too, instead of a day later.
    const QDateTime since = std::exchange(periodCheckedAt_, now);
    if (ReachedMinute(settings_.end, since, now)) {
        interval_->stop();
        period_->stop();
        SetLiveMode(LiveMode::Off);
    }
}

void MeterSession::StopLive(qint64 awaySeconds) {
    period_->stop();
    interval_->stop();
    SetLiveMode(LiveMode::Off);
    emit liveNote({LiveNote::Kind::GaveUp, 0, awaySeconds, {}});
}

void MeterSession::TakeReading() {
    if (!Identified()) return;
    const int port = PortNumber();
    const bool taken = Submit(
        JobKind::Reading,
        [this, port](Link& link) {
            return ReadLiveChannels(link, port, [this] {
                Post([this] {
                    if (!closing_) emit liveNote({LiveNote::Kind::Reading, 0, 0, {}});
                });
            });
        },
        [this](const LiveChannels& r) { FinishReading(r); });
    // Another job holds the link (a download): this reading is skipped, and says so.
    if (!taken) emit liveNote({LiveNote::Kind::ReadingSkipped, 0, 0, {}});
}

void MeterSession::FinishReading(const LiveChannels& r) {
    if (closing_ || r.status == MeterStatus::Cancelled) return;
    if (r.status == MeterStatus::Busy || r.status == MeterStatus::Gone) {
        ReportJobEnd(JobKind::Reading, r.status);  // a port gone away ends the measurement
        return;
    }
    if (r.status == MeterStatus::Ok && LivePlausible(r)) {
        PublishReading(r.rh, r.tv, r.tsf, std::exchange(liveMissed_, 0));
        return;
    }
    // Nothing of this reading is kept; the next tick tries again, and the reading that then
    // comes marks the gap. Only a meter that stays away ends the measurement.
    const QDateTime now = appClock().now();
    if (liveMissed_++ == 0) liveMissedSince_ = now;
    if (r.status == MeterStatus::Ok) {
        emit liveNote({LiveNote::Kind::Implausible, liveMissed_, 0, r});
    } else if (r.status == MeterStatus::Noise) {
        ReportJobEnd(JobKind::Reading, r.status);
    } else if (const qint64 away = liveMissedSince_.secsTo(now); away >= kLiveGiveUpSeconds) {
        StopLive(away);
    } else {
        emit liveNote({LiveNote::Kind::Missed, liveMissed_, 0, {}});
    }
}

void MeterSession::PublishReading(float rh, float tv, float tsf, int missedBefore) {
    Reading reading = MakeReading(appClock().now(), rh, tv, tsf, ReadingOrigin::Live,
                                  instrumentCode_, headCode_);
    reading.missedBefore = missedBefore;
    CheckLevel(AlarmChannel::Tv, tv);
    CheckLevel(AlarmChannel::Rh, rh);
    CheckLevel(AlarmChannel::Tsf, tsf);
    live_.Add(reading);  // the live page shows it through the live session's signal
}

void MeterSession::CheckLevel(AlarmChannel c, float value) {
    const ChannelLimits& limits = settings_.Limits(c);
    const auto number = [](const std::optional<LimitValue>& l) {
        return l ? std::optional<double>(l->value) : std::nullopt;
    };
    const LimitCheck check = CheckLimit(value, limits.ticked, number(limits.max), number(limits.min));
    LevelNote note{c, check.hit, value, {}};
    if (check.hit == LimitHit::Max) note.limit = limits.max->written;
    if (check.hit == LimitHit::Min) note.limit = limits.min->written;
    emit levelChecked(note);
    if (check.alarm && settings_.beep) emit alarm();
}

}  // namespace lmr
