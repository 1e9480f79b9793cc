#pragma once

#include <QObject>
#include <vector>

#include "core/Reading.h"
#include "logger/LoggerRecord.h"

namespace lmr {

// One row of the logger page: a downloaded record, or a row of an opened data file.
struct LoggerEntry {
    // The logger chart's X: the record's address, or 10, 20, … by the row's place in a file.
    int address = 0;
    LoggerRecord record;  // the fields as the logger gave them (a data file keeps them)
    Reading reading;
};

[[nodiscard]] LoggerEntry MakeLoggerEntry(int address, const LoggerRecord& record,
                                          ReadingOrigin origin, std::uint8_t model = 0,
                                          std::uint8_t head = 0);

// The records of the downloads and of the opened files, in the order the logger page shows
// them.
class LoggerTable final : public QObject {
    Q_OBJECT
public:
    void Append(std::vector<LoggerEntry> entries);
    // The table becomes entries (none: cleared): `cleared`, then `rowsAdded` for them.
    void Replace(std::vector<LoggerEntry> entries);
    // The rows to count, in order: a row of the same address and fields as an earlier one (a
    // record downloaded again) is left out. Saving, the protocol and the assessment take these.
    [[nodiscard]] std::vector<int> CountedRows() const;
    [[nodiscard]] int Count() const { return static_cast<int>(entries_.size()); }
    [[nodiscard]] const LoggerEntry& At(int i) const { return entries_[static_cast<size_t>(i)]; }
    // Changes whenever the rows do.
    [[nodiscard]] qint64 Revision() const { return revision_; }

signals:
    // Rows first … first + count − 1 were added.
    void rowsAdded(int first, int count);
    // Every row was taken away.
    void cleared();

private:
    std::vector<LoggerEntry> entries_;
    qint64 revision_ = 0;
};

}  // namespace lmr
