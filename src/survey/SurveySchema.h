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
inline constexpr int kSurveySchemaVersion = 2;

// The statements of each version step, in order: step i brings a file of version i to i + 1
// (step 0 makes the empty survey of version 1). There are kSurveySchemaVersion of them.
[[nodiscard]] const std::vector<std::vector<const char*>>& SurveySchemaSteps();

// The codes the file keeps its enumerations as ("IIa", "standing", "warm", "datafile").
[[nodiscard]] const char* CategoryCode(WorkCategory category);
[[nodiscard]] const char* PostureCode(Posture posture);
[[nodiscard]] const char* SeasonCode(Season season);
[[nodiscard]] const char* OriginCode(ReadingOrigin origin);
[[nodiscard]] std::optional<WorkCategory> CategoryOfCode(QStringView code);
[[nodiscard]] std::optional<Posture> PostureOfCode(QStringView code);
[[nodiscard]] std::optional<Season> SeasonOfCode(QStringView code);
[[nodiscard]] std::optional<ReadingOrigin> OriginOfCode(QStringView code);
[[nodiscard]] const char* KindCode(SurveyKind kind);
[[nodiscard]] const char* IrradiatedShareCode(IrradiatedShare share);
[[nodiscard]] std::optional<SurveyKind> KindOfCode(QStringView code);
[[nodiscard]] std::optional<IrradiatedShare> IrradiatedShareOfCode(QStringView code);

}  // namespace lmr
