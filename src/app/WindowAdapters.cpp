#include "app/WindowAdapters.h"

#include "app/TFMain.h"

#include <algorithm>

#include "core/AssessReadingOf.h"

namespace lmr {

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

// The names of the model and head the meter session identified.
bool MainSurveyHost::Identified() const { return m_.Session().Identified(); }
QString MainSurveyHost::ModelName() const { return m_.Session().ModelName(); }
// Only a meter that answers 65 is asked for its head; the others have none to name, which the
// meter's own word for "no head" says rather than an empty field.
QString MainSurveyHost::HeadName() const {
    const QString head = m_.Session().HeadName();
    return head.isEmpty() && Identified() ? QStringLiteral("нет") : head;
}
bool MainSurveyHost::LiveRunning() const {
    return m_.Session().Live() != LiveMode::Off;
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
