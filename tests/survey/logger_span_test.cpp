#include <gtest/gtest.h>

#include "survey/LoggerSpan.h"

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

// Records going into a height are asked about when the height holds readings already, when
// they lie outside the survey's days, or outside the instrument's verification; a day not
// given bounds nothing, and the bounds' own days are inside.
TEST(LoggerSpan, DoubtsAboutRecordsForAHeight) {
    const auto on = [](int day) { return MakeReading(QDateTime(QDate(2009, 4, day), QTime(10, 0)),
                                                     40, 21, 22, ReadingOrigin::Download); };
    using D = SpanDoubt;
    const struct {
        const char* what;
        std::vector<int> days;  // of the records, in page order
        bool measured;          // the height holds a reading
        int first, last;        // the survey's days; 0: not given
        int verified, validUntil;
        std::vector<D> doubts;
    } rows[] = {
        {"within everything", {7, 8}, false, 7, 8, 1, 30, {}},
        {"nothing given", {7}, false, 0, 0, 0, 0, {}},
        {"a measured height", {7}, true, 0, 0, 0, 0, {D::HeightMeasured}},
        {"a day before the survey", {6, 7}, false, 7, 8, 0, 0, {D::BeforeSurvey}},
        {"a day after it, out of order", {9, 7}, false, 7, 8, 0, 0, {D::AfterSurvey}},
        {"only the first day given", {9}, false, 7, 0, 0, 0, {}},
        {"before the verification", {7}, false, 0, 0, 8, 0, {D::BeforeVerification}},
        {"after it ran out", {9}, false, 0, 0, 0, 8, {D::AfterValidity}},
        {"all at once", {5, 9}, true, 6, 8, 6, 8,
         {D::HeightMeasured, D::BeforeSurvey, D::AfterSurvey, D::BeforeVerification,
          D::AfterValidity}},
        {"no records, a measured height", {}, true, 7, 8, 1, 30, {D::HeightMeasured}},
    };
    const auto day = [](int d) { return d == 0 ? QDate() : QDate(2009, 4, d); };
    for (const auto& row : rows) {
        SCOPED_TRACE(row.what);
        std::vector<Reading> readings;
        for (const int d : row.days) readings.push_back(on(d));
        SurveyHeight height;
        height.measurements.emplace_back();  // an empty series is no reading
        if (row.measured) height.measurements.back().readings.push_back(on(7));
        SurveyHeader header;
        header.firstDate = day(row.first);
        header.lastDate = day(row.last);
        SurveyInstrument instrument;
        instrument.certificateDate = day(row.verified);
        instrument.validUntil = day(row.validUntil);
        EXPECT_EQ(SpanDoubts(readings, height, header, instrument), row.doubts);
    }
}

}  // namespace
}  // namespace lmr
