#include "survey/LoggerSpan.h"

#include <algorithm>

#include "survey/SurveyLimits.h"

namespace lmr {

namespace {

// A data file may hold numbers no meter sends (below 0); the survey does not take them.
bool InChannelRange(float v) {
    return v >= kSurveyMinChannel && v <= kSurveyMaxChannel;
}

}  // namespace

std::vector<int> SpanRows(const LoggerTable& table) {
    std::vector<int> rows;
    for (const int i : table.CountedRows()) {
        const LoggerRecord& r = table.At(i).record;
        if (LoggerRecordValid(r) && InChannelRange(r.rh) && InChannelRange(r.tv) &&
            InChannelRange(r.tsf)) {
            rows.push_back(i);
        }
    }
    return rows;
}

std::optional<TimeSpan> WholeSpan(const LoggerTable& table) {
    std::optional<TimeSpan> span;
    for (const int i : SpanRows(table)) {
        const QDateTime& when = table.At(i).reading.when;
        if (!span) {
            span = TimeSpan{when, when};
            continue;
        }
        span->from = std::min(span->from, when);
        span->to = std::max(span->to, when);
    }
    return span;
}

SurveyMeasurement SpanMeasurement(const LoggerTable& table, const TimeSpan& span,
                                  const QString& dataFile) {
    SurveyMeasurement m;
    m.origin = ReadingOrigin::Download;
    for (const int i : SpanRows(table)) {
        const Reading& r = table.At(i).reading;
        if (r.when < span.from || r.when > span.to) continue;
        if (m.readings.empty()) m.origin = r.origin;
        m.readings.push_back(r);
    }
    if (m.origin == ReadingOrigin::DataFile) m.source = dataFile;
    return m;
}

std::optional<TimeSpan> ReadingsSpan(const std::vector<Reading>& readings) {
    std::optional<TimeSpan> span;
    for (const Reading& r : readings) {
        if (!r.when.isValid()) continue;
        if (!span) {
            span = TimeSpan{r.when, r.when};
            continue;
        }
        span->from = std::min(span->from, r.when);
        span->to = std::max(span->to, r.when);
    }
    return span;
}

std::vector<SpanDoubt> SpanDoubts(const std::vector<Reading>& readings, const SurveyHeight& height,
                                  const SurveyHeader& header, const SurveyInstrument& instrument) {
    std::vector<SpanDoubt> doubts;
    for (const SurveyMeasurement& m : height.measurements) {
        if (!m.readings.empty()) {
            doubts.push_back(SpanDoubt::HeightMeasured);
            break;
        }
    }
    const std::optional<TimeSpan> span = ReadingsSpan(readings);
    if (!span) return doubts;
    const QDate first = span->from.date();
    const QDate last = span->to.date();
    const auto given = [](const QDate& d) { return d.isValid(); };
    if (given(header.firstDate) && first < header.firstDate) doubts.push_back(SpanDoubt::BeforeSurvey);
    if (given(header.lastDate) && last > header.lastDate) doubts.push_back(SpanDoubt::AfterSurvey);
    if (given(instrument.certificateDate) && first < instrument.certificateDate) {
        doubts.push_back(SpanDoubt::BeforeVerification);
    }
    if (given(instrument.validUntil) && last > instrument.validUntil) {
        doubts.push_back(SpanDoubt::AfterValidity);
    }
    return doubts;
}

}  // namespace lmr
