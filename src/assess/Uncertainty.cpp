#include "assess/Uncertainty.h"

#include <cmath>

namespace lmr {

namespace {

// The wet-bulb temperature's formula (see DeriveHeatStress): its slopes and its one rounding.
constexpr double kTvtSlopeRh = 0.00381;
constexpr double kTvtSlope = 0.636;
constexpr double kTvtRh = 0.0546;
constexpr double kTvtCurve = 0.08;  // d/dRH of 4·(0.01·RH − 0.5)², per 0.01·RH − 0.5
constexpr double kTvtStep = 0.1;    // tвт is rounded to this before the index is made
constexpr double kTvtWeight = 0.7;

UncertaintyBudget Combine(double typeA, double typeB) {
    UncertaintyBudget b;
    b.typeA = typeA;
    b.typeB = typeB;
    b.combined = std::hypot(typeA, typeB);
    b.expanded = kCoverageFactor * b.combined;
    return b;
}

// ∂tвт/∂tв and ∂tвт/∂RH.
double TvtByAir(double rh) {
    return kTvtSlopeRh * rh + kTvtSlope;
}
double TvtByRh(double air, double rh) {
    return kTvtSlopeRh * air + kTvtRh - kTvtCurve * (0.01 * rh - 0.5);
}

}  // namespace

double RectangularUncertainty(double limit) {
    return std::abs(limit) / std::sqrt(3.0);
}

std::optional<UncertaintyBudget> ChannelBudget(double meanUncertainty,
                                               std::optional<double> limit) {
    if (!limit) return std::nullopt;
    return Combine(meanUncertainty, RectangularUncertainty(*limit));
}

Sensitivities ThsSensitivities(double air, double rh) {
    // ТНС = 0.7·tвт + 0.3·tсф.
    return {kTvtWeight * TvtByAir(rh), kTvtWeight * TvtByRh(air, rh), 0.3};
}

Sensitivities WbgtSensitivities(double air, double rh) {
    // WBGT = 0.7·tвт + 0.2·tсф + 0.1·tв.
    return {kTvtWeight * TvtByAir(rh) + 0.1, kTvtWeight * TvtByRh(air, rh), 0.2};
}

std::optional<UncertaintyBudget> IndexBudget(double meanUncertainty, const Sensitivities& s,
                                             const InstrumentLimits& limits) {
    if (!limits.air || !limits.rh || !limits.globe) return std::nullopt;
    const double air = s.air * RectangularUncertainty(*limits.air);
    const double rh = s.rh * RectangularUncertainty(*limits.rh);
    const double globe = s.globe * RectangularUncertainty(*limits.globe);
    const double rounding = kTvtWeight * RectangularUncertainty(kTvtStep / 2);
    const double typeB = std::sqrt(air * air + rh * rh + globe * globe + rounding * rounding);
    return Combine(meanUncertainty, typeB);
}

std::optional<UncertaintyBudget> AirSpeedBudget(double speed, const InstrumentLimits& limits) {
    if (!limits.airSpeed && !limits.airSpeedPercent) return std::nullopt;
    const double limit =
        limits.airSpeed.value_or(0) + limits.airSpeedPercent.value_or(0) / 100 * std::abs(speed);
    return Combine(0, RectangularUncertainty(limit));
}

}  // namespace lmr
