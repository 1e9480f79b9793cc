#pragma once

#include <QString>

namespace lmr {

// Why the file at path is no survey this program may open and change, read from its first
// bytes and its rights without SQLite, so that nothing is written in or beside a file refused
// here; empty when it may be one. What only SQLite can tell (a damaged page) is left to it.
[[nodiscard]] QString SurveyHeaderRefusal(const QString& path);

}  // namespace lmr
