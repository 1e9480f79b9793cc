#pragma once

#include <QSqlDatabase>
#include <QString>

#include "measure/Outcome.h"
#include "survey/Survey.h"

namespace lmr {

// The whole survey the file on db, of schema version `version`, holds; failed with the reason
// when it cannot be read whole (a damaged page, a value no program of ours writes). A file of
// an earlier version is read as it stands, without bringing it up to date:
// what its version lacks gets the value the step that adds it gives.
[[nodiscard]] Valued<Survey> ReadSurvey(QSqlDatabase& db, int version);

}  // namespace lmr
