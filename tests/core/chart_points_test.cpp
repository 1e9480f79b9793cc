#include <gtest/gtest.h>

#include <cmath>
#include <limits>

#include "core/ChartPoints.h"
#include "measure/NumberText.h"

namespace lmr {
namespace {

// The X of a chart's axis range in a column of X that never falls: where the range starts and
// how many lie in it, both ends counted, an equal X as much as the others.
TEST(ChartPoints, SpanInRangeFindsTheFirstAndCountsBothEndsIn) {
    const std::vector<int> x = {0, 10, 10, 20, 30};
    const struct {
        const char* what;
        double min, max;
        int first, count;
    } rows[] = {
        {"all of it", -5, 35, 0, 5},
        {"an X twice, both ends on it", 10, 10, 1, 2},
        {"between two X", 11, 19, 3, 0},
        {"the last one", 25, 100, 4, 1},
        {"past the end", 40, 50, 5, 0},
        {"ends before it starts", 20, 10, 0, 0},
        {"no range", std::numeric_limits<double>::quiet_NaN(), 10, 0, 0},
    };
    for (const auto& r : rows) {
        SCOPED_TRACE(r.what);
        const Span s = SpanInRange(x, r.min, r.max);
        EXPECT_EQ(s.first, r.first);
        EXPECT_EQ(s.count, r.count);
    }
    EXPECT_EQ(SpanInRange({}, 0, 10).count, 0);
}

// A chart of more points than it draws keeps its ends and each stretch's lowest and highest,
// in their order, once each; absent points are left out.
TEST(ChartPoints, ThinnedPointsKeepTheEndsAndEveryPeak) {
    constexpr double kAbsent = std::numeric_limits<double>::quiet_NaN();
    const struct {
        const char* what;
        std::vector<double> y;  // kAbsent: no point
        int maxPoints;
        std::vector<int> kept;  // the X kept, X being the candidate's index
    } rows[] = {
        {"none", {}, 10, {}},
        {"as many as drawn: all but the absent", {1, kAbsent, 3}, 3, {0, 2}},
        {"two stretches: their peaks between the ends",
         {5, 1, 9, 5, 5, 5, 5, 0, 8, 5}, 6, {0, 1, 2, 7, 8, 9}},
        {"the high before the low", {5, 9, 1, 5, 5, 5, 5, 5, 5, 5}, 6, {0, 1, 2, 5, 9}},
        {"flat: the ends once each", {2, 2, 2, 2, 2}, 4, {0, 4}},
        {"the first absent: the line starts at the first there is",
         {kAbsent, kAbsent, 3, 1, 4, 1, 5}, 4, {2, 3, 6}},
        {"fewer than two drawn still keeps the ends", {1, 2, 3}, 1, {0, 2}},
    };
    for (const auto& r : rows) {
        SCOPED_TRACE(r.what);
        const QList<QPointF> points = ThinnedPoints(
            0, static_cast<int>(r.y.size()), r.maxPoints, [&r](int i) -> std::optional<QPointF> {
                const double y = r.y[static_cast<std::size_t>(i)];
                if (std::isnan(y)) return std::nullopt;
                return QPointF(i, y);
            });
        std::vector<int> kept;
        for (const QPointF& p : points) {
            kept.push_back(static_cast<int>(p.x()));
            EXPECT_EQ(p.y(), r.y[static_cast<std::size_t>(p.x())]);
        }
        EXPECT_EQ(kept, r.kept);
        EXPECT_LE(static_cast<int>(points.size()), std::max(r.maxPoints, 2));
    }
}

// Values kept in tenths come back as the very number shown, negatives and halves included.
TEST(ChartPoints, PointsInRangeGiveBackTheValueAsRounded) {
    const double values[] = {23.44, -5.95, 0.05, -0.04, 99.95};
    std::vector<int> x;
    std::vector<int> tenths;
    for (int i = 0; i < 5; ++i) {
        x.push_back(10 * i);
        tenths.push_back(Tenths(RoundToTenth(values[i])));
    }
    const QList<QPointF> points = PointsInRange(x, tenths, 5, 35, 100);
    ASSERT_EQ(points.size(), 3);
    for (int i = 0; i < 3; ++i) {
        EXPECT_EQ(points[i].x(), x[static_cast<std::size_t>(i + 1)]);
        EXPECT_EQ(points[i].y(), RoundToTenth(values[i + 1])) << values[i + 1];
    }
}

// Points of one series at these X, each with its own row and a value of ten times its row.
TenthsPoints<1> At(std::vector<int> xs, int firstRow) {
    TenthsPoints<1> p;
    p.Resize(xs.size());
    for (std::size_t i = 0; i < xs.size(); ++i) {
        p.x[i] = xs[i];
        p.row[i] = firstRow + static_cast<int>(i);
        p.tenths[0][i] = 10 * p.row[i];
    }
    return p;
}

TEST(ChartPoints, MergeByXKeepsXAscendingAndALaterPointAfterAnEarlierOneOfItsX) {
    struct Case {
        std::vector<int> old, added;
        std::vector<int> rows;  // the merged points' rows, in order
    };
    const Case cases[] = {
        {{}, {10, 20}, {100, 101}},
        {{10, 20}, {}, {0, 1}},
        {{10, 20, 30}, {40}, {0, 1, 2, 100}},
        {{30, 40}, {10}, {100, 0, 1}},
        // A second download of the same addresses: each after the first's of its address.
        {{10, 20}, {10, 20}, {0, 100, 1, 101}},
        {{10, 30, 50}, {20, 30, 60}, {0, 100, 1, 101, 2, 102}},
    };
    for (const Case& c : cases) {
        TenthsPoints<1> old = At(c.old, 0);
        TenthsPoints<1> added = At(c.added, 100);
        MergeByX(old, added);
        EXPECT_EQ(added.Size(), 0u);
        ASSERT_EQ(old.row, c.rows);
        for (std::size_t k = 0; k < old.Size(); ++k) {
            EXPECT_EQ(old.tenths[0][k], 10 * old.row[k]) << "values follow their points";
            if (k > 0) {
                EXPECT_LE(old.x[k - 1], old.x[k]);
            }
        }
    }
}

}  // namespace
}  // namespace lmr
