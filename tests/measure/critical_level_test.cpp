#include <gtest/gtest.h>

#include "measure/CriticalLevel.h"

namespace lmr {
namespace {

TEST(CriticalLevel, StartTextsAlarmEveryReading) {
    for (float v : {-40.0f, 0.0f, 0.1f, 25.0f, 6553.5f}) {
        const LimitCheck c = CheckLimit(v, true, "0.0", "0.0");
        EXPECT_TRUE(c.alarm) << v;
        EXPECT_TRUE(c.maxValid);
        EXPECT_TRUE(c.minValid);
    }
    EXPECT_EQ(CheckLimit(0.0f, true, "0.0", "0.0").hit, LimitHit::Max);
    EXPECT_EQ(CheckLimit(-1.0f, true, "0.0", "0.0").hit, LimitHit::Min);
}

TEST(CriticalLevel, UntickedNeverAlarmsButReportsValidity) {
    const LimitCheck c = CheckLimit(100.0f, false, "abc", "0.0");
    EXPECT_FALSE(c.alarm);
    EXPECT_EQ(c.hit, LimitHit::None);
    EXPECT_FALSE(c.maxValid);
    EXPECT_TRUE(c.minValid);
}

TEST(CriticalLevel, LimitsAreInclusiveAndMaxComesFirst) {
    EXPECT_FALSE(CheckLimit(25.0f, true, "30", "20").alarm);
    EXPECT_EQ(CheckLimit(30.0f, true, "30", "20").hit, LimitHit::Max);
    EXPECT_EQ(CheckLimit(20.0f, true, "30", "20").hit, LimitHit::Min);
    EXPECT_FALSE(CheckLimit(29.9f, true, "30", "20").alarm);
    EXPECT_FALSE(CheckLimit(20.1f, true, "30", "20").alarm);
    // Crossed limits: both hold, the max test wins.
    EXPECT_EQ(CheckLimit(25.0f, true, "20", "30").hit, LimitHit::Max);
}

TEST(CriticalLevel, ReadsPointOrCommaAndIgnoresTextThatIsNoNumber) {
    EXPECT_EQ(CheckLimit(25.5f, true, "25,5", "0").hit, LimitHit::Max);
    EXPECT_EQ(CheckLimit(25.5f, true, "25.5", "0").hit, LimitHit::Max);
    EXPECT_FALSE(CheckLimit(25.4f, true, "25,5", "-10").alarm);
    // A broken max leaves the min working, and the other way round.
    LimitCheck c = CheckLimit(100.0f, true, "abc", "-10");
    EXPECT_FALSE(c.alarm);
    EXPECT_FALSE(c.maxValid);
    EXPECT_TRUE(c.minValid);
    c = CheckLimit(-20.0f, true, "abc", "-10");
    EXPECT_EQ(c.hit, LimitHit::Min);
    c = CheckLimit(40.0f, true, "35", "");
    EXPECT_EQ(c.hit, LimitHit::Max);
    EXPECT_FALSE(c.minValid);
    c = CheckLimit(-40.0f, true, "35", "");
    EXPECT_FALSE(c.alarm);
    c = CheckLimit(0.0f, true, "", "");
    EXPECT_FALSE(c.alarm);
    EXPECT_FALSE(c.maxValid);
    EXPECT_FALSE(c.minValid);
}

TEST(CriticalLevel, ComparesTheUnroundedSinglePrecisionValue) {
    // 29.96 would show as 30 but is below a max of 30.
    EXPECT_FALSE(CheckLimit(29.96f, true, "30", "0").alarm);
    // The float nearest 25.4 lies below the decimal 25.4.
    EXPECT_FALSE(CheckLimit(25.4f, true, "25.4", "0").alarm);
}

}  // namespace
}  // namespace lmr
