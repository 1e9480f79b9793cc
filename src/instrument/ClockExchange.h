#pragma once

#include <QString>
#include <functional>

#include "instrument/InstrumentClock.h"
#include "instrument/InstrumentStatus.h"
#include "link/Unitcomport.h"

namespace lmr {

// The current value of a clock field (the spin box behind it).
using ClockFieldReader = std::function<int(ClockField)>;

struct ClockResult {
    InstrumentStatus status = InstrumentStatus::NoAnswer;
    QString message;  // for status bar panel 3
};

// Writes the instrument clock: 175, minute, hour, day, month, year code, each by SendCommand.
// Each field is read at the moment its byte goes out. A date that does not exist is refused
// before the port is opened. progress gets the text shown while writing.
[[nodiscard]] ClockResult WriteInstrumentClock(Link& link, int portNumber,
                                               const ClockFieldReader& field,
                                               const std::function<void(const QString&)>& progress);

}  // namespace lmr
