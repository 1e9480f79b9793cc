#pragma once

#include <QString>

namespace lmr {

// The three channels that have critical levels.
enum class AlarmChannel { Tv, Rh, Tsf };

// What live measurement reads from the options window, always at the moment
// of use, and the marks it puts back on texts that do not read.
class MeasurementOptions {
public:
    virtual ~MeasurementOptions() = default;
    [[nodiscard]] virtual bool TimedMode() const = 0;
    [[nodiscard]] virtual QString StartTimeText() const = 0;
    [[nodiscard]] virtual QString EndTimeText() const = 0;
    [[nodiscard]] virtual bool LimitTicked(AlarmChannel c) const = 0;
    [[nodiscard]] virtual QString MaxText(AlarmChannel c) const = 0;
    [[nodiscard]] virtual QString MinText(AlarmChannel c) const = 0;
    [[nodiscard]] virtual bool Beep() const = 0;
    virtual void MarkLimits(AlarmChannel c, bool maxValid, bool minValid) = 0;
    virtual void MarkTimes(bool startValid, bool endValid) = 0;
};

}  // namespace lmr
