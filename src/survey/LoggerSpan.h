#pragma once

#include <QDateTime>
#include <QString>
#include <optional>
#include <vector>

#include "core/LoggerTable.h"
#include "survey/Survey.h"

namespace lmr {

// The rows of the logger page a survey takes: those counted (a record downloaded again once)
// that are measurements, in the page's order.
[[nodiscard]] std::vector<int> SpanRows(const LoggerTable& table);

// The first and the last moment of those rows; none without any.
struct TimeSpan {
    QDateTime from;
    QDateTime to;
};
[[nodiscard]] std::optional<TimeSpan> WholeSpan(const LoggerTable& table);

// The readings of those rows from span.from to span.to, both included, as one measurement: a
// data file's name is kept as its source.
[[nodiscard]] SurveyMeasurement SpanMeasurement(const LoggerTable& table, const TimeSpan& span,
                                                const QString& dataFile);

// The first and the last moment of readings in any order; none without a dated one.
[[nodiscard]] std::optional<TimeSpan> ReadingsSpan(const std::vector<Reading>& readings);

// Why readings going into a height may not belong there; the user is asked about each before
// they are added, and may still add them.
enum class SpanDoubt {
    HeightMeasured,      // the height already holds readings: the two would be judged as one
    BeforeSurvey,        // they start before the survey's first day
    AfterSurvey,         // they end after its last day
    BeforeVerification,  // they start before the instrument's verification
    AfterValidity,       // they end after the verification ran out
};
// The doubts about readings for height, in the order above; a day not given is no bound.
[[nodiscard]] std::vector<SpanDoubt> SpanDoubts(const std::vector<Reading>& readings,
                                                const SurveyHeight& height,
                                                const SurveyHeader& header,
                                                const SurveyInstrument& instrument);

}  // namespace lmr
