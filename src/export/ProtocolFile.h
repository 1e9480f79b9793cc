#pragma once

#include <QDateTime>
#include <QString>

#include "measure/Outcome.h"

namespace lmr {

// Where a protocol's file goes and what it is named.

// The user's documents folder.
[[nodiscard]] QString DefaultDocumentsDir();

// Makes the folder and those above it, and checks that a file can be made in it; a failure's
// message names the folder and says why not.
[[nodiscard]] Outcome PrepareDocumentsFolder(const QString& dir);

// "Протокол 2026-12-08 14-05-33.xlsx" in dir, or "... (2).xlsx" and on when
// a file of that name is there already.
[[nodiscard]] QString UniqueProtocolPath(const QString& dir, const QDateTime& when);

}  // namespace lmr
