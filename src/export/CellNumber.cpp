#include "export/CellNumber.h"

namespace lmr {

std::optional<double> NumberFromCellText(const QString& text, const QLocale& locale) {
    const QString separator = locale.decimalPoint();
    QString plain;  // the text with "." as separator, for the C locale
    plain.reserve(text.size());
    bool seenSeparator = false;
    int digits = 0;
    for (int i = 0; i < text.size(); ++i) {
        const QChar ch = text[i];
        if (ch >= QLatin1Char('0') && ch <= QLatin1Char('9')) {
            ++digits;
            plain += ch;
        } else if (ch == QLatin1Char('-') && i == 0) {
            plain += ch;
        } else if (!seenSeparator &&
                   (ch == QLatin1Char('.') || (separator.size() == 1 && ch == separator[0]))) {
            seenSeparator = true;
            plain += QLatin1Char('.');
        } else {
            return std::nullopt;
        }
    }
    if (digits == 0) return std::nullopt;
    bool ok = false;
    const double value = QLocale::c().toDouble(plain, &ok);
    if (!ok) return std::nullopt;
    return value;
}

}  // namespace lmr
