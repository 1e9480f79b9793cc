#include "instrument/InstrumentClock.h"

#include <QDate>
#include <algorithm>

#include "link/CommandCodes.h"

namespace lmr {

ClockFieldRange RangeOf(ClockField field) {
    switch (field) {
        case ClockField::Hour:
            return {0, 23};
        case ClockField::Minute:
            return {0, 59};
        case ClockField::Day:
            return {1, 31};
        case ClockField::Month:
            return {1, 12};
        case ClockField::Year:
            return {2009, 2100};
    }
    return {0, 0};
}

int ClampClockField(ClockField field, int value) {
    const ClockFieldRange range = RangeOf(field);
    return std::clamp(value, range.min, range.max);
}

ClockFields ClockFieldsOf(const QDateTime& now) {
    const QDate date = now.date();
    const QTime time = now.time();
    return {ClampClockField(ClockField::Hour, time.hour()),
            ClampClockField(ClockField::Minute, time.minute()),
            ClampClockField(ClockField::Day, date.day()),
            ClampClockField(ClockField::Month, date.month()),
            ClampClockField(ClockField::Year, date.year())};
}

std::uint8_t ClockByte(ClockField field, int value) {
    if (field == ClockField::Year) return ClockYearCode(value);
    return static_cast<std::uint8_t>(value & 0xFF);
}

int FieldOf(const ClockFields& f, ClockField field) {
    switch (field) {
        case ClockField::Hour:
            return f.hour;
        case ClockField::Minute:
            return f.minute;
        case ClockField::Day:
            return f.day;
        case ClockField::Month:
            return f.month;
        case ClockField::Year:
            return f.year;
    }
    return 0;
}

std::optional<QString> NonexistentDateRefusal(const ClockFields& f) {
    if (QDate::isValid(f.year, f.month, f.day)) return std::nullopt;
    return QStringLiteral("Такой даты нет: %1.%2.%3 — дата и время не записаны")
        .arg(f.day, 2, 10, QLatin1Char('0'))
        .arg(f.month, 2, 10, QLatin1Char('0'))
        .arg(f.year, 4, 10, QLatin1Char('0'));
}

}  // namespace lmr
