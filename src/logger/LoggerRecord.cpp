#include "logger/LoggerRecord.h"

namespace lmr {

namespace {

std::uint16_t WordAt(const LoggerRecordBytes& bytes, int offset) {
    return static_cast<std::uint16_t>(bytes[offset] << 8 | bytes[offset + 1]);
}

}  // namespace

LoggerRecord DecodeLoggerRecord(const LoggerRecordBytes& bytes) {
    LoggerRecord r;
    r.rh = ChannelValue(WordAt(bytes, 2));
    r.tv = ChannelValue(WordAt(bytes, 4));
    r.tsf = ChannelValue(WordAt(bytes, 6));
    r.minute = bytes[9];
    r.hour = bytes[kRecordHourByte];
    r.date11 = bytes[11];
    r.date12 = bytes[12];
    r.date13 = bytes[13];
    return r;
}

QString LoggerTimeText(const LoggerRecord& record) {
    return QStringLiteral("%1:%2 %3.%4.%5")
        .arg(record.hour)
        .arg(record.minute)
        .arg(record.date13)
        .arg(record.date12)
        .arg(record.date11);
}

}  // namespace lmr
