#pragma once

#include <optional>

namespace lmr {

// `--version` and `--help` are answered on standard output before any window exists, so that
// a package manager, a script or a technician over SSH can ask without a display; so is
// `--protocol`, which writes a survey's protocol and exits. Returns the exit code when the
// command line was such a request; nothing when the program is to start (Qt's own options,
// such as -platform, are left to Qt).
[[nodiscard]] std::optional<int> AnswerCommandLine(int argc, const char* const* argv);

}  // namespace lmr
