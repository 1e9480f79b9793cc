#include "assess/NormTables.h"

#include <cmath>

namespace lmr {

namespace {

// Permissible ranges: СанПиН 2.2.4.3359-16, table 2.4 (the same ranges in СанПиН 1.2.3685-21).
// Classes 3.1 … 4: the methodology of the special assessment of working conditions (order of
// the Ministry of Labour 33н, appendix 13; its successor 817н). The end of 3.1 for category III
// (22.2) is unconfirmed: the appendix's own text could not be reached, and secondary sources
// give 22.0, 22.2 or 22.7.
constexpr std::array<ThsNormRow, kWorkCategoryCount> kThsNorms = {{
    {WorkCategory::Ia, "Iа", "до 139 Вт", 222, 264, {266, 274, 286, 310}},
    {WorkCategory::Ib, "Iб", "140–174 Вт", 215, 258, {261, 269, 279, 303}},
    {WorkCategory::IIa, "IIа", "175–232 Вт", 205, 251, {255, 262, 273, 299}},
    {WorkCategory::IIb, "IIб", "233–290 Вт", 195, 239, {242, 250, 264, 291}},
    {WorkCategory::III, "III", "более 290 Вт", 180, 218, {222, 234, 257, 279}},
}};

// ISO 7243:2017, annex A; the same presets as its metabolic rate classes 0 … 4.
constexpr std::array<WorkLevel, 5> kWorkLevels = {{
    {"покой", 115},
    {"лёгкая", 180},
    {"средняя", 300},
    {"тяжёлая", 415},
    {"очень тяжёлая", 520},
}};

}  // namespace

const std::array<ThsNormRow, kWorkCategoryCount>& ThsNorms() {
    return kThsNorms;
}

const ThsNormRow& ThsNormOf(WorkCategory category) {
    return kThsNorms[static_cast<std::size_t>(category)];
}

const std::array<WorkLevel, 5>& WbgtWorkLevels() {
    return kWorkLevels;
}

double WbgtLimit(double metabolicWatts, bool acclimatised) {
    // ISO 7243:2017 (and the NIOSH criteria): the reference WBGT falls with log10 of M.
    const double lg = std::log10(metabolicWatts);
    return acclimatised ? 56.7 - 11.5 * lg : 59.9 - 14.1 * lg;
}

const char* ThsPermissibleSource() {
    return "СанПиН 2.2.4.3359-16, табл. 2.4; СанПиН 1.2.3685-21";
}

const char* ThsClassSource() {
    return "Методика проведения специальной оценки условий труда (приказ Минтруда России № 33н, "
           "приложение 13; приказ № 817н)";
}

const char* WbgtSource() {
    return "ISO 7243:2017; NIOSH";
}

}  // namespace lmr
