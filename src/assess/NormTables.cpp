#include "assess/NormTables.h"

#include <cmath>

namespace lmr {

namespace {

// Permissible ranges: СанПиН 1.2.3685-21, table 5.4. Checked: all ten figures against a copy of
// the same table of СанПиН 2.2.4.3359-16 (table 2.4, lapsed in 2021) and of СанПиН 2.2.4.3483-17
// (table 2.3); no copy of table 5.4 itself was reached. Classes 3.1 … 4: the methodology of the
// special assessment of working conditions, order of the Ministry of Labour 817н (2023, in force
// from 1 September 2024; it replaced order 33н, whose appendix 13 held the same table). Not
// confirmed: all twenty ends of 3.1 … 3.4. Searched for and not reached: the text of 817н's
// appendix, of 33н's appendix 13 and of Р 2.2.2006-05's table of the index; so the end of 3.1 in
// category III stays 22.2 (secondary sources give 22.0, 22.2 or 22.7), marked as unconfirmed.
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
// permissible lower end (methodology 817н, appendix 8, the start of class 2); category Iа's
// permissible ends in both periods (20.0/25.0 cold, 21.0/28.0 warm) against a copy of table 2
// reproduced in СП 2.5.1250-03. Not confirmed: the warm period's other permissible ends (20.0,
// 24.1–28.0; 18.0, 22.1–27.0; 16.0, 21.1–27.0; 15.0, 20.1–26.0), which no text reached gave.
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
// class 3.1 (methodology 33н, appendix 12, checked against a copy of its text: "при скорости
// движения воздуха, большей или равной 0,6 м/с, условия труда признаются вредными (подкласс
// 3.1)"; the methodology gives no class between the permissible speed and 0.6).
constexpr double kOptimalAirSpeed[kWorkCategoryCount] = {0.1, 0.1, 0.2, 0.2, 0.3};

// Permissible air speed: СанПиН 1.2.3685-21, table 5.2, the same as СанПиН 2.2.4.548-96, table 2.
// Checked: the cold period's column above the optimal air temperature (0.1, 0.2, 0.3, 0.4, 0.4)
// against methodology 33н, appendix 12; category Iа in both periods (0.1/0.1 cold, 0.1/0.2 warm)
// against a copy of table 2 reproduced in СП 2.5.1250-03. Not confirmed: the rest of the warm
// period's columns and the cold period's column below the optimal air temperature.
constexpr AirSpeedNormRow kAirSpeedNorms[2][kWorkCategoryCount] = {
    {{0.1, 0.1}, {0.1, 0.2}, {0.1, 0.3}, {0.2, 0.4}, {0.2, 0.4}},
    {{0.1, 0.2}, {0.1, 0.3}, {0.1, 0.4}, {0.2, 0.5}, {0.2, 0.5}},
};
// The warm period's note: at an air temperature of 26–28 °C the air speed is to lie in a range
// whose lower end is 0.1 m/s for categories Iа and Iб and 0.2 m/s for the others, the upper end
// the column above the optimal air temperature. Not confirmed: the note's text was not reached
// (neither in СанПиН 1.2.3685-21 nor in СанПиН 2.2.4.548-96, clause 6.6); the lower ends follow
// the permissible column of ГОСТ 12.1.005-88's table of the same norms (0,1–0,2 … 0,2–0,5).
constexpr int kWarmNoteLow = 260;
constexpr int kWarmNoteHigh = 280;
constexpr double kWarmNoteSpeedLow[kWorkCategoryCount] = {0.1, 0.1, 0.2, 0.2, 0.2};

// Irradiance: permissible 35, 70 and 100 W/m² by the share of the body irradiated and 140 W/m²
// from open sources, СанПиН 1.2.3685-21 (the same figures as СанПиН 2.2.4.548-96, clauses 6.7 and
// 6.8); checked against a copy of the same table (9.2.1) of sanitary rules reproducing them, not
// against 1.2.3685-21's own text. Classes (methodology 817н; 33н, appendix 12, had the same): 2 up
// to 140, 3.1 up to 1500, 3.2 up to 2000, 3.3 up to 2500, 3.4 up to 2800, above it 4. Not
// confirmed: the class ends, given by secondary sources only; no text of either appendix's row
// was reached.
constexpr std::array<double, 5> kIrradianceHighs = {140, 1500, 2000, 2500, 2800};

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

const AirSpeedNormRow& AirSpeedNormOf(Season season, WorkCategory category) {
    return kAirSpeedNorms[static_cast<std::size_t>(season)][static_cast<std::size_t>(category)];
}

bool WarmNoteApplies(Season season, double air) {
    const int t = Tenths(air);
    return season == Season::Warm && t >= kWarmNoteLow && t <= kWarmNoteHigh;
}

AirSpeedRange PermissibleAirSpeed(Season season, WorkCategory category, double air) {
    const AirSpeedNormRow& row = AirSpeedNormOf(season, category);
    const AirNormRow& t = AirNormOf(season, category);
    if (WarmNoteApplies(season, air)) {
        return {kWarmNoteSpeedLow[static_cast<std::size_t>(category)], row.aboveOptimalAir};
    }
    // Within the optimal temperatures a draught cools as it does below them: the smaller figure.
    return {0, Tenths(air) > t.optimalHigh ? row.aboveOptimalAir : row.belowOptimalAir};
}

const std::array<double, 5>& IrradianceClassHighs() {
    return kIrradianceHighs;
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
    return "СанПиН 1.2.3685-21, табл. 5.4";
}

const char* IrradianceSource() {
    return "СанПиН 1.2.3685-21, допустимая интенсивность теплового облучения";
}

const char* ThsClassSource() {
    return "Методика проведения специальной оценки условий труда (приказ Минтруда России от "
           "21.11.2023 № 817н)";
}

const char* CoolingClassSource() {
    return "Методика проведения специальной оценки условий труда (приказ Минтруда России от "
           "21.11.2023 № 817н, приложение 8)";
}

const char* WbgtSource() {
    return "ISO 7243:2017; NIOSH";
}

const char* UncertaintySource() {
    return "ГОСТ 34100.3-2017 (оценивание неопределённости измерения)";
}

}  // namespace lmr
