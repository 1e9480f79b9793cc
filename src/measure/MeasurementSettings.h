#pragma once

#include <QString>
#include <QTime>
#include <array>
#include <optional>

namespace lmr {

// The three channels that have critical levels.
enum class AlarmChannel { Tv, Rh, Tsf };

// One limit as the user wrote it: the number compared with, and its text as typed (the level's
// tool tip quotes it).
struct LimitValue {
    double value = 0;
    QString written;
};

// The critical levels of one channel; a limit whose text was no number is none.
struct ChannelLimits {
    bool ticked = false;
    std::optional<LimitValue> max;
    std::optional<LimitValue> min;
};

// What the live measurement is set to: the options window keeps it as the user edits, and the
// measurement reads it as it is, never a widget's text.
struct MeasurementSettings {
    int intervalMs = 3000;
    std::array<ChannelLimits, 3> limits{};  // by AlarmChannel
    bool beep = false;
    // The timed mode: it waits for the start minute and ends at the end minute. A time that is
    // empty or not a time never matches.
    bool timed = false;
    std::optional<QTime> start;
    std::optional<QTime> end;

    [[nodiscard]] const ChannelLimits& Limits(AlarmChannel c) const {
        return limits[static_cast<size_t>(c)];
    }
    [[nodiscard]] ChannelLimits& Limits(AlarmChannel c) { return limits[static_cast<size_t>(c)]; }
};

}  // namespace lmr
