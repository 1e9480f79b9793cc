#include <gtest/gtest.h>

#include <QDate>
#include <cmath>

#include "assess/AssessTexts.h"
#include "assess/Assessment.h"

namespace lmr {
namespace {

using C = ConditionsClass;

// Each category's bounds as the norms print them: start and end of class 2, then the ends of
// 3.1, 3.2, 3.3 and 3.4.
struct Bounds {
    WorkCategory category;
    double low, c2, c31, c32, c33, c34;
};
constexpr Bounds kBounds[] = {
    {WorkCategory::Ia, 22.2, 26.4, 26.6, 27.4, 28.6, 31.0},
    {WorkCategory::Ib, 21.5, 25.8, 26.1, 26.9, 27.9, 30.3},
    {WorkCategory::IIa, 20.5, 25.1, 25.5, 26.2, 27.3, 29.9},
    {WorkCategory::IIb, 19.5, 23.9, 24.2, 25.0, 26.4, 29.1},
    {WorkCategory::III, 18.0, 21.8, 22.2, 23.4, 25.7, 27.9},
};

TEST(ThsClass, EveryBoundOfEveryCategoryFallsInTheClassItEnds) {
    for (const Bounds& b : kBounds) {
        SCOPED_TRACE(ThsNormOf(b.category).name);
        EXPECT_FALSE(ClassOfThs(b.category, b.low - 0.1).has_value());
        const std::pair<double, C> cases[] = {
            {b.low, C::C2},        {b.c2, C::C2},   {b.c2 + 0.1, C::C31},  {b.c31, C::C31},
            {b.c31 + 0.1, C::C32}, {b.c32, C::C32}, {b.c32 + 0.1, C::C33}, {b.c33, C::C33},
            {b.c33 + 0.1, C::C34}, {b.c34, C::C34}, {b.c34 + 0.1, C::C4},  {b.c34 + 10, C::C4},
        };
        for (const auto& [ths, expected] : cases) {
            const auto c = ClassOfThs(b.category, ths);
            ASSERT_TRUE(c.has_value()) << ths;
            EXPECT_EQ(*c, expected) << ths;
        }
    }
    // The index is compared as shown: 26.44 reads 26.4, 26.46 reads 26.5.
    EXPECT_EQ(ClassOfThs(WorkCategory::Ia, 26.44), C::C2);
    EXPECT_EQ(ClassOfThs(WorkCategory::Ia, 26.46), C::C31);
    EXPECT_FALSE(ClassOfThs(WorkCategory::Ia, 22.14).has_value());
}

TEST(WbgtLimit, BothEquationsAtTheFivePresets) {
    // 56.7 − 11.5·lg M and 59.9 − 14.1·lg M, worked by hand.
    const struct {
        double watts, acclimatised, notAcclimatised;
    } rows[] = {
        {115, 33.00, 30.84}, {180, 30.76, 28.10}, {300, 28.21, 24.97},
        {415, 26.59, 22.99}, {520, 25.47, 21.60},
    };
    ASSERT_EQ(WbgtWorkLevels().size(), 5u);
    for (std::size_t i = 0; i < 5; ++i) {
        EXPECT_EQ(WbgtWorkLevels()[i].watts, rows[i].watts);
        EXPECT_NEAR(WbgtLimit(rows[i].watts, true), rows[i].acclimatised, 0.01) << rows[i].watts;
        EXPECT_NEAR(WbgtLimit(rows[i].watts, false), rows[i].notAcclimatised, 0.01)
            << rows[i].watts;
    }
}

std::vector<AssessReading> Readings(std::initializer_list<std::pair<qint64, double>> timesAndThs) {
    std::vector<AssessReading> r;
    for (const auto& [t, v] : timesAndThs) r.push_back({t, v, v, 100});
    return r;
}

TEST(TimeWeightedMean, WeighsByTheTimeToTheNextReadingAndLeavesGapsOut) {
    const auto mean = [](const std::vector<AssessReading>& r) {
        return TimeWeightedMean(r, &AssessReading::ths);
    };
    // Even steps: the plain mean.
    EXPECT_NEAR(mean(Readings({{0, 20}, {10, 22}, {20, 24}})), 22, 1e-9);
    // A step of 170 s among 10 s steps is a gap: the reading before it counts for 10 s.
    EXPECT_NEAR(mean(Readings({{0, 20}, {10, 20}, {20, 20}, {30, 20}, {200, 30}, {210, 30}})),
                (4 * 20 + 2 * 30) / 6.0, 1e-9);
    // Three usual intervals exactly is no gap yet: weights 10, 10, 30 and 10 for the last.
    EXPECT_NEAR(mean(Readings({{0, 10}, {10, 10}, {20, 40}, {50, 100}})),
                (100 + 100 + 1200 + 1000) / 60.0, 1e-9);
    // Readings of the same time only: the plain mean.
    EXPECT_NEAR(mean(Readings({{5, 10}, {5, 20}})), 15, 1e-9);
    // Out of order, the assessment sorts them first.
    const Assessment a = Assess(Readings({{20, 24}, {0, 20}, {10, 22}, {60, 50}}), {});
    EXPECT_EQ(a.spanSeconds, 60);
    EXPECT_NEAR(a.ths.weightedMean, (200 + 220 + 240 + 500) / 40.0, 1e-9);
}

TEST(Assess, ClassByTheWeightedMeanOrWhyThereIsNone) {
    AssessInputs in;
    in.category = WorkCategory::Ia;
    {
        SCOPED_TRACE("class 3.1 by the mean, one reading of three above the range");
        auto r = Readings({{0, 26.0}, {60, 26.6}, {120, 27.0}});
        const Assessment a = Assess(r, in);
        EXPECT_EQ(a.verdict, ThsVerdict::Class);
        EXPECT_EQ(a.conditionsClass, C::C31);
        EXPECT_NEAR(a.assessedThs, 26.5, 1e-9);
        EXPECT_NEAR(a.shareAbove, 2 / 3.0, 1e-9);
        EXPECT_EQ(a.ths.min, 26.0);
        EXPECT_EQ(a.ths.max, 27.0);
    }
    {
        SCOPED_TRACE("irradiance up to 1200 W/m² keeps the index");
        auto r = Readings({{0, 24}});
        r[0].w = 1200;
        EXPECT_EQ(Assess(r, in).verdict, ThsVerdict::Class);
        r.push_back({60, 24, 24, 1200.1});
        const Assessment a = Assess(r, in);
        EXPECT_EQ(a.verdict, ThsVerdict::IrradianceTooHigh);
        EXPECT_TRUE(VerdictText(a).contains(QStringLiteral("не применяется")));
        EXPECT_FALSE(WbgtVerdictText(a).isEmpty());  // WBGT is judged all the same
    }
    {
        SCOPED_TRACE("below the permissible range there is no heating microclimate to class");
        const Assessment a = Assess(Readings({{0, 22.1}, {60, 22.1}}), in);
        EXPECT_EQ(a.verdict, ThsVerdict::BelowRange);
        EXPECT_EQ(Assess(Readings({{0, 22.2}}), in).verdict, ThsVerdict::Class);
    }
    EXPECT_EQ(Assess({}, in).verdict, ThsVerdict::NoData);
    {
        SCOPED_TRACE("the WBGT margin is the limit less the weighted mean");
        in.metabolicWatts = 300;
        const Assessment a = Assess(Readings({{0, 29}, {60, 29}}), in);
        EXPECT_NEAR(a.wbgtMargin, WbgtLimit(300, true) - 29, 1e-9);
        EXPECT_TRUE(WbgtVerdictText(a).startsWith(QStringLiteral("WBGT выше предела")));
    }
}

}  // namespace
}  // namespace lmr
