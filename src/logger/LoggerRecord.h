#pragma once

#include <QString>
#include <array>
#include <cstdint>

#include "link/CommandCodes.h"
#include "link/MeterWords.h"

namespace lmr {

// Record addresses run 10, 20, ... 30000: at most 3000 records per download.
inline constexpr int kMaxLoggerRecords =
    (kLastRecordAddress - kFirstRecordAddress) / kRecordAddressStep + 1;

// The decoded record: the three channels (unsigned words in tenths) and the time bytes the
// host shows. Bytes 0-1, 8 and 14-15 carry nothing the host interprets.
struct LoggerRecord {
    float rh = 0;             // %
    float tv = 0;             // air temperature, °C
    float tsf = 0;            // black-globe temperature as read, °C
    std::uint8_t minute = 0;  // byte 9
    std::uint8_t hour = 0;    // byte 10
    std::uint8_t date11 = 0;  // printed last in the date
    std::uint8_t date12 = 0;  // printed in the middle
    std::uint8_t date13 = 0;  // printed first
};

[[nodiscard]] LoggerRecord DecodeLoggerRecord(const LoggerRecordBytes& bytes);

// "14:5 7.4.9": hour ":" minute " " byte13 "." byte12 "." byte11, no leading zeros.
[[nodiscard]] QString LoggerTimeText(const LoggerRecord& record);

}  // namespace lmr
