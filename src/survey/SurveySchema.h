#pragma once

#include <QString>
#include <QStringView>
#include <cstdint>
#include <optional>
#include <vector>

#include "assess/NormTables.h"
#include "core/Reading.h"
#include "survey/Survey.h"

namespace lmr {

// Told apart from every other SQLite file by this id in its header ("LMRS").
inline constexpr std::uint32_t kSurveyApplicationId = 0x4C4D5253;
// The schema this program writes; a file of a higher one is refused.
inline constexpr int kSurveySchemaVersion = 1;

// The statements that make an empty survey, in order.
[[nodiscard]] const std::vector<const char*>& SurveySchemaStatements();

// The codes the file keeps its enumerations as ("IIa", "standing", "warm", "datafile").
[[nodiscard]] const char* CategoryCode(WorkCategory category);
[[nodiscard]] const char* PostureCode(Posture posture);
[[nodiscard]] const char* SeasonCode(Season season);
[[nodiscard]] const char* OriginCode(ReadingOrigin origin);
[[nodiscard]] std::optional<WorkCategory> CategoryOfCode(QStringView code);
[[nodiscard]] std::optional<Posture> PostureOfCode(QStringView code);
[[nodiscard]] std::optional<Season> SeasonOfCode(QStringView code);
[[nodiscard]] std::optional<ReadingOrigin> OriginOfCode(QStringView code);

}  // namespace lmr
