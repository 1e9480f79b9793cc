#include "export/CellNumber.h"

#include "measure/NumberText.h"

namespace lmr {

std::optional<double> NumberFromCellText(const QString& text, const QLocale& locale) {
    // "." always, and the locale's own mark; no blanks, no plus sign.
    QString marks = QStringLiteral(".");
    if (locale.decimalPoint().size() == 1) marks += locale.decimalPoint();
    return ParseNumber(text, marks, u"-");
}

}  // namespace lmr
