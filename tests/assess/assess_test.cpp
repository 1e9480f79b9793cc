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

// The air temperature norms as the sanitary rules print them, °C.
struct AirBounds {
    Season season;
    WorkCategory category;
    double optimalLow, optimalHigh, permissibleLow, permissibleHigh;
};
constexpr AirBounds kAirBounds[] = {
    {Season::Cold, WorkCategory::Ia, 22, 24, 20.0, 25.0},
    {Season::Cold, WorkCategory::Ib, 21, 23, 19.0, 24.0},
    {Season::Cold, WorkCategory::IIa, 19, 21, 17.0, 23.0},
    {Season::Cold, WorkCategory::IIb, 17, 19, 15.0, 22.0},
    {Season::Cold, WorkCategory::III, 16, 18, 13.0, 21.0},
    {Season::Warm, WorkCategory::Ia, 23, 25, 21.0, 28.0},
    {Season::Warm, WorkCategory::Ib, 22, 24, 20.0, 28.0},
    {Season::Warm, WorkCategory::IIa, 20, 22, 18.0, 27.0},
    {Season::Warm, WorkCategory::IIb, 19, 21, 16.0, 27.0},
    {Season::Warm, WorkCategory::III, 18, 20, 15.0, 26.0},
};

TEST(AirTemperature, BothEndsOfEveryRangeForBothPeriodsAndFiveCategories) {
    for (const AirBounds& b : kAirBounds) {
        SCOPED_TRACE(std::string(ThsNormOf(b.category).name) +
                     (b.season == Season::Warm ? " warm" : " cold"));
        const std::pair<double, C> cases[] = {
            {b.optimalLow, C::C1},          {b.optimalHigh, C::C1},
            {b.optimalLow - 0.1, C::C2},    {b.optimalHigh + 0.1, C::C2},
            {b.permissibleLow, C::C2},      {b.permissibleHigh, C::C2},
            {b.optimalHigh + 0.04, C::C1},  // compared as shown
        };
        for (const auto& [air, expected] : cases) {
            const FactorResult r = AirTemperatureFactor(b.season, b.category, air);
            EXPECT_EQ(r.conditionsClass, expected) << air;
        }
        const FactorResult hot = AirTemperatureFactor(b.season, b.category, b.permissibleHigh + 0.1);
        EXPECT_EQ(hot.state, FactorState::AboveRange);
        EXPECT_FALSE(hot.conditionsClass.has_value());  // left to the ТНС-индекс
        const FactorResult cold =
            AirTemperatureFactor(b.season, b.category, b.permissibleLow - 0.1);
        EXPECT_EQ(cold.state, FactorState::BelowRange);
    }
}

TEST(AirTemperature, CoolingClassesByTheLowerBound) {
    // Where 2, 3.1, 3.2, 3.3 and 3.4 start; below the last, 4.
    const struct {
        WorkCategory category;
        double lows[5];
    } rows[] = {
        {WorkCategory::Ia, {20, 18, 16, 14, 12}}, {WorkCategory::Ib, {19, 17, 15, 13, 11}},
        {WorkCategory::IIa, {17, 14, 12, 10, 8}}, {WorkCategory::IIb, {15, 13, 11, 9, 7}},
        {WorkCategory::III, {13, 12, 10, 8, 6}},
    };
    const C classes[] = {C::C2, C::C31, C::C32, C::C33, C::C34, C::C4};
    for (const auto& row : rows) {
        SCOPED_TRACE(ThsNormOf(row.category).name);
        for (int i = 0; i < 5; ++i) {
            const double low = row.lows[i];
            // The warm period's colder permissible end still meets the same cooling classes.
            for (Season s : {Season::Cold, Season::Warm}) {
                if (i > 0) {
                    EXPECT_EQ(AirTemperatureFactor(s, row.category, low).conditionsClass,
                              classes[i])
                        << low;
                }
                EXPECT_EQ(AirTemperatureFactor(s, row.category, low - 0.1).conditionsClass,
                          classes[i + 1])
                    << low - 0.1;
            }
        }
        EXPECT_EQ(AirTemperatureFactor(Season::Cold, row.category, -30).conditionsClass, C::C4);
    }
}

