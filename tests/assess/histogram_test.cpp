#include "assess/Histogram.h"

#include <gtest/gtest.h>

namespace lmr {
namespace {

TEST(Histogram, ClassBoundsAreLowerInclusiveUpperExclusive) {
    // 4.9 in [0,5), 5.0 in [5,10), 49.9 in [45,50).
    const Histogram h = ComputeHistogram({4.9, 5.0, 49.9}, 5.0);
    EXPECT_EQ(h.counts[0], 1);
    EXPECT_EQ(h.counts[1], 1);
    EXPECT_EQ(h.counts[9], 1);
    int total = 0;
    for (int c : h.counts) total += c;
    EXPECT_EQ(total, 3);
    EXPECT_DOUBLE_EQ(h.min, 4.9);
    EXPECT_DOUBLE_EQ(h.max, 49.9);
}

TEST(Histogram, ReadingsOutsideTheClassesOnlyEnterMinAndMax) {
    const Histogram t = ComputeHistogram({50.0, -0.1, 20.0}, 5.0);
    EXPECT_EQ(t.counts[4], 1);
    for (int k = 0; k < kHistogramClasses; ++k) {
        if (k != 4) {
            EXPECT_EQ(t.counts[k], 0) << k;
        }
    }
    EXPECT_DOUBLE_EQ(t.min, -0.1);
    EXPECT_DOUBLE_EQ(t.max, 50.0);

    // Humidity of 100 % is past the last class, 90 <= y < 100.
    const Histogram rh = ComputeHistogram({100.0, 99.9}, 10.0);
    EXPECT_EQ(rh.counts[9], 1);
    EXPECT_DOUBLE_EQ(rh.max, 100.0);
}

TEST(Histogram, TenthStepsOnClassEdgesLandAbove) {
    // Readings are tenths as doubles; 15.0 and 30.0 from 0.1 steps must start their class.
    const Histogram h = ComputeHistogram({150 * 0.1, 300 * 0.1, 0.0, 9.9}, 5.0);
    EXPECT_EQ(h.counts[0], 1);  // 0.0
    EXPECT_EQ(h.counts[1], 1);  // 9.9
    EXPECT_EQ(h.counts[3], 1);  // 15.0
    EXPECT_EQ(h.counts[6], 1);  // 30.0
}

TEST(Histogram, NoReadingsGiveZeroCountsAndZeroMinMax) {
    const Histogram h = ComputeHistogram({}, 10.0);
    for (int c : h.counts) EXPECT_EQ(c, 0);
    EXPECT_EQ(h.min, 0.0);
    EXPECT_EQ(h.max, 0.0);
    for (double p : ClassPercentages(h)) EXPECT_EQ(p, 0.0);
}

TEST(Histogram, PercentagesAreSharesOfCountedReadingsOnly) {
    // 60 and -5 are in no class, so the two counted readings make 100 %.
    const Histogram h = ComputeHistogram({1.0, 2.0, 12.0, 60.0, -5.0}, 5.0);
    const auto p = ClassPercentages(h);
    EXPECT_DOUBLE_EQ(p[0], 200.0 / 3.0);
    EXPECT_DOUBLE_EQ(p[2], 100.0 / 3.0);
    EXPECT_DOUBLE_EQ(ClassUpperBound(0, 5.0), 5.0);
    EXPECT_DOUBLE_EQ(ClassUpperBound(9, 10.0), 100.0);
}

}  // namespace
}  // namespace lmr
