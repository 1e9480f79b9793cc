#include "core/LoggerTable.h"

#include <algorithm>
#include <cmath>
#include <iterator>
#include <tuple>

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
    // A file of a million records into an empty table: taken whole, not moved one by one.
    if (entries_.empty()) {
        entries_ = std::move(entries);
    } else {
        entries_.insert(entries_.end(), std::make_move_iterator(entries.begin()),
                        std::make_move_iterator(entries.end()));
    }
    ++revision_;
    emit rowsAdded(first, Count() - first);
}

void LoggerTable::Replace(std::vector<LoggerEntry> entries) {
    entries_.clear();
    ++revision_;
    emit cleared();
    Append(std::move(entries));
}

namespace {

// What makes two rows the same record: its address, its time bytes and its words.
auto SameRecordKey(const LoggerEntry& e) {
    const LoggerRecord& r = e.record;
    const auto word = [](float v) { return std::lround(double(v) * 10); };
    return std::make_tuple(e.address, r.minute, r.hour, r.date11, r.date12, r.date13, word(r.rh),
                           word(r.tv), word(r.tsf));
}

}  // namespace

std::vector<int> LoggerTable::CountedRows() const {
    // Sorted by key, then by place: the first of each run of equals is the one counted.
    std::vector<int> order(entries_.size());
    for (size_t i = 0; i < order.size(); ++i) order[i] = static_cast<int>(i);
    std::stable_sort(order.begin(), order.end(),
                     [this](int a, int b) { return SameRecordKey(At(a)) < SameRecordKey(At(b)); });
    std::vector<bool> counted(entries_.size(), false);
    for (size_t i = 0; i < order.size(); ++i) {
        counted[static_cast<size_t>(order[i])] =
            i == 0 || SameRecordKey(At(order[i - 1])) != SameRecordKey(At(order[i]));
    }
    std::vector<int> rows;
    rows.reserve(entries_.size());
    for (size_t i = 0; i < counted.size(); ++i) {
        if (counted[i]) rows.push_back(static_cast<int>(i));
    }
    return rows;
}

}  // namespace lmr
