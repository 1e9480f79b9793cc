#pragma once

namespace lmr {

// Brings the program up, runs it until the main window closes, and returns
// the process exit code.
int RunProgram(int argc, char** argv);

}  // namespace lmr
