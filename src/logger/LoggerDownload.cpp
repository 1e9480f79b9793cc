#include "logger/LoggerDownload.h"

#include "link/CommandCodes.h"
#include "link/Exchange.h"
#include "logger/LoggerRecord.h"

namespace lmr {

namespace {

DownloadStatus StoppedStatus(const Link& link) {
    return link.CancelRequested() ? DownloadStatus::Cancelled : DownloadStatus::Lost;
}

}  // namespace

DownloadResult DownloadLogger(Link& link, int portNumber, const DownloadCallbacks& callbacks,
                              const std::atomic<bool>& cancel) {
    return DownloadLogger(LinkGuard(link), portNumber, callbacks, cancel);
}

DownloadResult DownloadLogger(LinkGuard held, int portNumber, const DownloadCallbacks& callbacks,
                              const std::atomic<bool>& cancel) {
    Link& link = held.link();
    Exchange exchange(std::move(held), portNumber, "logger");
    switch (exchange.Result()) {
        case ExchangeResult::Busy:
            return {DownloadStatus::Busy, 0};
        case ExchangeResult::NoAnswer:
            return {DownloadStatus::NoAnswer, 0};
        case ExchangeResult::Answered:
            break;
    }

    DownloadResult result{DownloadStatus::Done, 0};
    std::uint8_t previousHour = 0;
    for (int address = kFirstRecordAddress; address <= kLastRecordAddress;
         address += kRecordAddressStep) {
        if (cancel.load()) {
            result.status = DownloadStatus::Cancelled;
            return result;
        }
        // Ask for the record; the answers to the three host bytes only keep the two sides in step.
        link.SendCommand(Code(Command::ReadRecord));
        link.SendCommand(static_cast<std::uint8_t>(address >> 8));
        link.SendCommand(static_cast<std::uint8_t>(address & 0xFF));
        LoggerRecordBytes bytes{};
        for (std::uint8_t& b : bytes) b = link.ReadEchoedByte();
        if (exchange.Lost()) {
            result.status = StoppedStatus(link);
            return result;
        }

        const LoggerRecord record = DecodeLoggerRecord(bytes);
        // The logger keeps no count of its records: the first one whose hour does not follow
        // is past the end and is not shown.
        if (result.accepted > 0 && !HourContinues(previousHour, record.hour)) break;
        previousHour = record.hour;

        if (callbacks.record)
            callbacks.record(MakeLoggerRow(static_cast<std::uint16_t>(address), record));
        ++result.accepted;
        if (callbacks.between) callbacks.between(result.accepted);
    }
    return result;
}

}  // namespace lmr
