#pragma once

#include <QDate>
#include <QString>
#include <QtGlobal>
#include <array>
#include <optional>
#include <vector>

#include "assess/NormTables.h"
#include "assess/Uncertainty.h"

namespace lmr {

// One reading as the assessment sees it: its wall-clock time in seconds (local time counted as
// if it were UTC, so days have no daylight-saving jumps) and the quantities it judges.
struct AssessReading {
    qint64 seconds = 0;
    double ths = 0;   // ТНС-индекс, °C
    double wbgt = 0;  // °C
    double w = 0;     // irradiance, W/m²
    double air = 0;   // air temperature tв, °C
    double rh = 0;    // relative humidity, %
    // False for a logger record that is no measurement: left out, and counted as such.
    bool valid = true;
    double globe = 0;  // black-globe temperature tш as read, °C; shown, not judged
};

// What the user chose: the period of the year, the category of work, the air speed measured
// apart, the WBGT work level, the irradiance permissible at the workplace and the instrument's
// limits of error.
struct AssessInputs {
    WorkCategory category = WorkCategory::Ia;
    Season season = Season::Cold;
    std::optional<double> airSpeed;  // m/s, in hundredths as typed; none: not measured
    double metabolicWatts = 180;
    bool acclimatised = true;
    double permissibleIrradiance = kIrradianceAtLeastHalf;  // W/m², by the body's share
    InstrumentLimits limits;
};

struct QuantityFigures {
    double mean = 0;
    double min = 0;
    double max = 0;
    double weightedMean = 0;  // by the time to the next reading (TimeWeightedMean)
    double shareAbove = 0;    // readings above the quantity's permissible upper limit, as shown
    double meanUncertainty = 0;  // the spread of the readings: s / √n, 0 for one reading
};

// The factors of the microclimate, in the order the window lists them.
enum class Factor { AirTemperature, Humidity, AirSpeed, Ths, Irradiance };
inline constexpr int kFactorCount = 5;

// How a factor's figure stands against its norms.
enum class FactorState {
    Optimal,
    Permissible,
    BelowRange,         // air: cooling microclimate; humidity: too dry; air speed: below the
                        // warm period's range at 26–28 °C; ТНС-индекс: below its permissible range
    AboveRange,         // air, humidity: judged by the ТНС-индекс; air speed: 0.6 m/s or more
    Unclassed,          // air speed above its permissible value and below 0.6 m/s
    NotMeasured,        // air speed left empty
    NotHeating,         // ТНС-индекс, irradiance: no heating microclimate to class
    Heating,            // ТНС-индекс, irradiance: classes the heating microclimate
    IrradianceTooHigh,  // ТНС-индекс: a reading above kThsIrradianceLimit, the index does not apply
};

// A factor against СанПиН 1.2.3685-21, apart from its class by the methodology.
enum class Compliance { Optimal, Permissible, NotCompliant, NotJudged };

struct FactorResult {
    Factor factor = Factor::AirTemperature;
    double value = 0;  // the figure judged as shown: 0.1, air speed 0.01
    FactorState state = FactorState::NotMeasured;
    std::optional<ConditionsClass> conditionsClass;  // none: the factor gives no class
    Compliance compliance = Compliance::NotJudged;
    std::optional<double> expanded;  // U (k = 2); none: the instrument's limits not given
    bool nearLimit = false;  // value ± U reaches across a limit its verdicts turn on
};

struct Assessment {
    int count = 0;
    int leftOut = 0;  // readings not valid, not in count
    qint64 firstSeconds = 0;
    qint64 spanSeconds = 0;  // from the first reading to the last
    QuantityFigures ths;
    QuantityFigures wbgt;  // its share above is above the WBGT limit
    QuantityFigures air;
    QuantityFigures rh;
    QuantityFigures globe;  // no permissible limit: its share above stays 0
    double maxW = 0;
    std::array<FactorResult, kFactorCount> factors;  // indexed by Factor
    // The microclimate's class, the highest of its factors'; none without readings.
    std::optional<ConditionsClass> conditionsClass;
    Factor decidingFactor = Factor::AirTemperature;  // the first factor of that class
    double wbgtLimit = 0;
    double wbgtMargin = 0;  // limit minus the time-weighted mean WBGT; negative: over the limit
    std::optional<double> wbgtExpanded;  // U of the mean WBGT; none: limits not given
    bool wbgtNearLimit = false;          // the mean ± U reaches across the WBGT limit
    std::optional<double> globeExpanded;  // U of the mean tсф; none: its limit not given

    [[nodiscard]] const FactorResult& Of(Factor f) const {
        return factors[static_cast<std::size_t>(f)];
    }
};

// The air temperature (as shown) against the period's and category's norms; a cooling
// microclimate is classed by its lower bounds, a heating one is left to the ТНС-индекс.
[[nodiscard]] FactorResult AirTemperatureFactor(Season season, WorkCategory category, double air);
// The humidity (as shown) against its norms at that air temperature.
[[nodiscard]] FactorResult HumidityFactor(Season season, double rh, double air);
// The air speed measured apart, if any (in hundredths), at an air temperature (as shown).
[[nodiscard]] FactorResult AirSpeedFactor(Season season, WorkCategory category,
                                          std::optional<double> speed, double air);
// The class of an irradiance by the methodology, W/m².
[[nodiscard]] ConditionsClass ClassOfIrradiance(double w);
// The greatest irradiance against its permissible value; classed when heating.
[[nodiscard]] FactorResult IrradianceFactor(double w, double permissible, bool heating);
// The ТНС-индекс (as shown): classed where the microclimate is heating and the index applies.
[[nodiscard]] FactorResult ThsFactor(WorkCategory category, double ths, bool heating,
                                     bool irradianceTooHigh);

// The period of the year a reading's month suggests: May to September warm.
[[nodiscard]] Season DefaultSeason(qint64 seconds);

// The class of a ТНС-индекс (compared as shown, rounded to 0.1); none below the permissible range.
[[nodiscard]] std::optional<ConditionsClass> ClassOfThs(WorkCategory category, double ths);

// The mean of field over readings in time order, each weighted by the time to the next one. The
// usual interval is the median step; a step longer than three of them is a gap and not counted:
// the reading before it, like the last one, stands for one usual interval. With no step longer
// than zero it is the plain mean.
[[nodiscard]] double TimeWeightedMean(const std::vector<AssessReading>& readings,
                                      double AssessReading::*field);

// The figures, the factors, the class and the WBGT verdict of a set of readings in any order.
[[nodiscard]] Assessment Assess(std::vector<AssessReading> readings, const AssessInputs& inputs);

// The readings from `from` to `to`, both included, and the readings not valid (they have no
// time to fall outside the period by, and are to be counted as left out).
[[nodiscard]] std::vector<AssessReading> ReadingsBetween(const std::vector<AssessReading>& readings,
                                                         qint64 from, qint64 to);

// Seconds of a local date and time on the assessment's time line.
[[nodiscard]] qint64 WallSeconds(const QDate& date, int secondOfDay);

}  // namespace lmr
