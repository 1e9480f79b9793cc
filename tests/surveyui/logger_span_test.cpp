#include <gtest/gtest.h>

#include "surveyui/LoggerSpan.h"

namespace lmr {
namespace {

LoggerEntry Entry(int address, int minute, float air, ReadingOrigin origin = ReadingOrigin::Download) {
    LoggerRecord r;
    r.rh = 40;
    r.tv = air;
    r.tsf = air + 1;
    r.hour = 10;
    r.minute = static_cast<std::uint8_t>(minute);
    r.date13 = 7;  // 07.04.2009
    r.date12 = 4;
    r.date11 = 9;
    return MakeLoggerEntry(address, r, origin);
}

QDateTime At(int minute) { return QDateTime(QDate(2009, 4, 7), QTime(10, minute)); }

// A span takes the rows the page counts that are measurements, both ends included: a record
// downloaded again and a record with no real time are left out, and the whole span of the
// page reaches from the first such row to the last.
TEST(LoggerSpan, TakesCountedMeasurementsBetweenBothEndsIncluded) {
    LoggerTable table;
    LoggerEntry never = Entry(40, 3, 0);
    never.record.rh = never.record.tv = never.record.tsf = 0;  // never written
    LoggerEntry noTime = Entry(50, 61, 25);                    // minute 61
    table.Append({Entry(10, 1, 21), Entry(20, 2, 22), Entry(30, 5, 23), never, noTime});
    table.Append({Entry(20, 2, 22)});  // downloaded again
    ASSERT_EQ(SpanRows(table), (std::vector<int>{0, 1, 2}));

    const std::optional<TimeSpan> whole = WholeSpan(table);
    ASSERT_TRUE(whole);
    EXPECT_EQ(whole->from, At(1));
    EXPECT_EQ(whole->to, At(5));

    const struct {
        int from, to;
        std::vector<float> airs;
    } rows[] = {{1, 5, {21, 22, 23}}, {2, 5, {22, 23}}, {1, 2, {21, 22}}, {3, 4, {}}};
    for (const auto& row : rows) {
        SCOPED_TRACE(row.from);
        const SurveyMeasurement m = SpanMeasurement(table, {At(row.from), At(row.to)}, "x.csv");
        std::vector<float> airs;
        for (const Reading& r : m.readings) airs.push_back(r.tv);
        EXPECT_EQ(airs, row.airs);
        EXPECT_EQ(m.origin, ReadingOrigin::Download);
        EXPECT_TRUE(m.source.isEmpty());
    }
    EXPECT_FALSE(WholeSpan(LoggerTable()));

    // Rows of an opened file name it.
    LoggerTable file;
    file.Append({Entry(10, 1, 21, ReadingOrigin::DataFile)});
    const SurveyMeasurement m = SpanMeasurement(file, *WholeSpan(file), "day.csv");
    EXPECT_EQ(m.origin, ReadingOrigin::DataFile);
    EXPECT_EQ(m.source, "day.csv");
}

}  // namespace
}  // namespace lmr
