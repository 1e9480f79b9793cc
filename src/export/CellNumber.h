#pragma once

#include <QLocale>
#include <QString>
#include <optional>

namespace lmr {

// The number a cell text reads as, as the spreadsheet takes typed input: an
// optional minus, digits and at most one decimal separator, which is the
// locale's own or ".". Times ("14:05:33"), "-" and "" are not numbers.
[[nodiscard]] std::optional<double> NumberFromCellText(const QString& text, const QLocale& locale);

}  // namespace lmr
