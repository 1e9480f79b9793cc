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
#include "measure/TimeWindow.h"

#include <utility>

namespace lmr {

QLineSeries* TFMain::LiveSeriesOf(Quantity q) const {
    switch (q) {
        case Quantity::Ths:
            return LineSeries3;
        case Quantity::Wbgt:
            return Series11;
        case Quantity::Rh:
            return LineSeries4;
        case Quantity::Tv:
            return Series13;
        case Quantity::Tsf:
            return LineSeries5;
        case Quantity::Tvt:
            return Series12;
        case Quantity::Ttr:
            return Series14;
        case Quantity::Trad:
            return LineSeries1;
        case Quantity::W:
            return LineSeries2;
    }
    return nullptr;
}

QLabel* TFMain::ValueLabelOf(Quantity q) const {
    switch (q) {
        case Quantity::Ths:
            return Label25;
        case Quantity::Wbgt:
            return Label26;
        case Quantity::Rh:
            return Label23;
        case Quantity::Tv:
            return Label21;
        case Quantity::Tsf:
            return Label22;
        case Quantity::Tvt:
            return Label27;
        case Quantity::Ttr:
            return Label28;
        case Quantity::Trad:
            return Label29;
        case Quantity::W:
            return Label30;
    }
    return nullptr;
}

QChart* TFMain::LiveChartNamed(const char* name) const {
    for (QChart* c : {Chart1, Chart2, Chart3, Chart4, Chart5, Chart6}) {
        if (c->objectName() == QLatin1String(name)) {
            return c;
        }
    }
    return nullptr;
}

void TFMain::SubmitProbe(const char* name, std::function<void(bool answered)> answered) {
    const int port = PortNumber();
    const bool taken = SubmitMeterJob(
        meter_, this, JobKind::Probe, WhenBusy::Refuse,
        [port, name](Link& link, const std::atomic<bool>&) { return ProbeOnly(link, port, name); },
        [this, answered](MeterStatus status) {
            if (answered && !Closing()) answered(status == MeterStatus::Ok);
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

void TFMain::StopLive() {
    SetPanelText(3, MeterStatusText(JobKind::Reading, MeterStatus::NoAnswer));
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
        [this, port](Link& link, const std::atomic<bool>&) {
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
    if (r.status != MeterStatus::Ok) {
        // No answer, or the meter stopped halfway: nothing of this reading is shown.
        StopLive();
        return;
    }
    PublishReading(r.rh, r.tv, r.tsf);
}

void TFMain::PublishReading(float rh, float tv, float tsf) {
    const HeatStress h = DeriveHeatStress(rh, tv, tsf);

    const int row = StringGridD->RowCount() - 1;
    // One text for the row and the nine points: they share it instead of holding nine copies.
    liveTimes_.push_back(appClock().now());
    readingTime_ = TimeOfDayText(liveTimes_.back());
    StringGridD->SetCells(0, row, readingTime_);
    Publish(Quantity::Tv, tv);
    CheckLevel(AlarmChannel::Tv, tv);
    Publish(Quantity::Rh, rh);
    CheckLevel(AlarmChannel::Rh, rh);
    PublishLabelAndCell(Quantity::Tvt, h.tvt);
    PublishLabelAndCell(Quantity::Ttr, h.ttr.value_or(0), !h.ttr.has_value());
    AddChartPoint(Quantity::Tvt, h.tvt);
    AddChartPoint(Quantity::Ttr, h.ttr.value_or(0), !h.ttr.has_value());
    // The measured globe temperature is shown; the raised one only enters tрад and W.
    Publish(Quantity::Tsf, tsf);
    CheckLevel(AlarmChannel::Tsf, tsf);
    Publish(Quantity::Ths, h.ths);
    Publish(Quantity::Wbgt, h.wbgt);
    Publish(Quantity::Trad, h.trad);
    Publish(Quantity::W, h.w);

    StringGridD->SetTopRow(StringGridD->RowCount());
    StringGridD->SetRowCount(StringGridD->RowCount() + 1);
    UpdateChartWindows();
}

void TFMain::PublishLabelAndCell(Quantity q, double value, bool absent) {
    // A dew point that does not exist (RH 0) shows as "-", never as a number.
    const QString text = absent ? QString::fromLatin1(kAbsentText) : TenthText(value);
    ValueLabelOf(q)->setText(text);
    StringGridD->SetCells(GridColumnOf(q), StringGridD->RowCount() - 1, text);
}

void TFMain::AddChartPoint(Quantity q, double value, bool absent) {
    record_.Series(q).Add(absent ? 0.0 : RoundToTenth(value), readingTime_, InfoOf(q).pointColour,
                          absent);
}

void TFMain::Publish(Quantity q, double value) {
    PublishLabelAndCell(q, value);
    AddChartPoint(q, value);
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

void TFMain::ShowLevel(Quantity q, const QString& level) {
    // In a noisy workshop, or with no sound, the tone alone passes unnoticed: the digits of a
    // channel at its critical level turn white on red, and the level is in the label's tool tip
    // and accessible description, so a screen reader gets it too.
    QLabel* label = ValueLabelOf(q);
    const bool on = !level.isEmpty();
    if (label->property("atLevel").toBool() == on && label->toolTip() == level) return;
    label->setProperty("atLevel", on);
    QPalette p = label->palette();
    if (on) {
        p.setColor(QPalette::Window, QColor(0xc0, 0x00, 0x00));
        p.setColor(QPalette::WindowText, Qt::white);
    } else {
        p.setColor(QPalette::WindowText, label->property("digitColour").value<QColor>());
    }
    label->setAutoFillBackground(on);
    label->setPalette(p);
    label->setToolTip(level);
    const QString caption = QString::fromUtf8(InfoOf(q).captionText);
    label->setAccessibleDescription(on ? caption + QStringLiteral(": ") + level : caption);
}

void TFMain::UpdateChartWindows() {
    // Each chart reaches ChartPointsShown back from the newest point of its leading series,
    // unless the user has zoomed or moved it to look back: it then stays where it was put.
    const auto& charts = LiveCharts();
    for (size_t i = 0; i < charts.size(); ++i) {
        QChart* chart = LiveChartNamed(charts[i].chartName);
        const auto newest = record_.Series(charts[i].windowFrom).NewestX();
        if (chart == nullptr) continue;
        QValueAxis* axis = BottomAxis(chart);
        if (liveFollowing_[i] && newest) {
            const XRange range = VisibleRange(*newest, ChartPointsShown);
            if (range.min != axis->min() || range.max != axis->max()) {
                axis->setRange(range.min, range.max);  // refills the chart through its signal
                continue;
            }
        }
        FillLiveChart(static_cast<int>(i));
    }
}

void TFMain::FillLiveChart(int chartIndex) {
    // Only the readings in view are handed to a chart to draw, re-sliced from the record
    // whenever the view moves, so a reading costs the same at the 100th and the 100,000th.
    const LiveChartInfo& info = LiveCharts()[static_cast<size_t>(chartIndex)];
    QChart* chart = LiveChartNamed(info.chartName);
    if (chart == nullptr) return;
    const QValueAxis* axis = BottomAxis(chart);
    for (Quantity q : AllQuantities()) {
        if (qstrcmp(InfoOf(q).chartName, info.chartName) != 0) continue;
        LiveSeriesOf(q)->replace(
            PointsInView(record_.Series(q), axis->min(), axis->max(), kLiveChartMaxPoints));
    }
}

void TFMain::LiveChartMovedByUser(int chartIndex, bool reset) {
    liveFollowing_[static_cast<size_t>(chartIndex)] = reset;
    if (reset) {
        UpdateChartWindows();
    }
}

void TFMain::ButtonClearClick() {
    record_.Clear();
    liveFollowing_.fill(true);
    for (Quantity q : {Quantity::Tv, Quantity::Rh, Quantity::Tsf}) ShowLevel(q, QString());
    liveTimes_.clear();
    for (Quantity q : AllQuantities()) {
        LiveSeriesOf(q)->clear();
        ValueLabelOf(q)->setText(QStringLiteral("0.0"));
    }
}

}  // namespace lmr
