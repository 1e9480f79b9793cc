#pragma once

#include <QDateTime>
#include <QLocale>
#include <QString>
#include <optional>

namespace lmr {

// A value that does not exist (the dew point at RH 0), in a window's cell and in a file.
inline constexpr const char* kAbsentText = "-";

// Rounds to one decimal: value / 0.1 to the nearest integer, ties to even, times 0.1.
[[nodiscard]] double RoundToTenth(double value);

// A number as every window, grid and the export write it: up to 15 significant
// digits, no trailing zeros, no decimal part for whole numbers, the decimal
// separator of the user's locale, "-" for negatives and never "-0".
[[nodiscard]] QString NumberText(double value);
// The same with the decimal separator of the locale given (a document in one language).
[[nodiscard]] QString NumberText(double value, const QLocale& locale);

// The number NumberText writes, as a reader of that text takes it: the value to 15 significant
// digits, never -0. A file holds this, so that a cell of 9.8 holds 9.8 and not the
// 9.800000000000001 that rounding left. Nullopt where NumberText writes no plain decimal (an
// exponent, nan, inf), which a spreadsheet keeps as text.
[[nodiscard]] std::optional<double> NumberAsShown(double value);

// NumberText of the value rounded to one decimal: 22, 23.4, -5.9.
[[nodiscard]] QString TenthText(double value);
[[nodiscard]] QString TenthText(double value, const QLocale& locale);
// Rounded to one decimal and always written with it, as a document gives a reading of the
// meter's resolution: 22,0, 23,4, -5,9 (never -0,0).
[[nodiscard]] QString FixedTenthText(double value, const QLocale& locale);

// Local time of day as HH:MM:SS (14:05:33), without a zone name.
[[nodiscard]] QString TimeOfDayText(const QDateTime& when);

// Digits with at most one decimal mark out of marks and one leading sign out of
// signs, nothing else; nullopt otherwise or when it overflows.
[[nodiscard]] std::optional<double> ParseNumber(const QString& text, QStringView marks,
                                                QStringView signs);

// Reads a decimal number typed by the user: "." or "," as the decimal mark,
// blanks around it ignored. Anything else ("abc", "", "1.2.3", "25,5x") is nullopt.
[[nodiscard]] std::optional<double> ParseDecimal(const QString& text);

}  // namespace lmr
