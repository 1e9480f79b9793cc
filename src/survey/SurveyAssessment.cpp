#include "survey/SurveyAssessment.h"

#include <iterator>

#include "core/AssessReadingOf.h"

namespace lmr {

namespace {

// The index of the item whose class is the highest (the first of them), or -1 when there is none
// to name: nothing measured, or a measured item that could not be classed, which may hide a
// worse class than the others show.
template <typename Item, typename ClassOf, typename Measured>
int Deciding(const std::vector<Item>& items, ClassOf classOf, Measured measured) {
    int deciding = -1;
    std::optional<ConditionsClass> highest;
    for (std::size_t i = 0; i < items.size(); ++i) {
        if (!measured(items[i])) continue;
        const std::optional<ConditionsClass> c = classOf(items[i]);
        if (!c) return -1;
        if (!highest || *c > *highest) {
            highest = c;
            deciding = static_cast<int>(i);
        }
    }
    return deciding;
}

}  // namespace

double PermissibleIrradiance(IrradiatedShare share) {
    const auto i = static_cast<std::size_t>(share);
    return i < std::size(kIrradianceByShare) ? kIrradianceByShare[i] : kIrradianceAtLeastHalf;
}

InstrumentLimits LimitsOf(const SurveyInstrument& i) {
    return {i.errorAir, i.errorRh, i.errorGlobe, i.errorAirSpeed, i.errorAirSpeedPercent};
}

AssessInputs SurveyAssessInputs(const SurveyHeader& header, const SurveyWorkplace& workplace,
                                const SurveyHeight& height, const InstrumentLimits& limits) {
    AssessInputs in;
    in.category = workplace.category;
    in.season = header.season;
    in.airSpeed = height.airSpeed;
    // The survey's work level is the category's own, as the window's is until the user picks one.
    in.metabolicWatts = CategoryWorkLevelWatts(workplace.category);
    in.permissibleIrradiance = PermissibleIrradiance(height.irradiatedShare);
    in.limits = limits;
    return in;
}

HeightVerdict AssessHeight(const SurveyHeader& header, const SurveyWorkplace& workplace,
                           const SurveyHeight& height, const InstrumentLimits& limits) {
    std::vector<AssessReading> readings;
    for (const SurveyMeasurement& m : height.measurements) {
        for (const Reading& r : m.readings) readings.push_back(AssessReadingOf(r));
    }
    return {height.id, height.metres,
            Assess(std::move(readings), SurveyAssessInputs(header, workplace, height, limits))};
}

PointVerdict AssessPoint(const SurveyHeader& header, const SurveyWorkplace& workplace,
                         const SurveyPoint& point, const InstrumentLimits& limits) {
    PointVerdict v;
    v.pointId = point.id;
    for (const SurveyHeight& h : point.heights) {
        v.heights.push_back(AssessHeight(header, workplace, h, limits));
    }
    v.decidingHeight =
        Deciding(v.heights, [](const HeightVerdict& h) { return h.assessment.conditionsClass; },
                 [](const HeightVerdict& h) { return h.assessment.count > 0; });
    if (v.decidingHeight >= 0) {
        const Assessment& a = v.heights[std::size_t(v.decidingHeight)].assessment;
        v.conditionsClass = a.conditionsClass;
        v.decidingFactor = a.decidingFactor;
    }
    return v;
}

WorkplaceVerdict AssessWorkplace(const SurveyHeader& header, const SurveyWorkplace& workplace,
                                 const InstrumentLimits& limits) {
    WorkplaceVerdict v;
    v.workplaceId = workplace.id;
    for (const SurveyPoint& p : workplace.points) {
        v.points.push_back(AssessPoint(header, workplace, p, limits));
    }
    const auto measured = [](const PointVerdict& p) {
        for (const HeightVerdict& h : p.heights) {
            if (h.assessment.count > 0) return true;
        }
        return false;
    };
    v.decidingPoint = Deciding(
        v.points, [](const PointVerdict& p) { return p.conditionsClass; }, measured);
    if (v.decidingPoint >= 0) {
        const PointVerdict& p = v.points[std::size_t(v.decidingPoint)];
        v.conditionsClass = p.conditionsClass;
        v.decidingFactor = p.decidingFactor;
    }
    return v;
}

}  // namespace lmr
