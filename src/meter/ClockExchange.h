#pragma once

#include <cstdint>
#include <functional>

#include "link/Unitcomport.h"
#include "meter/MeterStatus.h"

namespace lmr {

// Bytes after command 175: minute, hour, day, month, year code.
inline constexpr int kClockBytes = 5;
// The i-th byte after 175 (0 … kClockBytes - 1), asked for at the moment it goes out.
using ClockByteAt = std::function<std::uint8_t(int index)>;

// Writes the instrument clock: 175 and the five bytes, each by SendCommand. started is called
// once the probe answered. A stop asked for by then leaves the clock as it was (Cancelled).
[[nodiscard]] MeterStatus WriteInstrumentClock(Link& link, int portNumber, const ClockByteAt& byte,
                                               const std::function<void()>& started);

}  // namespace lmr
