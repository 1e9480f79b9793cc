#pragma once

#include <optional>

namespace lmr {

// The instrument's limits of permissible error, ± in the channel's unit, as its verification
// gives them; none: not typed.
struct InstrumentLimits {
    std::optional<double> air;    // °C, tв
    std::optional<double> rh;     // % RH
    std::optional<double> globe;  // °C, tсф
    std::optional<double> airSpeed;         // m/s, the absolute part
    std::optional<double> airSpeedPercent;  // % of the reading, the relative part
};

// The coverage factor of an expanded uncertainty: about 95 % for a near-normal distribution.
inline constexpr double kCoverageFactor = 2;

// A result's uncertainty: the spread of the readings (type A, the standard uncertainty of their
// mean) and the instrument's limits (type B, a rectangular distribution), combined.
struct UncertaintyBudget {
    double typeA = 0;
    double typeB = 0;
    double combined = 0;  // √(typeA² + typeB²)
    double expanded = 0;  // kCoverageFactor · combined
};

// The standard uncertainty of a limit ±limit read as a rectangular distribution: limit / √3.
[[nodiscard]] double RectangularUncertainty(double limit);

// A quantity the instrument measures in one channel; none without the channel's limit.
[[nodiscard]] std::optional<UncertaintyBudget> ChannelBudget(double meanUncertainty,
                                                             std::optional<double> limit);

// How much an index moves per unit of each channel at the mean air temperature and humidity:
// the partial derivatives of its formula.
struct Sensitivities {
    double air = 0;
    double rh = 0;
    double globe = 0;
};
[[nodiscard]] Sensitivities ThsSensitivities(double air, double rh);
[[nodiscard]] Sensitivities WbgtSensitivities(double air, double rh);

// An index of the three channels: their limits carried through its formula, with the rounding
// of the wet-bulb temperature to 0.1 it is made from; none unless all three limits are given.
[[nodiscard]] std::optional<UncertaintyBudget> IndexBudget(double meanUncertainty,
                                                           const Sensitivities& s,
                                                           const InstrumentLimits& limits);

// An air speed typed from an anemometer: its limit (absolute plus a share of the reading) alone;
// none when neither part is given.
[[nodiscard]] std::optional<UncertaintyBudget> AirSpeedBudget(double speed,
                                                              const InstrumentLimits& limits);

}  // namespace lmr
