#include "measure/TimeWindow.h"

namespace lmr {

namespace {

bool IsEmptyPosition(QChar c) {
    return c == QLatin1Char('_') || c == QLatin1Char(' ');
}

// The digits of one field of the mask with its empty positions stripped at
// both ends; nullopt when anything but digits remains.
std::optional<QString> FieldDigits(const QString& field) {
    int begin = 0;
    int end = field.size();
    while (begin < end && IsEmptyPosition(field[begin])) ++begin;
    while (end > begin && IsEmptyPosition(field[end - 1])) --end;
    const QString digits = field.mid(begin, end - begin);
    for (const QChar c : digits) {
        if (c < QLatin1Char('0') || c > QLatin1Char('9')) return std::nullopt;
    }
    return digits;
}

}  // namespace

WindowTime ParseWindowTime(const QString& text) {
    const WindowTime invalid{WindowTimeState::Invalid, std::nullopt};
    const QStringList parts = text.split(QLatin1Char(':'));
    if (parts.size() != 2) return invalid;
    const std::optional<QString> hours = FieldDigits(parts[0]);
    const std::optional<QString> minutes = FieldDigits(parts[1]);
    if (!hours || !minutes) return invalid;
    if (hours->isEmpty() && minutes->isEmpty()) return {WindowTimeState::Empty, std::nullopt};
    // One or two hour digits, exactly two minute digits, as the mask asks.
    if (hours->isEmpty() || hours->size() > 2 || minutes->size() != 2) return invalid;
    const int h = hours->toInt();
    const int m = minutes->toInt();
    if (h > 23 || m > 59) return invalid;
    return {WindowTimeState::Valid, QTime(h, m)};
}

bool MatchesMinute(const std::optional<QTime>& time, const QDateTime& now) {
    if (!time) return false;
    const QTime clock = now.toLocalTime().time();
    return clock.hour() == time->hour() && clock.minute() == time->minute();
}

bool ReachedMinute(const std::optional<QTime>& time, const QDateTime& since, const QDateTime& now) {
    if (MatchesMinute(time, now)) return true;
    if (!time || !since.isValid() || now <= since) return false;
    QDateTime next(since.date(), *time);
    if (next <= since) next = next.addDays(1);
    return next <= now;
}

}  // namespace lmr
