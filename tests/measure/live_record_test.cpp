#include <gtest/gtest.h>

#include <set>

#include "measure/LiveRecord.h"

namespace lmr {
namespace {

TEST(LiveRecord, QuantityTableFollowsTheGridColumns) {
    EXPECT_EQ(GridColumnOf(Quantity::Ths), 1);
    EXPECT_EQ(GridColumnOf(Quantity::W), 9);
    EXPECT_STREQ(InfoOf(Quantity::Ths).gridHeader, "THC,*C");
    EXPECT_STREQ(InfoOf(Quantity::Tsf).gridHeader, "tш.,*C");
    EXPECT_STREQ(InfoOf(Quantity::W).gridHeader, "W,Вт/м2");
    EXPECT_STREQ(InfoOf(Quantity::Ths).seriesName, "LineSeries3");
    EXPECT_STREQ(InfoOf(Quantity::Ttr).seriesName, "Series14");
    EXPECT_EQ(InfoOf(Quantity::Wbgt).pointColour, kPointYellow);
    EXPECT_EQ(InfoOf(Quantity::Tsf).pointColour, kPointYellow);
    EXPECT_EQ(InfoOf(Quantity::Ttr).pointColour, kPointYellow);
    EXPECT_EQ(InfoOf(Quantity::Rh).pointColour, kPointRed);
    EXPECT_EQ(qRed(kPointYellow), 255);
    EXPECT_EQ(qGreen(kPointYellow), 255);
    EXPECT_EQ(qBlue(kPointYellow), 0);
    std::set<std::string> series;
    for (Quantity q : AllQuantities()) series.insert(InfoOf(q).seriesName);
    EXPECT_EQ(series.size(), 9u);
    // Each chart's window follows a series that lives on that chart.
    for (const LiveChartInfo& c : LiveCharts()) {
        EXPECT_STREQ(InfoOf(c.windowFrom).chartName, c.chartName);
    }
}

TEST(LiveRecord, AbsentDewPointKeepsSeriesEqualInLength) {
    LiveRecord record;
    const QString label = "10:00:00";
    for (int reading = 0; reading < 3; ++reading) {
        for (Quantity q : AllQuantities()) {
            const bool absent = q == Quantity::Ttr && reading == 1;
            record.Series(q).Add(absent ? 0 : 10.0 + reading, label, InfoOf(q).pointColour, absent);
        }
    }
    for (Quantity q : AllQuantities()) EXPECT_EQ(record.Series(q).Count(), 3);
    const LiveSeries& ttr = record.Series(Quantity::Ttr);
    EXPECT_TRUE(ttr.At(1).absent);
    EXPECT_EQ(ttr.At(2).x, 2);
    EXPECT_EQ(ttr.PresentCount(), 2);
    // The absent point's stand-in value does not pull the minimum to 0.
    EXPECT_EQ(ttr.MinY(), 10.0);
    EXPECT_EQ(ttr.MaxY(), 12.0);
}

TEST(LiveRecord, MinMaxOverPresentPointsAndZeroWhenNone) {
    LiveSeries s;
    EXPECT_EQ(s.MinY(), 0);
    EXPECT_EQ(s.MaxY(), 0);
    EXPECT_FALSE(s.NewestX().has_value());
    s.Add(0, "a", kPointRed, true);
    EXPECT_EQ(s.MinY(), 0);
    EXPECT_EQ(s.MaxY(), 0);
    s.Add(-5.9, "b", kPointRed);
    EXPECT_EQ(s.MinY(), -5.9);
    EXPECT_EQ(s.MaxY(), -5.9);
    s.Add(22, "c", kPointRed);
    s.Add(3, "d", kPointRed);
    EXPECT_EQ(s.MinY(), -5.9);
    EXPECT_EQ(s.MaxY(), 22);
    EXPECT_EQ(s.At(3).label, "d");
    EXPECT_EQ(*s.NewestX(), 3);
}

TEST(LiveRecord, ClearRestartsXAtZero) {
    LiveRecord record;
    for (Quantity q : AllQuantities()) {
        for (int i = 0; i < 5; ++i) record.Series(q).Add(50 + i, "t", kPointRed);
    }
    EXPECT_EQ(*record.Series(Quantity::Tv).NewestX(), 4);
    record.Clear();
    for (Quantity q : AllQuantities()) {
        EXPECT_EQ(record.Series(q).Count(), 0);
        EXPECT_EQ(record.Series(q).MaxY(), 0);
    }
    record.Series(Quantity::Tv).Add(7, "u", kPointRed);
    EXPECT_EQ(record.Series(Quantity::Tv).At(0).x, 0);
    EXPECT_EQ(record.Series(Quantity::Tv).MinY(), 7);
    EXPECT_EQ(record.Series(Quantity::Tv).MaxY(), 7);
}

TEST(LiveRecord, VisibleRangeReachesBackFromTheNewestPoint) {
    // After the first reading the single point sits at the right edge.
    const XRange first = VisibleRange(0, 100);
    EXPECT_EQ(first.min, -100);
    EXPECT_EQ(first.max, 0);
    const XRange later = VisibleRange(250, 500);
    EXPECT_EQ(later.min, -250);
    EXPECT_EQ(later.max, 250);
}

TEST(LiveRecord, HoldsManyPoints) {
    LiveSeries s;
    const QString label = "12:00:00";
    for (int i = 0; i < 100000; ++i) s.Add(i % 1000 * 0.1, label, kPointRed);
    EXPECT_EQ(s.Count(), 100000);
    EXPECT_EQ(s.At(99999).x, 99999);
    EXPECT_DOUBLE_EQ(s.MaxY(), 99.9);
}

}  // namespace
}  // namespace lmr

namespace lmr {
namespace {

// What a live chart draws when the user looks back: the readings of the range, a long range thinned
// without losing its peaks, absent points left out.
TEST(LiveRecord, PointsInViewSliceTheRecord) {
    LiveSeries s;
    for (int i = 0; i < 100000; ++i) s.Add(i == 4321 ? 99.5 : i == 77777 ? -9.5 : 20.0, "t", 0,
                                           i == 10);
    const QList<QPointF> window = PointsInView(s, 99900, 100000, 1000);
    ASSERT_EQ(window.size(), 100);
    EXPECT_EQ(window.first().x(), 99900);
    EXPECT_EQ(window.last().x(), 99999);
    EXPECT_EQ(PointsInView(s, 5, 15, 1000).size(), 10);  // reading 10 is absent
    EXPECT_TRUE(PointsInView(s, -50, -1, 1000).isEmpty());
    EXPECT_TRUE(PointsInView(LiveSeries(), 0, 100, 1000).isEmpty());

    const QList<QPointF> whole = PointsInView(s, -10, 100010, 1000);
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
