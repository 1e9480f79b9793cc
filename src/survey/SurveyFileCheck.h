#pragma once

#include <QString>

#include "measure/Outcome.h"

namespace lmr {

// Whether the file at path may be a survey this program may open (and change, when
// forWriting), read from its first bytes and its rights without SQLite, so that nothing is
// written in or beside a file refused here; failed with the reason it may not. What only SQLite
// can tell (a damaged page) is left to it.
[[nodiscard]] Outcome SurveyHeaderRefusal(const QString& path, bool forWriting = true);

// Whether another program holds the SQLite file at path open (its lock bytes taken), asked
// without opening it through SQLite, so nothing is written. Locks of this process are not seen.
[[nodiscard]] bool SurveyHeldElsewhere(const QString& path);

}  // namespace lmr
