#include <gtest/gtest.h>

#include <QSignalSpy>

#include "core/LoggerTable.h"

namespace lmr {
namespace {

LoggerEntry Entry(int address, float tv, int minute = 5) {
    LoggerRecord r;
    r.rh = 50, r.tv = tv, r.tsf = 30;
    r.minute = std::uint8_t(minute), r.hour = 10, r.date13 = 7, r.date12 = 4, r.date11 = 9;
    return MakeLoggerEntry(address, r, ReadingOrigin::Download);
}

// A record downloaded again is counted once, where it first stood; what makes it the same is
// its address, its time bytes and its words in tenths, nothing less.
TEST(LoggerTable, CountedRowsLeaveOutARecordDownloadedAgain) {
    const struct {
        const char* what;
        std::vector<LoggerEntry> rows;
        std::vector<int> counted;
    } cases[] = {
        {"none", {}, {}},
        {"a download twice", {Entry(10, 20), Entry(20, 21), Entry(10, 20), Entry(20, 21)}, {0, 1}},
        {"copies among new records keep the table's order",
         {Entry(10, 20), Entry(20, 21), Entry(10, 20), Entry(30, 22), Entry(20, 21)}, {0, 1, 3}},
        {"the same fields at another address", {Entry(10, 20), Entry(20, 20)}, {0, 1}},
        {"another minute at the same address", {Entry(10, 20, 5), Entry(10, 20, 6)}, {0, 1}},
        {"another tenth", {Entry(10, 20.0f), Entry(10, 20.1f)}, {0, 1}},
        {"the same tenth", {Entry(10, 20.0f), Entry(10, 20.04f)}, {0}},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.what);
        LoggerTable t;
        t.Append(c.rows);
        EXPECT_EQ(t.CountedRows(), c.counted);
    }
}

// A file opened replaces the table: cleared, then its rows; an empty append changes nothing.
TEST(LoggerTable, ReplaceClearsThenAddsAndAnEmptyAppendIsNoChange) {
    LoggerTable t;
    t.Append({Entry(10, 20), Entry(20, 21)});
    const qint64 revision = t.Revision();
    QSignalSpy added(&t, &LoggerTable::rowsAdded);
    QSignalSpy cleared(&t, &LoggerTable::cleared);
    t.Append({});
    EXPECT_EQ(t.Revision(), revision);
    EXPECT_EQ(added.count(), 0);
    t.Replace({Entry(10, 20)});
    EXPECT_EQ(cleared.count(), 1);
    ASSERT_EQ(added.count(), 1);
    EXPECT_EQ(added[0][0].toInt(), 0);
    EXPECT_EQ(added[0][1].toInt(), 1);
    EXPECT_EQ(t.Count(), 1);
    EXPECT_EQ(t.CountedRows(), std::vector<int>{0});
    EXPECT_NE(t.Revision(), revision);
}

}  // namespace
}  // namespace lmr
