#include "protocol/ProtocolText.h"

#include "measure/NumberText.h"

namespace lmr::protocol_text {

const QLocale& Russian() {
    static const QLocale locale(QLocale::Russian, QLocale::Russia);
    return locale;
}

QString Utf8(const char* text) {
    return QString::fromUtf8(text);
}

QString Figure(double value) {
    return FixedTenthText(value, Russian());
}

QString Range(double low, double high) {
    return QStringLiteral("%1–%2").arg(Figure(low), Figure(high));
}

QString DateText(const QDate& date) {
    return date.isValid() ? date.toString(QStringLiteral("dd.MM.yyyy")) : QString();
}

QString Quoted(const QString& name) {
    return QStringLiteral("«%1»").arg(name);
}

QString DatesText(const QDate& first, const QDate& last) {
    if (!first.isValid()) return DateText(last);
    if (!last.isValid() || last == first) return DateText(first);
    return QStringLiteral("%1–%2").arg(DateText(first), DateText(last));
}

QString PointName(int number, const SurveyPoint& p) {
    return p.name.isEmpty() ? QString::number(number) : Quoted(p.name);
}

QString HeightText(double metres) {
    return QStringLiteral("высота %1 м").arg(Figure(metres));
}

}  // namespace lmr::protocol_text
