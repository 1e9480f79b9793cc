#pragma once

#include <optional>
#include <vector>

#include "assess/Assessment.h"
#include "survey/Survey.h"

namespace lmr {

// The whole assessment of one height: every reading of its measurements judged with the
// workplace's category, the survey's period of the year and the height's air speed.
struct HeightVerdict {
    qint64 heightId = 0;
    double metres = 0;
    Assessment assessment;
};

// A point's class is the highest over its measured heights; the height and factor that set it are
// named. A measured height without a class (the ТНС-индекс does not apply) leaves the point
// without one: the others could understate it. Heights without readings do not count.
struct PointVerdict {
    qint64 pointId = 0;
    std::vector<HeightVerdict> heights;  // in the point's order
    std::optional<ConditionsClass> conditionsClass;
    int decidingHeight = -1;  // index into heights; -1 without a class
    Factor decidingFactor = Factor::AirTemperature;
};

// A workplace's class is the highest over its measured points, by the same rule.
struct WorkplaceVerdict {
    qint64 workplaceId = 0;
    std::vector<PointVerdict> points;  // in the workplace's order
    std::optional<ConditionsClass> conditionsClass;
    int decidingPoint = -1;  // index into points; -1 without a class
    Factor decidingFactor = Factor::AirTemperature;
};

// The irradiance permissible at a height, W/m², by the share of the body irradiated there.
[[nodiscard]] double PermissibleIrradiance(IrradiatedShare share);
// The instrument's limits of error as its verification gives them.
[[nodiscard]] InstrumentLimits LimitsOf(const SurveyInstrument& instrument);

// The limits, where given, make each result's uncertainty; the verdicts do not depend on them.
[[nodiscard]] AssessInputs SurveyAssessInputs(const SurveyHeader& header,
                                              const SurveyWorkplace& workplace,
                                              const SurveyHeight& height,
                                              const InstrumentLimits& limits = {});
[[nodiscard]] HeightVerdict AssessHeight(const SurveyHeader& header,
                                         const SurveyWorkplace& workplace,
                                         const SurveyHeight& height,
                                         const InstrumentLimits& limits = {});
[[nodiscard]] PointVerdict AssessPoint(const SurveyHeader& header, const SurveyWorkplace& workplace,
                                       const SurveyPoint& point,
                                       const InstrumentLimits& limits = {});
[[nodiscard]] WorkplaceVerdict AssessWorkplace(const SurveyHeader& header,
                                               const SurveyWorkplace& workplace,
                                               const InstrumentLimits& limits = {});

}  // namespace lmr
