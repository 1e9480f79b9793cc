#include <gtest/gtest.h>

#include <cmath>

#include "ShownText.h"
#include "measure/HeatStress.h"
#include "measure/NumberText.h"

namespace lmr {
namespace {

struct Example {
    float rh, tv, tsf;
    const char *tvt, *ttr, *ths, *wbgt, *tg, *trad, *w;
};

// The reference readings, as the values show after rounding to 0.1.
const Example kExamples[] = {
    {50.0f, 25.0f, 30.0f, "18.5", "13.9", "22", "21.5", "30", "33.2", "51.2"},
    {30.0f, 20.0f, 18.0f, "11.5", "1.9", "13.4", "13.6", "20", "20", "0"},
    {65.0f, 31.2f, 45.5f, "26.1", "23.8", "31.9", "30.5", "45.5", "55.3", "173.8"},
    {45.0f, 22.0f, 20.0f, "15.3", "9.5", "16.7", "16.9", "22", "22", "0"},
    {0.0f, 0.0f, 0.0f, "-5.9", nullptr, "-4.1", "-4.1", "0", "0", "0"},
};

// The channels as the instrument sends them: a word of tenths times the extended 0.1.
float Channel(int word) {
    return static_cast<float>(word * 0.1L);
}

TEST(HeatStress, ReferenceReadingsShowAsExpected) {
    for (const Example& e : kExamples) {
        SCOPED_TRACE(testing::Message() << e.rh << " " << e.tv << " " << e.tsf);
        const HeatStress h = DeriveHeatStress(e.rh, e.tv, e.tsf);
        EXPECT_EQ(TenthText(h.tvt), test::ShownNumber(e.tvt));
        if (e.ttr) {
            ASSERT_TRUE(h.ttr.has_value());
            EXPECT_EQ(TenthText(*h.ttr), test::ShownNumber(e.ttr));
        } else {
            EXPECT_FALSE(h.ttr.has_value());
        }
        EXPECT_EQ(TenthText(h.ths), test::ShownNumber(e.ths));
        EXPECT_EQ(TenthText(h.wbgt), test::ShownNumber(e.wbgt));
        EXPECT_EQ(TenthText(h.tg), test::ShownNumber(e.tg));
        EXPECT_EQ(TenthText(h.trad), test::ShownNumber(e.trad));
        EXPECT_EQ(TenthText(h.w), test::ShownNumber(e.w));
    }
}

TEST(HeatStress, ChannelWordsGiveTheSameReadings) {
    // 312 tenths arrive as 31.2000007629…, not as the float nearest 31.2 by accident.
    const HeatStress h = DeriveHeatStress(Channel(650), Channel(312), Channel(455));
    EXPECT_EQ(TenthText(h.tvt), test::ShownNumber("26.1"));
    EXPECT_EQ(TenthText(h.trad), test::ShownNumber("55.3"));
    EXPECT_EQ(TenthText(h.w), test::ShownNumber("173.8"));
}

TEST(HeatStress, StoredInSinglePrecisionBeforeRoundingDecidesTies) {
    // 21.95, 21.45 and 13.45 are decimal ties: single precision stores the first
    // two just above and the third just below, which is how they show.
    const HeatStress a = DeriveHeatStress(50.0f, 25.0f, 30.0f);
    EXPECT_GT(static_cast<double>(a.ths), 21.95);
    EXPECT_EQ(a.ths, 21.95f);
    EXPECT_EQ(TenthText(a.ths), "22");
    EXPECT_GT(static_cast<double>(a.wbgt), 21.45);
    EXPECT_EQ(a.wbgt, 21.45f);
    EXPECT_EQ(TenthText(a.wbgt), test::ShownNumber("21.5"));
    const HeatStress b = DeriveHeatStress(30.0f, 20.0f, 18.0f);
    EXPECT_LT(static_cast<double>(b.ths), 13.45);
    EXPECT_EQ(b.ths, 13.45f);
    EXPECT_EQ(TenthText(b.ths), test::ShownNumber("13.4"));
}

TEST(HeatStress, WetBulbIsRoundedBeforeTheIndices) {
    // tвт 18.4525 is held as 18.5; ТНС = (7·18.5 + 3·30)·0.1 = 21.95, not 21.9168.
    const HeatStress h = DeriveHeatStress(50.0f, 25.0f, 30.0f);
    EXPECT_EQ(h.tvt, 18.5f);
    EXPECT_EQ(TenthText(h.ths), "22");
}

TEST(HeatStress, NoHumidityLeavesTheDewPointAbsent) {
    const HeatStress zero = DeriveHeatStress(0.0f, 0.0f, 0.0f);
    EXPECT_FALSE(zero.ttr.has_value());
    EXPECT_EQ(zero.tvt, static_cast<float>(RoundToTenth(-5.94)));
    // RH 0: tвт = 0.636·tв − 5.94, rounded.
    const HeatStress warm = DeriveHeatStress(0.0f, 30.0f, 30.0f);
    EXPECT_FALSE(warm.ttr.has_value());
    EXPECT_EQ(TenthText(warm.tvt), test::ShownNumber("13.1"));
    // Just above 0 the dew point is computed (and very low).
    const HeatStress dry = DeriveHeatStress(0.1f, 20.0f, 20.0f);
    ASSERT_TRUE(dry.ttr.has_value());
    EXPECT_LT(*dry.ttr, -50.0f);
}

TEST(HeatStress, GlobeBelowAirIsRaisedOnlyForRadiantAndIrradiance) {
    const HeatStress h = DeriveHeatStress(40.0f, 30.0f, 10.0f);
    EXPECT_EQ(h.tg, 30.0f);
    EXPECT_EQ(TenthText(h.trad), "30");
    EXPECT_EQ(TenthText(h.w), "0");
    // ТНС and WBGT use the measured 10, not 30.
    EXPECT_EQ(h.ths, static_cast<float>((7.0L * h.tvt + 3 * 10.0L) * 0.1));
    EXPECT_EQ(h.wbgt, static_cast<float>((7.0L * h.tvt + 2 * 10.0L + 30) * 0.1));
}

TEST(HeatStress, FullScaleChannelsStayFinite) {
    const float top = Channel(65535);
    EXPECT_EQ(top, 6553.5f);
    for (const auto& in : {std::array<float, 3>{top, top, top},
                           {top, 0.0f, top},
                           {0.0f, top, top},
                           {top, top, 0.0f},
                           {100.0f, 0.0f, top}}) {
        SCOPED_TRACE(testing::Message() << in[0] << " " << in[1] << " " << in[2]);
        const HeatStress h = DeriveHeatStress(in[0], in[1], in[2]);
        EXPECT_TRUE(std::isfinite(h.tvt));
        EXPECT_TRUE(std::isfinite(h.ths));
        EXPECT_TRUE(std::isfinite(h.wbgt));
        EXPECT_TRUE(std::isfinite(h.trad));
        EXPECT_TRUE(std::isfinite(h.w));
        EXPECT_GE(h.tg, in[1]);
    }
    // Above 100 % the logarithm is still defined; the dew point stays a number.
    const HeatStress wet = DeriveHeatStress(top, 20.0f, 20.0f);
    ASSERT_TRUE(wet.ttr.has_value());
    EXPECT_FALSE(std::isnan(*wet.ttr));
}

}  // namespace
}  // namespace lmr
