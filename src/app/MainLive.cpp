// Live measurement on the main window: start and stop, the timers, one
// reading and its displays.
#include "app/MainTexts.h"
#include "app/MeterJob.h"
#include "app/MeterTexts.h"
#include "app/TFMain.h"
#include "measure/Clock.h"
#include "measure/CriticalLevel.h"
#include "measure/HeatStress.h"
#include "measure/NumberText.h"
#include "core/LiveSession.h"
#include "measure/TimeWindow.h"

#include <utility>

namespace lmr {

void TFMain::SubmitProbe(const char* name, std::function<void(bool answered)> answered) {
    const int port = PortNumber();
    const bool taken = SubmitMeterJob(
        meter_, this, JobKind::Probe, WhenBusy::Refuse,
        [port, name](Link& link) { return ProbeOnly(link, port, name); },
        [this, answered](MeterStatus status) {
            if (Closing()) return;
            if (status == MeterStatus::Gone) {
                ShowJobEnd(JobKind::Probe, status);
                return;
            }
            if (answered) answered(status == MeterStatus::Ok);
        });
    // A probe that finds another job holding the link is not answered.
    if (!taken && answered) answered(false);
}

void TFMain::ButtonStartStopClick() {
    if (RefuseBeforeIdentification()) {
        return;
    }
    const bool timed = options_ != nullptr && options_->TimedMode();
    const bool starting = !TimerPeriod->isActive() && !TimerInterval->isActive();
    if (starting && meter_.Busy()) {
        // A click that came during another job (a download): its probe would find the link
        // busy, which is no silence of the meter.
        SetPanelText(3, MeterStatusText(JobKind::Probe, MeterStatus::Busy));
        return;
    }
    if (timed) {
        if (TimerPeriod->isActive()) {
            TimerPeriod->stop();
            ButtonStartStop->setText(QString::fromUtf8(kStartCaption));
            TimerInterval->stop();
            SubmitProbe("stop", {});
            return;
        }
        SubmitProbe("start", [this](bool answered) {
            if (answered) {
                SetPanelText(3, QString::fromUtf8(kWaitingForStart));
                periodCheckedAt_ = appClock().now();
                liveMissed_ = 0;
                TimerPeriod->start();
                ButtonStartStop->setText(QString::fromUtf8(kStopCaption));
            } else {
                SetPanelText(3, QString::fromUtf8(kNoAnswerAtStart));
            }
        });
        return;
    }
    if (TimerInterval->isActive()) {
        TimerInterval->stop();
        ButtonStartStop->setText(QString::fromUtf8(kStartCaption));
        SetPanelText(3, QString::fromUtf8(kBlank));
        SubmitProbe("stop", {});
        return;
    }
    SubmitProbe("start", [this](bool answered) {
        if (answered) {
            SetPanelText(3, QString::fromUtf8(kConnected));
            liveMissed_ = 0;
            TimerInterval->start();
            ButtonStartStop->setText(QString::fromUtf8(kStopCaption));
            SetPanelText(3, QString::fromUtf8(kReadingChannels));
        } else {
            TimerInterval->stop();
            ButtonStartStop->setText(QString::fromUtf8(kStartCaption));
            SetPanelText(3, MeterStatusText(JobKind::Probe, MeterStatus::NoAnswer));
        }
    });
}

void TFMain::TimerIntervalTimer() {
    TakeReading();
}

void TFMain::TimerPeriodTimer() {
    const QDateTime now = appClock().now();
    if (options_ == nullptr) {
        return;
    }
    const QString start = options_->StartTimeText();
    const QString end = options_->EndTimeText();
    options_->MarkTimes(ParseWindowTime(start).state != WindowTimeState::Invalid,
                        ParseWindowTime(end).state != WindowTimeState::Invalid);
    // Enabling a running timer would restart its count; a match only starts it.
    if (MatchesMinute(start, now) && !TimerInterval->isActive()) {
        TimerInterval->start();
    }
    // A clock set forward past the end minute ends the measurement too, instead of a day later.
    const QDateTime since = std::exchange(periodCheckedAt_, now);
    if (ReachedMinute(end, since, now)) {
        TimerInterval->stop();
        TimerPeriod->stop();
        ButtonStartStop->setText(QString::fromUtf8(kStartCaption));
    }
}

void TFMain::StopLive(qint64 awaySeconds) {
    SetPanelText(3, QString::fromUtf8(kLiveGaveUp).arg(awaySeconds));
    TimerPeriod->stop();
    ButtonStartStop->setText(QString::fromUtf8(kStartCaption));
    TimerInterval->stop();
}

void TFMain::TakeReading() {
    if (!identified_) {
        return;
    }
    const int port = PortNumber();
    const bool taken = SubmitMeterJob(
        meter_, this, JobKind::Reading, WhenBusy::Refuse,
        [this, port](Link& link) {
            return ReadLiveChannels(link, port, [this] {
                Post([this] { SetPanelText(3, QString::fromUtf8(kReading)); });
            });
        },
        [this](const LiveChannels& r) { FinishReading(r); });
    if (!taken) {
        // Another job holds the link (a download): this reading is skipped, and says so.
        SetPanelText(3, MeterStatusText(JobKind::Reading, MeterStatus::Busy));
    }
}

void TFMain::FinishReading(const LiveChannels& r) {
    if (Closing() || r.status == MeterStatus::Cancelled) return;
    if (r.status == MeterStatus::Busy || r.status == MeterStatus::Gone) {
        ShowJobEnd(JobKind::Reading, r.status);  // a port gone away ends the measurement
        return;
    }
    if (r.status == MeterStatus::Ok && LivePlausible(r)) {
        PublishReading(r.rh, r.tv, r.tsf, std::exchange(liveMissed_, 0));
        return;
    }
    // Nothing of this reading is shown; the next tick tries again, and the reading that then
    // comes marks the gap. Only a meter that stays away ends the measurement.
    const QDateTime now = appClock().now();
    if (liveMissed_++ == 0) liveMissedSince_ = now;
    if (r.status == MeterStatus::Ok) {
        SetPanelText(3, QString::fromUtf8(kLiveImplausible)
                            .arg(TenthText(r.rh), TenthText(r.tv), TenthText(r.tsf)));
    } else if (r.status == MeterStatus::Noise) {
        ShowJobEnd(JobKind::Reading, r.status);
    } else if (const qint64 away = liveMissedSince_.secsTo(now); away >= kLiveGiveUpSeconds) {
        StopLive(away);
    } else {
        SetPanelText(3, QString::fromUtf8(kLiveMissed).arg(liveMissed_));
    }
}

void TFMain::PublishReading(float rh, float tv, float tsf, int missedBefore) {
    Reading reading = MakeReading(appClock().now(), rh, tv, tsf, ReadingOrigin::Live,
                                  InstrumentCode, HeadCode);
    reading.missedBefore = missedBefore;
    CheckLevel(AlarmChannel::Tv, tv);
    CheckLevel(AlarmChannel::Rh, rh);
    CheckLevel(AlarmChannel::Tsf, tsf);
    live_.Add(reading);  // the live page shows it through the session's signal
}

void TFMain::CheckLevel(AlarmChannel c, float value) {
    if (options_ == nullptr) {
        return;
    }
    const LimitCheck check =
        CheckLimit(value, options_->LimitTicked(c), options_->MaxText(c), options_->MinText(c));
    options_->MarkLimits(c, check.maxValid, check.minValid);
    const Quantity q = c == AlarmChannel::Tv ? Quantity::Tv
                       : c == AlarmChannel::Rh ? Quantity::Rh
                                               : Quantity::Tsf;
    QString level;
    if (check.hit == LimitHit::Max) {
        level = QString::fromUtf8(kLevelAbove).arg(TenthText(value), options_->MaxText(c).trimmed());
    } else if (check.hit == LimitHit::Min) {
        level = QString::fromUtf8(kLevelBelow).arg(TenthText(value), options_->MinText(c).trimmed());
    }
    ShowLevel(q, check.alarm ? level : QString());
    if (check.alarm && options_->Beep() && tone_ != nullptr) {
        tone_->Play(kAlarmHz, kAlarmMs);
    }
}

void TFMain::ButtonClearClick() {
    live_.Clear();  // the live page clears through the session's signal
}

}  // namespace lmr
