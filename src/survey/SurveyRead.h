#pragma once

#include <QSqlDatabase>
#include <QString>

#include "survey/Survey.h"

namespace lmr {

// The whole survey the file on db holds into *survey; the reason when it cannot be read whole
// (a damaged page, a value no program of ours writes), empty when it was.
[[nodiscard]] QString ReadSurvey(QSqlDatabase& db, Survey* survey);

}  // namespace lmr
