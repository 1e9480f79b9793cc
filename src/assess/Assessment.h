#pragma once

#include <QDate>
#include <QString>
#include <QtGlobal>
#include <optional>
#include <vector>

#include "assess/NormTables.h"

namespace lmr {

// One reading as the assessment sees it: its wall-clock time in seconds (local time counted as
// if it were UTC, so days have no daylight-saving jumps) and the three quantities it judges.
struct AssessReading {
    qint64 seconds = 0;
    double ths = 0;   // ТНС-индекс, °C
    double wbgt = 0;  // °C
    double w = 0;     // irradiance, W/m²
    // False for a logger record that is no measurement: left out, and counted as such.
    bool valid = true;
};

// What the user chose: the category of work and the WBGT work level.
struct AssessInputs {
    WorkCategory category = WorkCategory::Ia;
    double metabolicWatts = 180;
    bool acclimatised = true;
};

struct QuantityFigures {
    double mean = 0;
    double min = 0;
    double max = 0;
    double weightedMean = 0;  // by the time to the next reading (TimeWeightedMean)
};

// Why a set of readings gets a class, or why it does not.
enum class ThsVerdict {
    Class,              // the class stands in Assessment::conditionsClass
    NoData,             // no reading
    BelowRange,         // the mean is below the permissible range: no heating microclimate
    IrradianceTooHigh,  // a reading above kThsIrradianceLimit: the index does not apply
};

struct Assessment {
    int count = 0;
    int leftOut = 0;  // readings not valid, not in count
    qint64 firstSeconds = 0;
    qint64 spanSeconds = 0;  // from the first reading to the last
    QuantityFigures ths;
    QuantityFigures wbgt;
    double maxW = 0;
    double shareAbove = 0;  // readings whose ТНС-индекс, as shown, is above the permissible range
    double assessedThs = 0;  // the time-weighted mean ТНС-индекс rounded to 0.1: the class's basis
    ThsVerdict verdict = ThsVerdict::NoData;
    ConditionsClass conditionsClass = ConditionsClass::C2;
    double wbgtLimit = 0;
    double wbgtMargin = 0;  // limit minus the time-weighted mean WBGT; negative: over the limit
};

// The class of a ТНС-индекс (compared as shown, rounded to 0.1); none below the permissible range.
[[nodiscard]] std::optional<ConditionsClass> ClassOfThs(WorkCategory category, double ths);

// The mean of field over readings in time order, each weighted by the time to the next one. The
// usual interval is the median step; a step longer than three of them is a gap and not counted:
// the reading before it, like the last one, stands for one usual interval. With no step longer
// than zero it is the plain mean.
[[nodiscard]] double TimeWeightedMean(const std::vector<AssessReading>& readings,
                                      double AssessReading::*field);

// The figures, the class and the WBGT verdict of a set of readings in any order.
[[nodiscard]] Assessment Assess(std::vector<AssessReading> readings, const AssessInputs& inputs);

// The readings from `from` to `to`, both included, and the readings not valid (they have no
// time to fall outside the period by, and are to be counted as left out).
[[nodiscard]] std::vector<AssessReading> ReadingsBetween(const std::vector<AssessReading>& readings,
                                                         qint64 from, qint64 to);

// Seconds of a local date and time on the assessment's time line.
[[nodiscard]] qint64 WallSeconds(const QDate& date, int secondOfDay);

}  // namespace lmr
