// Live measurement on the main window: start and stop, the timers, one
// reading and its displays.
#include "app/MainTexts.h"
#include "app/TFMain.h"
#include "instrument/InstrumentTexts.h"
#include "link/Exchange.h"
#include "measure/Clock.h"
#include "measure/CriticalLevel.h"
#include "measure/HeatStress.h"
#include "measure/LiveExchange.h"
#include "measure/NumberText.h"
#include "measure/TimeWindow.h"

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

// Probes the instrument in an exchange of its own; true when it answered.
bool TFMain::ProbeOnly(const char* name) {
    bool answered = false;
    RunExchange([&](const PostToWindow&) {
        Exchange x(link_, PortNumber(), name);
        answered = x.Result() == ExchangeResult::Answered;
    });
    return answered;
}

void TFMain::ButtonStartStopClick() {
    if (RefuseBeforeIdentification()) {
        return;
    }
    const bool timed = options_ != nullptr && options_->TimedMode();
    const bool starting = !TimerPeriod->isActive() && !TimerInterval->isActive();
    if (starting && ExchangeRunning()) {
        // A click that came during another exchange (a download): its probe would find the
        // link busy, which is no silence of the meter.
        SetPanelText(3, QString::fromUtf8(kInstrumentBusyText));
        return;
    }
    if (timed) {
        if (TimerPeriod->isActive()) {
            TimerPeriod->stop();
            ButtonStartStop->setText(QString::fromUtf8(kStartCaption));
            TimerInterval->stop();
            (void)ProbeOnly("stop");
            return;
        }
        if (ProbeOnly("start")) {
            SetPanelText(3, QString::fromUtf8(kWaitingForStart));
            TimerPeriod->start();
            ButtonStartStop->setText(QString::fromUtf8(kStopCaption));
        } else {
            SetPanelText(3, QString::fromUtf8(kNoAnswerAtStart));
        }
        return;
    }
    if (TimerInterval->isActive()) {
        TimerInterval->stop();
        ButtonStartStop->setText(QString::fromUtf8(kStartCaption));
        SetPanelText(3, QString::fromUtf8(kBlank));
        (void)ProbeOnly("stop");
        return;
    }
    if (ProbeOnly("start")) {
        SetPanelText(3, QString::fromUtf8(kConnected));
        TimerInterval->start();
        ButtonStartStop->setText(QString::fromUtf8(kStopCaption));
        SetPanelText(3, QString::fromUtf8(kReadingChannels));
    } else {
        TimerInterval->stop();
        ButtonStartStop->setText(QString::fromUtf8(kStartCaption));
        SetPanelText(3, QString::fromUtf8(kNoAnswer));
    }
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
    if (MatchesMinute(end, now)) {
        TimerInterval->stop();
        TimerPeriod->stop();
        ButtonStartStop->setText(QString::fromUtf8(kStartCaption));
    }
}

void TFMain::StopLive() {
    SetPanelText(3, QString::fromUtf8(kNoAnswer));
    TimerPeriod->stop();
    ButtonStartStop->setText(QString::fromUtf8(kStartCaption));
    TimerInterval->stop();
}

void TFMain::TakeReading() {
    if (!identified_) {
        return;
    }
    LiveChannels r;
    RunExchange([&](const PostToWindow& post) {
        r = ReadLiveChannels(link_, PortNumber(), [&] {
            post([this] { SetPanelText(3, QString::fromUtf8(kReading)); });
        });
    });
    if (r.status == LiveStatus::Busy) {
        // Another exchange holds the link (a download): this reading is skipped, and says so.
        SetPanelText(3, QString::fromUtf8(kReadingSkipped));
        return;
    }
    if (r.status != LiveStatus::Answered) {
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
    if (check.alarm && options_->Beep() && tone_ != nullptr) {
        tone_->Play(kAlarmHz, kAlarmMs);
    }
}

void TFMain::UpdateChartWindows() {
    // Each chart reaches ChartPointsShown back from the newest point of its
    // leading series; only that window is handed to the chart to draw.
    for (const LiveChartInfo& info : LiveCharts()) {
        QChart* chart = LiveChartNamed(info.chartName);
        const auto newest = record_.Series(info.windowFrom).NewestX();
        if (chart == nullptr || !newest) {
            continue;
        }
        const XRange range = VisibleRange(*newest, ChartPointsShown);
        BottomAxis(chart)->setRange(range.min, range.max);
    }
    for (Quantity q : AllQuantities()) {
        const LiveSeries& s = record_.Series(q);
        const auto newest = s.NewestX();
        QList<QPointF> points;
        if (newest) {
            const int first = std::max(0, s.Count() - 1 - ChartPointsShown);
            points.reserve(s.Count() - first);
            for (int i = first; i < s.Count(); ++i) {
                const LivePoint& p = s.At(i);
                if (!p.absent) {
                    points.append(QPointF(p.x, p.y));
                }
            }
        }
        LiveSeriesOf(q)->replace(points);
    }
}

void TFMain::ButtonClearClick() {
    record_.Clear();
    liveTimes_.clear();
    for (Quantity q : AllQuantities()) {
        LiveSeriesOf(q)->clear();
        ValueLabelOf(q)->setText(QStringLiteral("0.0"));
    }
}

}  // namespace lmr
