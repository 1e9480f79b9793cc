#include "core/LoggerTable.h"

#include <iterator>

namespace lmr {

LoggerEntry MakeLoggerEntry(int address, const LoggerRecord& record, ReadingOrigin origin,
                            std::uint8_t model, std::uint8_t head) {
    return {address, record,
            MakeReading(LoggerRecordTime(record), record.rh, record.tv, record.tsf, origin, model,
                        head)};
}

void LoggerTable::Append(std::vector<LoggerEntry> entries) {
    if (entries.empty()) return;
    const int first = Count();
    entries_.insert(entries_.end(), std::make_move_iterator(entries.begin()),
                    std::make_move_iterator(entries.end()));
    ++revision_;
    emit rowsAdded(first, Count() - first);
}

}  // namespace lmr
