#include <gtest/gtest.h>

#include <QSignalSpy>

#include "core/LiveSession.h"
#include "core/LoggerTable.h"

namespace lmr {
namespace {

Reading At(int second, float tv, float rh = 50) {
    return MakeReading(QDateTime(QDate(2009, 4, 7), QTime(10, 0).addSecs(second)), rh, tv, 30,
                       ReadingOrigin::Live);
}

// What the live page shows of a reading: values rounded as shown, the globe temperature as
// read, the dew point absent at RH 0.
TEST(Reading, LiveValuesAndTheAbsentDewPoint) {
    const Reading r = MakeReading(QDateTime(), 0, 24.96f, 20.04f, ReadingOrigin::Live);
    EXPECT_EQ(*LiveValue(r, Quantity::Tv), 25.0);
    EXPECT_EQ(*LiveValue(r, Quantity::Tsf), 20.0);  // below tв, shown as read
    EXPECT_EQ(*LiveValue(r, Quantity::Rh), 0.0);
    EXPECT_FALSE(LiveValue(r, Quantity::Ttr).has_value());
    EXPECT_TRUE(LiveValue(At(0, 20), Quantity::Ttr).has_value());
}

// A logger record's time bytes: minute, hour, then the date printed day.month.year.
TEST(Reading, LoggerRecordTimeOrNoneForFieldsThatNameNoMoment) {
    LoggerRecord r;
    r.hour = 14, r.minute = 5, r.date13 = 7, r.date12 = 4, r.date11 = 9;
    EXPECT_EQ(LoggerRecordTime(r), QDateTime(QDate(2009, 4, 7), QTime(14, 5)));
    struct Bad {
        const char* what;
        std::uint8_t LoggerRecord::*field;
        std::uint8_t value;
    };
    for (const Bad& b :
         {Bad{"day 32", &LoggerRecord::date13, 32}, Bad{"day 0", &LoggerRecord::date13, 0},
          Bad{"month 13", &LoggerRecord::date12, 13}, Bad{"hour 24", &LoggerRecord::hour, 24},
          Bad{"minute 61", &LoggerRecord::minute, 61}}) {
        LoggerRecord bad = r;
        bad.*b.field = b.value;
        EXPECT_FALSE(LoggerRecordTime(bad).isValid()) << b.what;
        EXPECT_FALSE(MakeLoggerEntry(10, bad, ReadingOrigin::Download).reading.when.isValid());
    }
}

TEST(LiveSession, AddsAndClearsWithItsSignals) {
    LiveSession s;
    QSignalSpy added(&s, &LiveSession::rowsAdded);
    QSignalSpy cleared(&s, &LiveSession::cleared);
    const qint64 r0 = s.Revision();
    for (int i = 0; i < 3; ++i) s.Add(At(i, 20 + i));
    ASSERT_EQ(added.count(), 3);
    EXPECT_EQ(added.at(2).at(0).toInt(), 2);
    EXPECT_EQ(s.At(2).tv, 22);
    EXPECT_NE(s.Revision(), r0);
    const qint64 r3 = s.Revision();
    s.Clear();
    EXPECT_EQ(cleared.count(), 1);
    EXPECT_EQ(s.Count(), 0);
    // The same count again is another set of readings.
    for (int i = 0; i < 3; ++i) s.Add(At(i, 20 + i));
    EXPECT_NE(s.Revision(), r3);
}

TEST(LiveSession, VisibleRangeReachesBackFromTheNewestReading) {
    // After the first reading the single point sits at the right edge.
    const XRange first = VisibleRange(0, 100);
    EXPECT_EQ(first.min, -100);
    EXPECT_EQ(first.max, 0);
    const XRange later = VisibleRange(250, 500);
    EXPECT_EQ(later.min, -250);
    EXPECT_EQ(later.max, 250);
}

// What a live chart draws when the user looks back: the readings of the range, a long range
// thinned without losing its peaks, absent points left out.
TEST(LiveSession, PointsInViewSliceTheSession) {
    LiveSession s;
    for (int i = 0; i < 100000; ++i) {
        s.Add(At(i, i == 4321 ? 99.5f : i == 77777 ? -9.5f : 20.0f, i == 10 ? 0 : 50));
    }
    const QList<QPointF> window = PointsInView(s, Quantity::Tv, 99900, 100000, 1000);
    ASSERT_EQ(window.size(), 100);
    EXPECT_EQ(window.first().x(), 99900);
    EXPECT_EQ(window.last().x(), 99999);
    EXPECT_EQ(PointsInView(s, Quantity::Ttr, 5, 15, 1000).size(), 10);  // reading 10: RH 0
    EXPECT_TRUE(PointsInView(s, Quantity::Tv, -50, -1, 1000).isEmpty());
    EXPECT_TRUE(PointsInView(LiveSession(), Quantity::Tv, 0, 100, 1000).isEmpty());

    const QList<QPointF> whole = PointsInView(s, Quantity::Tv, -10, 100010, 1000);
    EXPECT_LE(whole.size(), 1000);
    bool high = false, low = false;
    for (int i = 0; i < whole.size(); ++i) {
        high |= whole[i] == QPointF(4321, 99.5);
        low |= whole[i] == QPointF(77777, -9.5);
        if (i > 0) {
            EXPECT_LT(whole[i - 1].x(), whole[i].x());
        }
    }
    EXPECT_TRUE(high && low);
}

}  // namespace
}  // namespace lmr
