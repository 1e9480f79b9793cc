#include "measure/NumberText.h"

#include <QLocale>
#include <cmath>

namespace lmr {

double RoundToTenth(double value) {
    // nearbyint under the default rounding mode rounds ties to even.
    return std::nearbyint(value / 0.1) * 0.1;
}

QString NumberText(double value) {
    return NumberText(value, QLocale::system());
}

QString NumberText(double value, const QLocale& locale) {
    if (value == 0) value = 0;  // -0 reads as 0
    // Formatted in the C locale, then given the user's decimal mark: QLocale's own
    // formatting would add group separators and possibly a typographic minus.
    QString text = QString::number(value, 'g', 15);
    const QString mark = locale.decimalPoint();
    if (mark != QLatin1String(".")) text.replace(QLatin1Char('.'), mark);
    return text;
}

std::optional<double> NumberAsShown(double value) {
    if (value == 0) return 0.0;  // -0 reads as 0
    const QByteArray text = QByteArray::number(value, 'g', 15);
    for (const char c : text) {
        if (c != '-' && c != '.' && (c < '0' || c > '9')) return std::nullopt;
    }
    return text.toDouble();
}

QString TenthText(double value) {
    return NumberText(RoundToTenth(value));
}

QString TenthText(double value, const QLocale& locale) {
    return NumberText(RoundToTenth(value), locale);
}

QString FixedTenthText(double value, const QLocale& locale) {
    double rounded = RoundToTenth(value);
    if (rounded == 0) rounded = 0;
    QString text = QString::number(rounded, 'f', 1);
    text.replace(QLatin1Char('.'), locale.decimalPoint());
    return text;
}

QString TimeOfDayText(const QDateTime& when) {
    return when.toLocalTime().time().toString(QStringLiteral("HH:mm:ss"));
}

std::optional<double> ParseNumber(const QString& text, QStringView marks, QStringView signs) {
    QString normal;  // with "." as its mark, for the C locale
    normal.reserve(text.size());
    int digits = 0;
    bool mark = false;
    for (int i = 0; i < text.size(); ++i) {
        const QChar c = text[i];
        if (c >= QLatin1Char('0') && c <= QLatin1Char('9')) {
            ++digits;
            normal += c;
        } else if (!mark && marks.contains(c)) {
            mark = true;
            normal += QLatin1Char('.');
        } else if (i == 0 && signs.contains(c)) {
            normal += c;
        } else {
            return std::nullopt;
        }
    }
    if (digits == 0) return std::nullopt;
    bool ok = false;
    const double v = QLocale::c().toDouble(normal, &ok);
    if (!ok) return std::nullopt;
    return v;
}

std::optional<double> ParseDecimal(const QString& text) {
    return ParseNumber(text.trimmed(), u".,", u"+-");
}

}  // namespace lmr
