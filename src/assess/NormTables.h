#pragma once

#include <array>

namespace lmr {

// Categories of work by energy expenditure, lightest first.
enum class WorkCategory { Ia, Ib, IIa, IIb, III };
inline constexpr int kWorkCategoryCount = 5;

// Classes of working conditions a heating microclimate is put in by its ТНС-индекс.
enum class ConditionsClass { C2, C31, C32, C33, C34, C4 };
inline constexpr int kConditionsClassCount = 6;

// One category's row of the norms. Bounds are in tenths of a degree, as the ТНС-индекс is
// shown and compared: each class runs up to and including its upper bound.
struct ThsNormRow {
    WorkCategory category;
    const char* name;              // "Iа"
    const char* expenditure;       // "до 139 Вт"
    int permissibleLow;            // class 2 starts here; below, the index does not assess heating
    int permissibleHigh;           // end of class 2, the permissible upper limit
    std::array<int, 4> classHigh;  // ends of 3.1, 3.2, 3.3 and 3.4; above the last is class 4
};

[[nodiscard]] const std::array<ThsNormRow, kWorkCategoryCount>& ThsNorms();
[[nodiscard]] const ThsNormRow& ThsNormOf(WorkCategory category);

// The index applies up to this irradiance (and up to an air speed of 0.6 m/s).
inline constexpr double kThsIrradianceLimit = 1200.0;  // W/m²

// A metabolic rate offered as a preset for the WBGT limit.
struct WorkLevel {
    const char* name;  // "покой"
    double watts;
};
[[nodiscard]] const std::array<WorkLevel, 5>& WbgtWorkLevels();

// The WBGT reference value, °C, for a metabolic rate in watts.
[[nodiscard]] double WbgtLimit(double metabolicWatts, bool acclimatised);

// The names of the documents the numbers come from, as the window and the protocol cite them.
[[nodiscard]] const char* ThsPermissibleSource();
[[nodiscard]] const char* ThsClassSource();
[[nodiscard]] const char* WbgtSource();

}  // namespace lmr
