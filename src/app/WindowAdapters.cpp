#include "app/WindowAdapters.h"

#include <QCheckBox>
#include <QLineEdit>
#include <algorithm>

#include "measure/Clock.h"
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
    if (item < 0 || item > 2) {
        return {};
    }
    const LiveSeries& s = record_.Series(kItems[item]);
    std::vector<double> values;
    values.reserve(static_cast<size_t>(s.Count()));
    for (int i = 0; i < s.Count(); ++i) {
        if (!s.At(i).absent) {
            values.push_back(s.At(i).y);
        }
    }
    return values;
}

std::vector<AssessReading> MainAssessSource::Readings(AssessSourceKind kind) const {
    return kind == AssessSourceKind::Live ? LiveReadings() : LoggerReadings();
}

qint64 MainAssessSource::Revision(AssessSourceKind kind) const {
    if (kind == AssessSourceKind::Live) return m_.Record().Series(Quantity::Ths).Count();
    // Rows only grow during a download; a table loaded anew may keep the count, not the text.
    const StringGrid& g = *m_.StringGridL;
    const int last = g.RowCount() - 2;
    return (qint64{g.RowCount()} << 32) ^
           qHash(last >= 1 ? g.Cells(0, last) + g.Cells(1, last) : QString());
}

std::vector<AssessReading> MainAssessSource::LiveReadings() const {
    const LiveRecord& r = m_.Record();
    const LiveSeries& ths = r.Series(Quantity::Ths);
    const LiveSeries& wbgt = r.Series(Quantity::Wbgt);
    const LiveSeries& w = r.Series(Quantity::W);
    const LiveSeries& air = r.Series(Quantity::Tv);
    const LiveSeries& rh = r.Series(Quantity::Rh);
    const int n = std::min({ths.Count(), wbgt.Count(), w.Count(), air.Count(), rh.Count()});
    std::vector<int> times;
    std::vector<AssessReading> readings;
    for (int i = 0; i < n; ++i) {
        const std::optional<int> t = TimeOfDaySeconds(ths.At(i).label);
        if (!t || ths.At(i).absent || wbgt.At(i).absent || w.At(i).absent || air.At(i).absent ||
            rh.At(i).absent) {
            continue;
        }
        times.push_back(*t);
        readings.push_back({0, ths.At(i).y, wbgt.At(i).y, w.At(i).y, air.At(i).y, rh.At(i).y});
    }
    // The record is taken up to now: its last reading is today's.
    const std::vector<qint64> seconds = UnwrapTimesOfDay(times, appClock().now().date());
    for (std::size_t i = 0; i < readings.size(); ++i) readings[i].seconds = seconds[i];
    return readings;
}

std::vector<AssessReading> MainAssessSource::LoggerReadings() const {
    const StringGrid& g = *m_.StringGridL;
    std::vector<AssessReading> readings;
    std::vector<std::optional<qint64>> times;
    for (int row = 1; row < g.RowCount(); ++row) {
        const auto ths = ParseDecimal(g.Cells(1, row));
        const auto wbgt = ParseDecimal(g.Cells(2, row));
        const auto w = ParseDecimal(g.Cells(9, row));
        const auto rh = ParseDecimal(g.Cells(3, row));
        const auto air = ParseDecimal(g.Cells(4, row));
        // The empty row a download leaves at the end.
        if (!ths || !wbgt || !w || !air || !rh) continue;
        readings.push_back({0, *ths, *wbgt, *w, *air, *rh});
        times.push_back(LoggerTimeSeconds(g.Cells(0, row)));
    }
    // A record whose time text cannot be read is still counted: it takes the time of the record
    // before it, or of the first readable one.
    const auto first = std::find_if(times.begin(), times.end(), [](const auto& t) { return t; });
    std::optional<qint64> known = first != times.end() ? *first : std::nullopt;
    for (std::size_t i = 0; i < times.size(); ++i) {
        if (times[i]) known = times[i];
        readings[i].seconds = known.value_or(0);
    }
    return readings;
}

}  // namespace lmr
