#pragma once

namespace lmr {

// Brings the program up, runs it until the main window closes, and returns
// the process exit code.
int RunProgram(int argc, char** argv);

class Program;
// Shows the main window and runs the event loop until it closes (SIGTERM, SIGINT and SIGHUP
// close it too); then stops what still runs. Returns the exit code, 0.
int RunMainWindow(Program& program);

}  // namespace lmr
