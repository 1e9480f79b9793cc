#pragma once

#include <array>
#include <cstdint>

#include "link/CommandCodes.h"

namespace lmr {

// What the meter's data bytes mean, shared by the exchanges that read them and the decoding
// of the logger's records, which must not depend on the exchanges.

// A channel word in tenths as the meter sends it: unsigned, so 65535 is 6553.5.
[[nodiscard]] inline float ChannelValue(uint16_t word) {
    // The meter's factor is the extended-precision 0.1; the product is kept in single precision.
    return static_cast<float>(word * 0.1L);
}

// One stored record as the instrument sends it after command 173.
using LoggerRecordBytes = std::array<std::uint8_t, kRecordBytes>;
// The byte of a record that holds its hour.
inline constexpr int kRecordHourByte = 10;

}  // namespace lmr
