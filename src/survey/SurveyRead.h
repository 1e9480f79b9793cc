#pragma once

#include <QSqlDatabase>
#include <QString>

#include "survey/Survey.h"

namespace lmr {

// The whole survey the file on db, of schema version `version`, holds into *survey; the reason
// when it cannot be read whole (a damaged page, a value no program of ours writes), empty when
// it was. A file of an earlier version is read as it stands, without bringing it up to date:
// what its version lacks gets the value the step that adds it gives.
[[nodiscard]] QString ReadSurvey(QSqlDatabase& db, int version, Survey* survey);

}  // namespace lmr
