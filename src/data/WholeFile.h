#pragma once

#include <QString>
#include <functional>

#include "measure/Outcome.h"

namespace lmr {

// Whether a new file may be written at path, and why not. Only a regular file (or none) is
// ever replaced: a folder, a device, a pipe or a socket named as an output is refused, never
// written over, renamed over or deleted. A path the system cannot follow (a loop of symbolic
// links, a file in its way) is refused with the system's reason, in Russian.
[[nodiscard]] Outcome OutputRefusal(const QString& path);

// Writes a new file in place of path: write fills a temporary file of the same folder (given
// its name); only a whole one replaces the file at path (or the file a symbolic link at path
// names), which stays as it was on every failure. A failure says why in Russian.
[[nodiscard]] Outcome WriteWholeFile(const QString& path,
                                     const std::function<Outcome(const QString&)>& write);

// Removes the temporary file being written, if any: for a handler of a signal that ends the
// program, so that nothing half-written is left beside the target. Async-signal-safe.
void RemoveWholeFileInProgress();

// Whether a and b name one file on disk (the same device and inode, links followed): a hard or
// a symbolic link to a file is that file.
[[nodiscard]] bool SameFileOnDisk(const QString& a, const QString& b);

}  // namespace lmr