TEST(Humidity, RangesDryClassesAndTheWarmLimitsAbove25Degrees) {
    const struct {
        Season season;
        double air, rh;
        std::optional<C> expected;  // none: above the permissible range
    } rows[] = {
        {Season::Cold, 22, 40, C::C1},    {Season::Cold, 22, 60, C::C1},
        {Season::Cold, 22, 39.9, C::C2},  {Season::Cold, 22, 60.1, C::C2},
        {Season::Cold, 22, 15, C::C2},    {Season::Cold, 22, 75, C::C2},
        {Season::Cold, 22, 75.1, {}},     {Season::Cold, 22, 14.9, C::C31},
        {Season::Cold, 22, 10, C::C31},   {Season::Cold, 22, 9.9, C::C32},
        {Season::Cold, 28, 75, C::C2},    {Season::Warm, 24.9, 75, C::C2},
        {Season::Warm, 25, 70, C::C2},    {Season::Warm, 25, 70.1, {}},
        {Season::Warm, 25.9, 70, C::C2},  {Season::Warm, 26, 65, C::C2},
        {Season::Warm, 26, 65.1, {}},     {Season::Warm, 27, 60, C::C1},
        {Season::Warm, 27, 60.1, {}},     {Season::Warm, 28, 55, C::C1},
        {Season::Warm, 28, 55.1, {}},     {Season::Warm, 31, 55.1, {}},
    };
    for (const auto& r : rows) {
        const FactorResult f = HumidityFactor(r.season, r.rh, r.air);
        EXPECT_EQ(f.conditionsClass, r.expected) << r.air << " °C, " << r.rh << " %";
        EXPECT_EQ(f.state == FactorState::AboveRange, !r.expected.has_value()) << r.rh;
    }
}

TEST(AirSpeed, PermissibleByCategoryPeriodAndAirTemperatureInHundredths) {
    // Each period's and category's permissible speed below and above the optimal air
    // temperature; at the limit permissible, 0.01 m/s above it not compliant and without a class.
    const struct {
        Season season;
        WorkCategory category;
        double below, above;
    } rows[] = {
        {Season::Cold, WorkCategory::Ia, 0.1, 0.1},  {Season::Cold, WorkCategory::Ib, 0.1, 0.2},
        {Season::Cold, WorkCategory::IIa, 0.1, 0.3}, {Season::Cold, WorkCategory::IIb, 0.2, 0.4},
        {Season::Cold, WorkCategory::III, 0.2, 0.4}, {Season::Warm, WorkCategory::Ia, 0.1, 0.2},
        {Season::Warm, WorkCategory::Ib, 0.1, 0.3},  {Season::Warm, WorkCategory::IIa, 0.1, 0.4},
        {Season::Warm, WorkCategory::IIb, 0.2, 0.5}, {Season::Warm, WorkCategory::III, 0.2, 0.5},
    };
    for (const auto& r : rows) {
        const AirNormRow& t = AirNormOf(r.season, r.category);
        SCOPED_TRACE(std::string(ThsNormOf(r.category).name) +
                     (r.season == Season::Warm ? " warm" : " cold"));
        const double cool = (t.optimalLow - 1) / 10.0;  // below the optimal air temperature
        const double warm = (t.optimalHigh + 1) / 10.0;  // above it, short of 26 °C
        for (const auto& [air, limit] : {std::pair{cool, r.below}, std::pair{warm, r.above}}) {
            const FactorResult at = AirSpeedFactor(r.season, r.category, limit, air);
            EXPECT_NE(at.compliance, Compliance::NotCompliant) << air << " " << limit;
            EXPECT_TRUE(at.conditionsClass.has_value());
            const FactorResult over = AirSpeedFactor(r.season, r.category, limit + 0.01, air);
            EXPECT_EQ(over.compliance, Compliance::NotCompliant) << air << " " << limit;
            EXPECT_EQ(over.state, FactorState::Unclassed);
            EXPECT_FALSE(over.conditionsClass.has_value());
            EXPECT_EQ(AirSpeedFactor(r.season, r.category, 0.6, air).conditionsClass, C::C31);
            EXPECT_EQ(AirSpeedFactor(r.season, r.category, 0.59, air).conditionsClass,
                      std::nullopt);
        }
    }
    // Two decimals kept and judged as typed: 0,15 is above Iа's 0,1, 0,45 above IIб's cold 0,4.
    const FactorResult fifteen = AirSpeedFactor(Season::Cold, WorkCategory::Ia, 0.15, 21);
    EXPECT_DOUBLE_EQ(fifteen.value, 0.15);
    EXPECT_EQ(fifteen.compliance, Compliance::NotCompliant);
    EXPECT_EQ(AirSpeedFactor(Season::Cold, WorkCategory::Ia, 0.1, 23).compliance,
              Compliance::Optimal);
    const FactorResult fortyFive = AirSpeedFactor(Season::Cold, WorkCategory::IIb, 0.45, 20);
    EXPECT_DOUBLE_EQ(fortyFive.value, 0.45);
    EXPECT_EQ(fortyFive.state, FactorState::Unclassed);
    EXPECT_EQ(AirSpeedFactor(Season::Cold, WorkCategory::IIb, 0.4, 20).conditionsClass, C::C2);
    // The office of category Iа at 0,3 m/s in the cold period breaks its limit of 0,1.
    EXPECT_EQ(AirSpeedFactor(Season::Cold, WorkCategory::Ia, 0.3, 22).compliance,
              Compliance::NotCompliant);
    // The warm period's note at 26–28 °C: a lower end too.
    EXPECT_EQ(AirSpeedFactor(Season::Warm, WorkCategory::Ia, 0.05, 26).state,
              FactorState::BelowRange);
    EXPECT_EQ(AirSpeedFactor(Season::Warm, WorkCategory::Ia, 0.05, 25.9).compliance,
              Compliance::Optimal);
    EXPECT_EQ(AirSpeedFactor(Season::Warm, WorkCategory::Ia, 0.2, 28).compliance,
              Compliance::Permissible);
    const FactorResult none = AirSpeedFactor(Season::Cold, WorkCategory::Ia, std::nullopt, 22);
    EXPECT_EQ(none.state, FactorState::NotMeasured);
    EXPECT_FALSE(none.conditionsClass.has_value());
}

