#include "survey/SurveyValues.h"

#include <charconv>

namespace lmr {

namespace {

constexpr int kTimeLength = 19;  // yyyy-MM-ddTHH:mm:ss

// The digits of text[at, at + count) as a number; -1 where one is not a digit.
int Digits(QStringView text, int at, int count) {
    int value = 0;
    for (int i = at; i < at + count; ++i) {
        const char16_t c = text[i].unicode();
        if (c < u'0' || c > u'9') return -1;
        value = value * 10 + (c - u'0');
    }
    return value;
}

}  // namespace

QVariant TimeValue(const QDateTime& when) {
    if (!when.isValid()) return {};
    return when.toString(QStringLiteral("yyyy-MM-ddTHH:mm:ss"));
}

std::optional<QDateTime> TimeOfValue(const QVariant& value) {
    if (value.isNull()) return QDateTime();
    // Read by hand: a survey holds hundreds of thousands of readings, and the general parser
    // takes several times longer.
    const QString text = value.toString();
    if (text.size() != kTimeLength || text[4] != u'-' || text[7] != u'-' || text[10] != u'T' ||
        text[13] != u':' || text[16] != u':') {
        return std::nullopt;
    }
    const QDate date(Digits(text, 0, 4), Digits(text, 5, 2), Digits(text, 8, 2));
    const QTime time(Digits(text, 11, 2), Digits(text, 14, 2), Digits(text, 17, 2));
    if (!date.isValid() || !time.isValid()) return std::nullopt;
    return QDateTime(date, time);
}

QVariant DateValue(const QDate& date) {
    if (!date.isValid()) return {};
    return date.toString(Qt::ISODate);
}

std::optional<QDate> DateOfValue(const QVariant& value) {
    if (value.isNull()) return QDate();
    const QDate date = QDate::fromString(value.toString(), Qt::ISODate);
    if (!date.isValid()) return std::nullopt;
    return date;
}

double StoredNumber(float value) {
    char text[32];
    const char* end = std::to_chars(text, text + sizeof text, value).ptr;
    double number = value;
    std::from_chars(text, end, number);
    // The decimal read as a double could round to a neighbouring float; then keep it exact.
    return float(number) == value ? number : double(value);
}

QVariant NumberValue(std::optional<double> value) {
    if (!value) return {};
    return *value;
}

std::optional<double> NumberOfValue(const QVariant& value) {
    if (value.isNull()) return std::nullopt;
    return value.toDouble();
}

QVariant TextValue(const QString& text) {
    return text.isNull() ? QString::fromLatin1("") : text;
}

}  // namespace lmr
