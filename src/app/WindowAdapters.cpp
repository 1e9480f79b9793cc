#include "app/WindowAdapters.h"

#include "app/TFMain.h"

#include <QCheckBox>
#include <QLineEdit>
#include <algorithm>

#include "core/AssessReadingOf.h"
#include "measure/NumberText.h"
#include "measure/TimeWindow.h"
#include "windows/TimeMaskEdit.h"

namespace lmr {

namespace {

struct LimitControls {
    QCheckBox* box;
    QLineEdit* max;
    QLineEdit* min;
};

LimitControls ControlsOf(const TFOptions& w, AlarmChannel c) {
    switch (c) {
        case AlarmChannel::Tv:
            return {w.CheckBoxT, w.EditTmax, w.EditTmin};
        case AlarmChannel::Rh:
            return {w.CheckBoxRH, w.EditRHmax, w.EditRHmin};
        case AlarmChannel::Tsf:
            return {w.CheckBoxV, w.EditVmax, w.EditVmin};
    }
    return {w.CheckBoxT, w.EditTmax, w.EditTmin};
}

}  // namespace

OptionsWindowSettings::OptionsWindowSettings(TFOptions& w) : w_(w) {
    for (QLineEdit* e :
         {w.EditTmin, w.EditTmax, w.EditRHmin, w.EditRHmax, w.EditVmin, w.EditVmax}) {
        QObject::connect(e, &QLineEdit::textChanged, e, [&w, e](const QString& text) {
            w.SetEditInvalid(e, !ParseDecimal(text).has_value());
        });
    }
    for (TimeMaskEdit* e : {w.MaskEditTimeN, w.MaskEditTimeK}) {
        QObject::connect(e, &QLineEdit::textChanged, e, [&w, e] {
            w.SetEditInvalid(e, ParseWindowTime(e->TimeText()).state == WindowTimeState::Invalid);
        });
    }
}

bool OptionsWindowSettings::TimedMode() const {
    return w_.CheckBoxTimer->isChecked();
}
QString OptionsWindowSettings::StartTimeText() const {
    return w_.MaskEditTimeN->TimeText();
}
QString OptionsWindowSettings::EndTimeText() const {
    return w_.MaskEditTimeK->TimeText();
}
bool OptionsWindowSettings::LimitTicked(AlarmChannel c) const {
    return ControlsOf(w_, c).box->isChecked();
}
QString OptionsWindowSettings::MaxText(AlarmChannel c) const {
    return ControlsOf(w_, c).max->text();
}
QString OptionsWindowSettings::MinText(AlarmChannel c) const {
    return ControlsOf(w_, c).min->text();
}
bool OptionsWindowSettings::Beep() const {
    return w_.CheckBoxBeep->isChecked();
}

void OptionsWindowSettings::MarkLimits(AlarmChannel c, bool maxValid, bool minValid) {
    const LimitControls l = ControlsOf(w_, c);
    w_.SetEditInvalid(l.max, !maxValid);
    w_.SetEditInvalid(l.min, !minValid);
}

void OptionsWindowSettings::MarkTimes(bool startValid, bool endValid) {
    w_.SetEditInvalid(w_.MaskEditTimeN, !startValid);
    w_.SetEditInvalid(w_.MaskEditTimeK, !endValid);
}

std::vector<double> LiveStatistics::Values(int item) const {
    static constexpr Quantity kItems[] = {Quantity::Tv, Quantity::Rh, Quantity::Tsf};
    if (item < 0 || item > 2) return {};
    std::vector<double> values;
    values.reserve(static_cast<size_t>(live_.Count()));
    for (int i = 0; i < live_.Count(); ++i) {
        if (const auto v = LiveValue(live_.At(i), kItems[item])) values.push_back(*v);
    }
    return values;
}

std::vector<AssessReading> MainAssessSource::Readings(AssessSourceKind kind) const {
    return kind == AssessSourceKind::Live ? LiveReadings() : LoggerReadings();
}

qint64 MainAssessSource::Revision(AssessSourceKind kind) const {
    return kind == AssessSourceKind::Live ? live_.Revision() : logger_.Revision();
}

std::vector<AssessReading> MainAssessSource::LiveReadings() const {
    std::vector<AssessReading> readings;
    readings.reserve(static_cast<size_t>(live_.Count()));
    for (int i = 0; i < live_.Count(); ++i) {
        readings.push_back(AssessReadingOf(live_.At(i)));
    }
    return readings;
}

std::vector<AssessReading> MainAssessSource::LoggerReadings() const {
    std::vector<AssessReading> readings;
    const std::vector<int> counted = logger_.CountedRows();
    readings.reserve(counted.size());
    for (const int i : counted) {
        const LoggerEntry& e = logger_.At(i);
        if (!LoggerRecordValid(e.record)) {
            AssessReading left;
            left.valid = false;
            readings.push_back(left);
            continue;
        }
        readings.push_back(AssessReadingOf(e.reading));
    }
    return readings;
}

// The names the status bar shows for the model and head.
bool MainSurveyHost::Identified() const { return m_.Identified(); }
QString MainSurveyHost::ModelName() const { return m_.PanelText(1).trimmed(); }
// Only a meter that answers 65 is asked for its head; the others have none to name, which the
// meter's own word for "no head" says rather than an empty field.
QString MainSurveyHost::HeadName() const {
    const QString head = m_.PanelText(2).trimmed();
    return head.isEmpty() && m_.Identified() ? QStringLiteral("нет") : head;
}
bool MainSurveyHost::LiveRunning() const {
    return m_.TimerInterval->isActive() || m_.TimerPeriod->isActive();
}
void MainSurveyHost::StartLive() {
    if (!LiveRunning()) m_.ButtonStartStopClick();
}
void MainSurveyHost::StopLive() {
    if (LiveRunning()) m_.ButtonStartStopClick();
}
const LiveSession& MainSurveyHost::Live() const { return m_.Live(); }
const LoggerTable& MainSurveyHost::Logger() const { return m_.Logger(); }
QString MainSurveyHost::LoggerFile() const { return m_.LoggerFile(); }
void MainSurveyHost::ShowSurveySeries(const QString& text) { m_.ShowSurveySeries(text); }

}  // namespace lmr
