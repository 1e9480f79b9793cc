#pragma once

#include <QDate>
#include <QDateTime>
#include <QString>
#include <QStringView>
#include <QVariant>
#include <optional>

namespace lmr {

// How the survey file keeps values that SQLite has no type of: a bound value NULL where there
// is none, read back from what a query gives.

// Local date and time "yyyy-MM-ddTHH:mm:ss" (to the second, as the meter counts); NULL for an
// invalid one (a logger record that names no real moment).
[[nodiscard]] QVariant TimeValue(const QDateTime& when);
// Invalid for NULL; nullopt for a text of another form.
[[nodiscard]] std::optional<QDateTime> TimeOfValue(const QVariant& value);

// "yyyy-MM-dd"; NULL for an invalid date (not filled in).
[[nodiscard]] QVariant DateValue(const QDate& date);
[[nodiscard]] std::optional<QDate> DateOfValue(const QVariant& value);

// A single-precision quantity as the shortest decimal that reads back as the same float, so
// that other programs see 22.3 where the meter gave 22.3, not 22.299999237.
[[nodiscard]] double StoredNumber(float value);
[[nodiscard]] QVariant NumberValue(std::optional<double> value);
[[nodiscard]] std::optional<double> NumberOfValue(const QVariant& value);

// Text as it is, never NULL (a QString never set is stored empty).
[[nodiscard]] QVariant TextValue(const QString& text);

}  // namespace lmr
