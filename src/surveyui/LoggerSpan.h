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

}  // namespace lmr