TEST(Irradiance, PermissibleByTheBodysShareAndClassesByTheMethodology) {
    const struct {
        double w, permissible;
        Compliance compliance;
        std::optional<C> heatingClass;
    } rows[] = {
        {35, 35, Compliance::Permissible, C::C2},    {35.1, 35, Compliance::NotCompliant, C::C2},
        {70, 70, Compliance::Permissible, C::C2},    {70.1, 70, Compliance::NotCompliant, C::C2},
        {100, 100, Compliance::Permissible, C::C2},  {100.1, 100, Compliance::NotCompliant, C::C2},
        {140, 140, Compliance::Permissible, C::C2},  {140.1, 140, Compliance::NotCompliant, C::C31},
        {1500, 140, Compliance::NotCompliant, C::C31}, {1500.1, 140, Compliance::NotCompliant, C::C32},
        {2000.1, 140, Compliance::NotCompliant, C::C33}, {2500.1, 140, Compliance::NotCompliant, C::C34},
        {2800, 140, Compliance::NotCompliant, C::C34}, {2800.1, 140, Compliance::NotCompliant, C::C4},
    };
    for (const auto& r : rows) {
        const FactorResult heating = IrradianceFactor(r.w, r.permissible, true);
        EXPECT_EQ(heating.compliance, r.compliance) << r.w;
        EXPECT_EQ(heating.conditionsClass, r.heatingClass) << r.w;
        // Without a heating microclimate up to 140 W/m² it gives no class; above, it is one.
        const FactorResult plain = IrradianceFactor(r.w, r.permissible, false);
        EXPECT_EQ(plain.conditionsClass.has_value(), r.w > 140) << r.w;
    }
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

// Readings of a hot shop's air (the ТНС-индекс judges) with the ТНС-индекс and WBGT given.
std::vector<AssessReading> Readings(std::initializer_list<std::pair<qint64, double>> timesAndThs) {
    std::vector<AssessReading> r;
    for (const auto& [t, v] : timesAndThs) r.push_back({t, v, v, 100, 32, 50});
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

TEST(Assess, TheHighestFactorSetsTheClassAndIsNamed) {
    using F = Factor;
    const struct {
        const char* room;
        Season season;
        double air, rh, ths, w;
        std::optional<double> speed;
        std::optional<C> expected;
        F deciding;
    } rows[] = {
        {"ordinary room", Season::Cold, 23.4, 44, 19.4, 100, {}, C::C1, F::AirTemperature},
        {"permissible band", Season::Cold, 20.8, 50, 18, 100, {}, C::C2, F::AirTemperature},
        {"cold room", Season::Cold, 15.0, 50, 12, 100, {}, C::C33, F::AirTemperature},
        {"dry air", Season::Cold, 23, 12, 17, 100, {}, C::C31, F::Humidity},
        {"draught", Season::Cold, 21, 50, 17, 100, 0.6, C::C31, F::AirSpeed},
        {"a tie goes to the first factor", Season::Cold, 21, 50, 17, 100, 0.3, C::C2,
         F::AirTemperature},
        {"hot shop", Season::Cold, 31, 55, 27.0, 100, {}, C::C32, F::Ths},
        {"hot air, the index within its range", Season::Warm, 28.5, 50, 24, 100, {}, C::C2,
         F::Ths},
        {"hot air, the index below its range: no class from it", Season::Cold, 26, 45, 21.0,
         100, {}, C::C2, F::Irradiance},  // hot air: the irradiance is classed
        {"humid room: the index judges", Season::Warm, 26, 80, 26.6, 100, {}, C::C31, F::Ths},
        {"humid room, the index below its range: the other factors", Season::Cold, 21, 85,
         20.0, 100, {}, C::C2, F::AirTemperature},
        {"humid optimal room, the index below its range", Season::Cold, 23, 85, 20.0, 100, {},
         C::C1, F::AirTemperature},
        {"radiant heat in permissible air", Season::Cold, 24.5, 40, 26.5, 100, {}, C::C31,
         F::Ths},
        {"hot air beyond the index's irradiance: classed by it", Season::Cold, 31, 55, 27, 1300,
         {}, C::C31, F::Irradiance},
        {"radiant heat above 140 W/m²", Season::Cold, 23, 50, 19, 150, {}, C::C31,
         F::Irradiance},
    };
    for (const auto& r : rows) {
        SCOPED_TRACE(r.room);
        AssessInputs in;
        in.season = r.season;
        in.airSpeed = r.speed;
        const Assessment a = Assess({{0, r.ths, r.ths, r.w, r.air, r.rh}}, in);
        EXPECT_EQ(a.conditionsClass, r.expected);
        if (r.expected) {
            EXPECT_EQ(a.decidingFactor, r.deciding);
        }
    }
    {
        SCOPED_TRACE("no heating microclimate: the index gives no class and says why");
        const Assessment a = Assess({{0, 19.4, 19, 100, 23.4, 44}}, {});
        EXPECT_EQ(a.Of(Factor::Ths).state, FactorState::NotHeating);
        EXPECT_FALSE(VerdictText(a).startsWith(QStringLiteral("Не определяется")));
    }
    {
        SCOPED_TRACE("beyond 1200 W/m² the index does not apply and the text says so");
        const Assessment a = Assess({{0, 27, 27, 1200.1, 31, 55}}, {});
        EXPECT_EQ(a.Of(Factor::Ths).state, FactorState::IrradianceTooHigh);
        EXPECT_TRUE(FactorClassText(a, Factor::Ths).contains(QStringLiteral("не применяется")));
        EXPECT_EQ(a.conditionsClass, C::C31);
        EXPECT_EQ(a.decidingFactor, Factor::Irradiance);
        EXPECT_FALSE(WbgtVerdictText(a).isEmpty());  // WBGT is judged all the same
        EXPECT_TRUE(Assess({{0, 27, 27, 1200, 31, 55}}, {}).conditionsClass.has_value());
    }
    EXPECT_FALSE(Assess({}, {}).conditionsClass.has_value());
}

TEST(Assess, FiguresAndSharesByTheWeightedMean) {
    AssessInputs in;
    in.category = WorkCategory::Ia;
    auto r = Readings({{0, 26.0}, {60, 26.6}, {120, 27.0}});
    r[0].air = 24.0;
    r[0].rh = 70;
    const Assessment a = Assess(r, in);
    EXPECT_EQ(a.conditionsClass, C::C31);  // the weighted mean reads 26.5
    EXPECT_NEAR(a.Of(Factor::Ths).value, 26.5, 1e-9);
    EXPECT_NEAR(a.ths.shareAbove, 2 / 3.0, 1e-9);
    EXPECT_NEAR(a.air.shareAbove, 2 / 3.0, 1e-9);  // 32 °C is above 25.0, 24 is not
    EXPECT_NEAR(a.rh.shareAbove, 0, 1e-9);
    EXPECT_EQ(a.air.min, 24.0);
    EXPECT_EQ(a.ths.max, 27.0);
    in.metabolicWatts = 300;
    const Assessment b = Assess(Readings({{0, 29}, {60, 29}}), in);
    EXPECT_NEAR(b.wbgtMargin, WbgtLimit(300, true) - 29, 1e-9);
    EXPECT_NEAR(b.wbgt.shareAbove, 1, 1e-9);
    EXPECT_TRUE(WbgtVerdictText(b).startsWith(QStringLiteral("WBGT выше предела")));
}

// The worked example of docs/uncertainty.md, figure by figure.
TEST(Uncertainty, TheWorkedExampleOfTheDocs) {
    AssessInputs in;
    in.airSpeed = 0.15;
    in.limits = {0.2, 3, 0.5, 0.05, 5};
    auto r = Readings({{0, 27.0}, {60, 27.2}, {120, 27.4}});
    for (AssessReading& x : r) {
        x.air = 30.2;
        x.rh = 50;
    }
    const Assessment a = Assess(r, in);
    const Sensitivities s = ThsSensitivities(30.2, 50);
    EXPECT_NEAR(s.air, 0.57855, 1e-9);
    EXPECT_NEAR(s.rh, 0.1187634, 1e-9);
    const auto ths = IndexBudget(a.ths.meanUncertainty, s, in.limits);
    ASSERT_TRUE(ths.has_value());
    EXPECT_NEAR(ths->typeA, 0.11547, 1e-5);
    EXPECT_NEAR(ths->typeB, 0.23385, 1e-5);
    EXPECT_NEAR(ths->combined, 0.26080, 1e-5);
    EXPECT_NEAR(*a.Of(Factor::Ths).expanded, 0.52161, 1e-5);
    EXPECT_NEAR(*a.wbgtExpanded, 0.51197, 1e-5);
    EXPECT_NEAR(*a.Of(Factor::AirTemperature).expanded, 0.23094, 1e-5);
    EXPECT_NEAR(*a.Of(Factor::Humidity).expanded, 3.46410, 1e-5);
    EXPECT_NEAR(*a.Of(Factor::AirSpeed).expanded, 0.06640, 1e-5);
    // 27,2 is class 3.2 in category Iа; 27,2 ± 0,5 reaches into 3.1 and 3.3: marked.
    EXPECT_EQ(a.Of(Factor::Ths).conditionsClass, C::C32);
    EXPECT_TRUE(a.Of(Factor::Ths).nearLimit);
    EXPECT_EQ(FactorFigureText(a.Of(Factor::Ths), QLocale(QLocale::Russian)), "27,2 ± 0,5*");
    EXPECT_EQ(FactorFigureText(a.Of(Factor::AirSpeed), QLocale(QLocale::Russian)),
              "0,15 ± 0,07*");
    // One limit missing: the index's uncertainty is not given, the others' are.
    in.limits.globe.reset();
    const Assessment b = Assess(r, in);
    EXPECT_FALSE(b.Of(Factor::Ths).expanded.has_value());
    EXPECT_FALSE(b.Of(Factor::Ths).nearLimit);
    EXPECT_TRUE(b.Of(Factor::AirTemperature).expanded.has_value());
    EXPECT_EQ(FactorFigureText(b.Of(Factor::Ths), QLocale(QLocale::Russian)), "27,2");
}

TEST(Defaults, SeasonByTheMonthAndWorkLevelByTheCategory) {
    EXPECT_EQ(DefaultSeason(WallSeconds(QDate(2009, 4, 30), 86399)), Season::Cold);
    EXPECT_EQ(DefaultSeason(WallSeconds(QDate(2009, 5, 1), 0)), Season::Warm);
    EXPECT_EQ(DefaultSeason(WallSeconds(QDate(2009, 9, 30), 86399)), Season::Warm);
    EXPECT_EQ(DefaultSeason(WallSeconds(QDate(2009, 10, 1), 0)), Season::Cold);
    const double watts[] = {180, 180, 180, 300, 415};
    for (int c = 0; c < kWorkCategoryCount; ++c) {
        EXPECT_EQ(CategoryWorkLevelWatts(WorkCategory(c)), watts[c]) << c;
    }
}

}  // namespace
}  // namespace lmr
