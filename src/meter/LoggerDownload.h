#pragma once

#include <array>
#include <cstdint>
#include <functional>

#include "link/CommandCodes.h"
#include "link/MeterWords.h"
#include "link/Unitcomport.h"
#include "meter/MeterStatus.h"

namespace lmr {

// The logger stores no record count; the host stops at the first record whose hour does not
// follow the previous one (same hour, the next hour, or 23 -> 0).
[[nodiscard]] bool HourContinues(std::uint8_t previousHour, std::uint8_t hour);

struct DownloadResult {
    // Ok: the logger ran out (hour sequence broken) or address 30000 was read. Lost: the meter
    // fell silent or went away mid-download. Cancelled: asked to stop. Records accepted stay.
    MeterStatus status = MeterStatus::NoAnswer;
    int accepted = 0;  // records handed to the record callback
};

// Each accepted record with its address, in address order, on the thread that downloads. A
// record half read when the link was lost, or the one that broke the hour sequence, is never
// delivered.
using RecordSink = std::function<void(std::uint16_t address, const LoggerRecordBytes& bytes)>;

// Reads the logger within one opening of the port: command 173 with addresses 10, 20, ...
// 30000, sixteen echoed bytes per record, until a record's hour does not follow the previous
// one. The link's cancel is looked at before every request, so a stop ends the download after
// the record in flight (Cancelled, the records accepted kept); it may be asked for from the
// callback or from another thread.
[[nodiscard]] DownloadResult DownloadLogger(Link& link, int portNumber, const RecordSink& record);

}  // namespace lmr
