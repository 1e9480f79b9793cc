#include "meter/LoggerDownload.h"

#include "link/Exchange.h"

namespace lmr {

bool HourContinues(std::uint8_t previousHour, std::uint8_t hour) {
    return hour == previousHour || hour == previousHour + 1 || (previousHour == 23 && hour == 0);
}

DownloadResult DownloadLogger(Link& link, int portNumber, const RecordSink& record) {
    Exchange exchange(link, portNumber, "logger");
    if (const MeterStatus s = exchange.Status(); s != MeterStatus::Ok) return {s, 0};

    DownloadResult result{MeterStatus::Ok, 0};
    std::uint8_t previousHour = 0;
    for (int address = kFirstRecordAddress; address <= kLastRecordAddress;
         address += kRecordAddressStep) {
        if (link.CancelRequested()) {
            result.status = MeterStatus::Cancelled;
            return result;
        }
        // Ask for the record; the answers to the three host bytes only keep the two sides in step.
        link.SendCommand(Code(Command::ReadRecord));
        link.SendCommand(static_cast<std::uint8_t>(address >> 8));
        link.SendCommand(static_cast<std::uint8_t>(address & 0xFF));
        LoggerRecordBytes bytes{};
        for (std::uint8_t& b : bytes) b = link.ReadEchoedByte();
        if (const MeterStatus s = exchange.Ended(); s != MeterStatus::Ok) {
            result.status = s;
            return result;
        }
        // The logger keeps no count of its records: the first one whose hour does not follow
        // is past the end and is not shown.
        const std::uint8_t hour = bytes[kRecordHourByte];
        if (result.accepted > 0 && !HourContinues(previousHour, hour)) {
            // On a paced line the host reads noise as the record it asked for, and the rest of
            // the noise comes behind: it must not pass for the logger's end.
            if (const MeterStatus s = exchange.Ended(Settle::Whole); s != MeterStatus::Ok) {
                result.status = s;
            }
            break;
        }
        previousHour = hour;

        if (record) record(static_cast<std::uint16_t>(address), bytes);
        ++result.accepted;
    }
    return result;
}

}  // namespace lmr
