#pragma once

#include <array>

namespace lmr {

// Categories of work by energy expenditure, lightest first.
enum class WorkCategory { Ia, Ib, IIa, IIb, III };
inline constexpr int kWorkCategoryCount = 5;

// The period of the year the norms of the air differ by.
enum class Season { Cold, Warm };

// Classes of working conditions, from optimal to dangerous.
enum class ConditionsClass { C1, C2, C31, C32, C33, C34, C4 };
inline constexpr int kConditionsClassCount = 7;

// One category's row of the ТНС-индекс norms. Bounds are in tenths of a degree, as the index is
// shown and compared: each class runs up to and including its upper bound.
struct ThsNormRow {
    WorkCategory category;
    const char* name;              // "Iа"
    const char* expenditure;       // "до 139 Вт"
    int permissibleLow;            // class 2 starts here
    int permissibleHigh;           // end of class 2, the permissible upper limit
    std::array<int, 4> classHigh;  // ends of 3.1, 3.2, 3.3 and 3.4; above the last is class 4
};

[[nodiscard]] const std::array<ThsNormRow, kWorkCategoryCount>& ThsNorms();
[[nodiscard]] const ThsNormRow& ThsNormOf(WorkCategory category);

// The index applies up to this irradiance (and up to an air speed of 0.6 m/s).
inline constexpr double kThsIrradianceLimit = 1200.0;  // W/m²

// The air temperature of a period and category, in tenths of a degree, both ends included.
struct AirNormRow {
    int optimalLow;
    int optimalHigh;
    int permissibleLow;   // below: a cooling microclimate
    int permissibleHigh;  // above: a heating microclimate, judged by the ТНС-индекс
};
[[nodiscard]] const AirNormRow& AirNormOf(Season season, WorkCategory category);

// A cooling microclimate's classes by the air temperature's lower bound, in tenths: where class
// 2, 3.1, 3.2, 3.3 and 3.4 start; below the last is class 4.
[[nodiscard]] const std::array<int, 5>& CoolingClassLows(WorkCategory category);

// Relative humidity, %, both ends included.
inline constexpr double kRhOptimalLow = 40;
inline constexpr double kRhOptimalHigh = 60;
inline constexpr double kRhPermissibleLow = 15;
inline constexpr double kRhPermissibleHigh = 75;
// Drier than the permissible range: 3.1 down to this, 3.2 below it.
inline constexpr double kRhClass31Low = 10;
// The warm period's permissible upper humidity at an air temperature (as shown, °C); 75 % below
// 25 °C.
[[nodiscard]] double PermissibleRhHigh(Season season, double air);

// Air speed, m/s, in hundredths as an anemometer gives it: optimal at most this for the category;
// from kHarmfulAirSpeed on, class 3.1.
[[nodiscard]] double OptimalAirSpeed(WorkCategory category);
inline constexpr double kHarmfulAirSpeed = 0.6;
// The permissible air speed of a period and category, m/s: the first at an air temperature below
// its optimal range, the second above it.
struct AirSpeedNormRow {
    double belowOptimalAir;
    double aboveOptimalAir;
};
[[nodiscard]] const AirSpeedNormRow& AirSpeedNormOf(Season season, WorkCategory category);
// The permissible range of air speed at an air temperature (as shown, °C), m/s, both ends
// included: low is above 0 only where the warm period's note on 26–28 °C sets one.
struct AirSpeedRange {
    double low;
    double high;
};
[[nodiscard]] AirSpeedRange PermissibleAirSpeed(Season season, WorkCategory category, double air);
// True where the warm period's note on 26–28 °C sets the range.
[[nodiscard]] bool WarmNoteApplies(Season season, double air);

// Thermal irradiance, W/m², permissible at most: by the share of the body irradiated (at least
// half, a quarter to half, at most a quarter), and from an open source.
inline constexpr double kIrradianceAtLeastHalf = 35;
inline constexpr double kIrradianceQuarterToHalf = 70;
inline constexpr double kIrradianceAtMostQuarter = 100;
inline constexpr double kIrradianceOpenSource = 140;
inline constexpr int kIrradiatedShareCount = 4;
// In that order, as the share is picked in the windows.
inline constexpr double kIrradianceByShare[kIrradiatedShareCount] = {
    kIrradianceAtLeastHalf, kIrradianceQuarterToHalf, kIrradianceAtMostQuarter,
    kIrradianceOpenSource};
// The methodology's classes of irradiance: the ends of 2, 3.1, 3.2, 3.3 and 3.4, W/m², each
// included; above the last is class 4.
[[nodiscard]] const std::array<double, 5>& IrradianceClassHighs();

// A metabolic rate offered as a preset for the WBGT limit.
struct WorkLevel {
    const char* name;  // "покой"
    double watts;
};
[[nodiscard]] const std::array<WorkLevel, 5>& WbgtWorkLevels();
// The preset the WBGT limit takes for a category of work until the user picks another.
[[nodiscard]] double CategoryWorkLevelWatts(WorkCategory category);

// The WBGT reference value, °C, for a metabolic rate in watts.
[[nodiscard]] double WbgtLimit(double metabolicWatts, bool acclimatised);

// The names of the documents the numbers come from, as the window and the protocol cite them.
[[nodiscard]] const char* AirNormSource();
[[nodiscard]] const char* ThsPermissibleSource();
[[nodiscard]] const char* ThsClassSource();
[[nodiscard]] const char* CoolingClassSource();
[[nodiscard]] const char* WbgtSource();
[[nodiscard]] const char* IrradianceSource();
[[nodiscard]] const char* UncertaintySource();

}  // namespace lmr
