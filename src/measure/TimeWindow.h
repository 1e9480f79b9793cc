#pragma once

#include <QDateTime>
#include <QString>
#include <QTime>
#include <optional>

namespace lmr {

enum class WindowTimeState { Empty, Valid, Invalid };

// The text of a start/end edit of the timed mode (mask "!90:00;1;_"): "09:30",
// " 9:30", "9:30"; "_" and blanks mark empty positions, "  :  " is empty.
struct WindowTime {
    WindowTimeState state = WindowTimeState::Empty;
    std::optional<QTime> time;  // hour and minute, set only when Valid
};

[[nodiscard]] WindowTime ParseWindowTime(const QString& text);

// Whether the clock reading falls in the minute of time. Hours and minutes are compared as
// numbers, so the system's time format does not matter. No time (an empty or invalid text)
// never matches.
[[nodiscard]] bool MatchesMinute(const std::optional<QTime>& time, const QDateTime& now);

// Whether the minute of time has come since the clock read `since`: the clock is in that minute
// now, or went past its start after `since` (a clock set forward by hand or by NTP skips the
// minute itself). A clock set back has not reached it.
[[nodiscard]] bool ReachedMinute(const std::optional<QTime>& time, const QDateTime& since,
                                 const QDateTime& now);

}  // namespace lmr
