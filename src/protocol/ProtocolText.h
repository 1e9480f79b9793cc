#pragma once

#include <QDate>
#include <QLocale>
#include <QString>

#include "survey/Survey.h"

// How every part of the protocol writes its numbers, dates and places: in Russian form (a
// decimal comma), whatever the desktop's language.
namespace lmr::protocol_text {

[[nodiscard]] const QLocale& Russian();
[[nodiscard]] QString Utf8(const char* text);
// A figure in tenths: "23,4".
[[nodiscard]] QString Figure(double value);
// "20,0–25,0".
[[nodiscard]] QString Range(double low, double high);
// "15.03.2026"; empty for no date.
[[nodiscard]] QString DateText(const QDate& date);
// One day, or the first and the last: "09.03.2026–12.03.2026".
[[nodiscard]] QString DatesText(const QDate& first, const QDate& last);
// «name».
[[nodiscard]] QString Quoted(const QString& name);
// A point by its name, quoted, or by its number where it has none.
[[nodiscard]] QString PointName(int number, const SurveyPoint& p);
// "высота 0,1 м".
[[nodiscard]] QString HeightText(double metres);

}  // namespace lmr::protocol_text
