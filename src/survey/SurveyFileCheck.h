#pragma once

#include <QString>

namespace lmr {

// Why the file at path is no survey this program may open (and change, when forWriting), read
// from its first bytes and its rights without SQLite, so that nothing is written in or beside
// a file refused here; empty when it may be one. What only SQLite can tell (a damaged page) is
// left to it.
[[nodiscard]] QString SurveyHeaderRefusal(const QString& path, bool forWriting = true);

// Whether another program holds the SQLite file at path open (its lock bytes taken), asked
// without opening it through SQLite, so nothing is written. Locks of this process are not seen.
[[nodiscard]] bool SurveyHeldElsewhere(const QString& path);

}  // namespace lmr
