#pragma once

// What a survey may hold: the window's fields take no more, and the file's reader refuses a
// file that holds more as damaged (no program of ours writes it), so that a value nobody typed
// and no meter gave never reaches a verdict, a chart or the file again.
namespace lmr {

// Characters of a text: a name, a number, an address, a list of operators...
inline constexpr int kSurveyTextLimit = 2000;
// ... and of the purpose of the measurements, the longest text of a protocol.
inline constexpr int kSurveyPurposeLimit = 10000;

// Heights of a point, metres, as the window takes them.
inline constexpr double kSurveyMinHeight = 0;
inline constexpr double kSurveyMaxHeight = 10;
// Air speed typed from an anemometer, m/s.
inline constexpr double kSurveyMaxAirSpeed = 50;
// Outdoor temperature, °C either way.
inline constexpr double kSurveyOutdoorRange = 80;
// Hours of a shift.
inline constexpr double kSurveyMinShiftHours = 0.5;
inline constexpr double kSurveyMaxShiftHours = 24;

// An instrument's limits of permissible error: ± °C, and ± % (of RH, of the reading).
inline constexpr double kSurveyMaxTemperatureError = 50;
inline constexpr double kSurveyMaxPercentError = 100;

// A channel (RH %, tв, tсф °C) as the meter sends it: an unsigned word in tenths.
inline constexpr double kSurveyMinChannel = 0;
inline constexpr double kSurveyMaxChannel = 6553.5;
// A quantity derived from channels in that range stays well inside this, either way (the
// irradiance at the top of the range is about 1.3e8 W/m²).
inline constexpr double kSurveyDerivedRange = 1e9;

}  // namespace lmr
