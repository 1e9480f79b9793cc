#include "assess/NormTables.h"

#include <cmath>

namespace lmr {

namespace {

// Permissible ranges: СанПиН 2.2.4.3359-16, table 2.4 (the same ranges in СанПиН 1.2.3685-21);
// all ten figures checked against table 2.4's text. Classes 3.1 … 4: the methodology of the
// special assessment of working conditions (order of the Ministry of Labour 33н, appendix 13;
// its successor 817н). Not confirmed: all twenty ends of 3.1 … 3.4, whose table's text could
// not be reached (secondary sources give 22.0, 22.2 or 22.7 for the end of 3.1 in category III).
constexpr std::array<ThsNormRow, kWorkCategoryCount> kThsNorms = {{
    {WorkCategory::Ia, "Iа", "до 139 Вт", 222, 264, {266, 274, 286, 310}},
    {WorkCategory::Ib, "Iб", "140–174 Вт", 215, 258, {261, 269, 279, 303}},
    {WorkCategory::IIa, "IIа", "175–232 Вт", 205, 251, {255, 262, 273, 299}},
    {WorkCategory::IIb, "IIб", "233–290 Вт", 195, 239, {242, 250, 264, 291}},
    {WorkCategory::III, "III", "более 290 Вт", 180, 218, {222, 234, 257, 279}},
}};

// Air temperature: СанПиН 1.2.3685-21, tables 5.1 (optimal) and 5.2 (permissible), the same as
// СанПиН 2.2.4.548-96, tables 1 and 2. Checked: every optimal range (a copy of table 1); in the
// cold period every optimal and permissible upper end (methodology 33н, appendix 12) and every
// permissible lower end (methodology 817н, appendix 8, the start of class 2). Not confirmed: the
// warm period's permissible ends (21.0, 25.1–28.0; 20.0, 24.1–28.0; 18.0, 22.1–27.0; 16.0,
// 21.1–27.0; 15.0, 20.1–26.0), which no text reached gave.
constexpr AirNormRow kAirNorms[2][kWorkCategoryCount] = {
    {{220, 240, 200, 250},
     {210, 230, 190, 240},
     {190, 210, 170, 230},
     {170, 190, 150, 220},
     {160, 180, 130, 210}},
    {{230, 250, 210, 280},
     {220, 240, 200, 280},
     {200, 220, 180, 270},
     {190, 210, 160, 270},
     {180, 200, 150, 260}},
};

// Cooling microclimate: methodology 817н, appendix 8; every figure checked against a copy of its
// text. Category IIа there starts 3.1 at 14.0 (16.9–14.0), 3.2 at 12.0, 3.3 at 10.0 and 3.4 at
// 8.0, not at 15, 13, 11 and 9 as older summaries print it.
constexpr std::array<int, 5> kCoolingLows[kWorkCategoryCount] = {
    {200, 180, 160, 140, 120}, {190, 170, 150, 130, 110}, {170, 140, 120, 100, 80},
    {150, 130, 110, 90, 70},   {130, 120, 100, 80, 60},
};

// Air speed: optimal per category from СанПиН 1.2.3685-21, table 5.1 (checked against a copy of
// СанПиН 2.2.4.548-96 table 1 and against methodology 817н, appendix 8); 0.6 m/s and over is
// class 3.1 (methodology 33н, appendix 12; 817н, appendix 8: checked).
constexpr double kOptimalAirSpeed[kWorkCategoryCount] = {0.1, 0.1, 0.2, 0.2, 0.3};

// Humidity above 25 °C in the warm period: СанПиН 1.2.3685-21, note to table 5.2 (the same in
// СанПиН 2.2.4.548-96). Not confirmed: 70 % at 25 °C, 65 % at 26 °C; 60 % at 27 °C and 55 % at
// 28 °C are confirmed only by ГОСТ 12.1.005-88's table of the same norms. The ranges 40–60 and
// 15–75 % and the classes below 15 % (3.1 down to 10 %, then 3.2): methodology 817н, appendix 8,
// checked.
struct RhCap {
    int fromTenths;
    double maxRh;
};
constexpr RhCap kWarmRhCaps[] = {{280, 55}, {270, 60}, {260, 65}, {250, 70}};

// ISO 7243:2017, annex A; the same presets as its metabolic rate classes 0 … 4.
constexpr std::array<WorkLevel, 5> kWorkLevels = {{
    {"покой", 115},
    {"лёгкая", 180},
    {"средняя", 300},
    {"тяжёлая", 415},
    {"очень тяжёлая", 520},
}};

// The ISO class whose range (ISO 8996 for a body of 1.8 m²) holds the category's upper end:
// 139, 174 and 232 W fall in "low" (126–234 W), 290 W in "moderate" (234–360 W); category III
// has no upper end and reaches past 360 W, so it takes "high".
constexpr std::size_t kCategoryWorkLevel[kWorkCategoryCount] = {1, 1, 1, 2, 3};

int Tenths(double value) {
    return static_cast<int>(std::nearbyint(value / 0.1));
}

}  // namespace

const std::array<ThsNormRow, kWorkCategoryCount>& ThsNorms() {
    return kThsNorms;
}

const ThsNormRow& ThsNormOf(WorkCategory category) {
    return kThsNorms[static_cast<std::size_t>(category)];
}

const AirNormRow& AirNormOf(Season season, WorkCategory category) {
    return kAirNorms[static_cast<std::size_t>(season)][static_cast<std::size_t>(category)];
}

const std::array<int, 5>& CoolingClassLows(WorkCategory category) {
    return kCoolingLows[static_cast<std::size_t>(category)];
}

double PermissibleRhHigh(Season season, double air) {
    if (season == Season::Warm) {
        const int t = Tenths(air);
        for (const RhCap& cap : kWarmRhCaps) {
            if (t >= cap.fromTenths) return cap.maxRh;
        }
    }
    return kRhPermissibleHigh;
}

double OptimalAirSpeed(WorkCategory category) {
    return kOptimalAirSpeed[static_cast<std::size_t>(category)];
}

const std::array<WorkLevel, 5>& WbgtWorkLevels() {
    return kWorkLevels;
}

double CategoryWorkLevelWatts(WorkCategory category) {
    return kWorkLevels[kCategoryWorkLevel[static_cast<std::size_t>(category)]].watts;
}

double WbgtLimit(double metabolicWatts, bool acclimatised) {
    // ISO 7243:2017 (and the NIOSH criteria): the reference WBGT falls with log10 of M.
    const double lg = std::log10(metabolicWatts);
    return acclimatised ? 56.7 - 11.5 * lg : 59.9 - 14.1 * lg;
}

const char* AirNormSource() {
    return "СанПиН 1.2.3685-21, табл. 5.1 и 5.2";
}

const char* ThsPermissibleSource() {
    return "СанПиН 2.2.4.3359-16, табл. 2.4; СанПиН 1.2.3685-21";
}

const char* ThsClassSource() {
    return "Методика проведения специальной оценки условий труда (приказ Минтруда России № 33н, "
           "приложение 13; приказ № 817н)";
}

const char* CoolingClassSource() {
    return "Методика проведения специальной оценки условий труда (приказ Минтруда России № 817н, "
           "приложение 8)";
}

const char* WbgtSource() {
    return "ISO 7243:2017; NIOSH";
}

}  // namespace lmr
