// The live measurement on the main window: the start button, panel 3 and the digits at their
// critical level show what the meter session says.
#include "app/MainTexts.h"
#include "app/MeterTexts.h"
#include "app/TFMain.h"
#include "measure/NumberText.h"

namespace lmr {

void TFMain::ButtonStartStopClick() {
    if (RefuseBeforeIdentification()) {
        return;
    }
    session_.StartStop();
}

void TFMain::ShowLiveMode(LiveMode mode) {
    ButtonStartStop->setText(QString::fromUtf8(mode == LiveMode::Off ? kStartCaption : kStopCaption));
}

void TFMain::ShowLiveNote(const LiveNote& note) {
    using K = LiveNote::Kind;
    switch (note.kind) {
        case K::Started:
            SetPanelText(3, QString::fromUtf8(kConnected));
            SetPanelText(3, QString::fromUtf8(kReadingChannels));
            return;
        case K::Stopped:
            SetPanelText(3, QString::fromUtf8(kBlank));
            return;
        case K::Armed:
            SetPanelText(3, QString::fromUtf8(kWaitingForStart));
            return;
        case K::NoAnswerAtStart:
            SetPanelText(3, QString::fromUtf8(kNoAnswerAtStart));
            return;
        case K::NoAnswer:
            SetPanelText(3, MeterStatusText(JobKind::Probe, MeterStatus::NoAnswer));
            return;
        case K::StartBusy:
            SetPanelText(3, MeterStatusText(JobKind::Probe, MeterStatus::Busy));
            return;
        case K::ReadingSkipped:
            SetPanelText(3, MeterStatusText(JobKind::Reading, MeterStatus::Busy));
            return;
        case K::Reading:
            SetPanelText(3, QString::fromUtf8(kReading));
            return;
        case K::Missed:
            SetPanelText(3, QString::fromUtf8(kLiveMissed).arg(note.missed));
            return;
        case K::Implausible: {
            const LiveChannels& r = note.channels;
            SetPanelText(3, QString::fromUtf8(kLiveImplausible)
                                .arg(TenthText(r.rh), TenthText(r.tv), TenthText(r.tsf)));
            return;
        }
        case K::GaveUp:
            SetPanelText(3, QString::fromUtf8(kLiveGaveUp).arg(note.awaySeconds));
            return;
    }
}

void TFMain::ShowLevelNote(const LevelNote& note) {
    const Quantity q = note.channel == AlarmChannel::Tv   ? Quantity::Tv
                       : note.channel == AlarmChannel::Rh ? Quantity::Rh
                                                          : Quantity::Tsf;
    QString level;
    if (note.hit == LimitHit::Max) {
        level = QString::fromUtf8(kLevelAbove).arg(TenthText(note.value), note.limit);
    } else if (note.hit == LimitHit::Min) {
        level = QString::fromUtf8(kLevelBelow).arg(TenthText(note.value), note.limit);
    }
    ShowLevel(q, level);
}

void TFMain::ButtonClearClick() {
    live_.Clear();  // the live page clears through the session's signal
}

}  // namespace lmr
