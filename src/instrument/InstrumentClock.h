#pragma once

#include <QDateTime>
#include <QString>
#include <array>
#include <cstdint>
#include <optional>

namespace lmr {

// The five clock fields of PanelDataTime, in the order the panel shows them.
enum class ClockField { Hour, Minute, Day, Month, Year };

struct ClockFieldRange {
    int min;
    int max;
};

// The range each spin field keeps its value in.
[[nodiscard]] ClockFieldRange RangeOf(ClockField field);
[[nodiscard]] int ClampClockField(ClockField field, int value);

struct ClockFields {
    int hour = 0;
    int minute = 0;
    int day = 1;
    int month = 1;
    int year = 2009;
};

// The fields as a refresh from the computer clock sets them, each kept within its range
// (a year after 2100 shows as 2100).
[[nodiscard]] ClockFields ClockFieldsOf(const QDateTime& now);

// Command 175 (SetClock) is followed by one byte per field in this order.
inline constexpr std::array<ClockField, 5> kClockMessageOrder = {
    ClockField::Minute, ClockField::Hour, ClockField::Day, ClockField::Month, ClockField::Year};

// The byte sent for a field: the low eight bits of the plain number (not BCD); the year goes as
// (year + 48) mod 256, which is year - 2000 for 2000-2255.
[[nodiscard]] std::uint8_t ClockByte(ClockField field, int value);
[[nodiscard]] int FieldOf(const ClockFields& fields, ClockField field);

// The instrument takes any day of any month; a date that does not exist would stamp its logger
// records with it. Returns the refusal for the status bar, or nothing when the date exists.
[[nodiscard]] std::optional<QString> NonexistentDateRefusal(const ClockFields& fields);

}  // namespace lmr
