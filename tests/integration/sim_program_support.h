#pragma once

#include <functional>
#include <memory>

#include "app/Program.h"
#include "measure/AlarmTone.h"
#include "measure/Clock.h"
#include "tools/sim/Simulator.h"

namespace lmr::testing {

// The whole program against one simulated meter on COM1 of its own.
class SimProgram {
public:
    // configure adjusts the program's options (ports and tone are the fixture's) before start.
    explicit SimProgram(sim::Options options = {},
                        QDateTime now = QDateTime(QDate(2009, 4, 7), QTime(16, 10, 45)),
                        const std::function<void(ProgramOptions&)>& configure = {});
    ~SimProgram();

    // Waits for the search to find the meter and runs the identification tick.
    [[nodiscard]] bool Identify(int timeoutMs = 5000);
    // Processes events until the condition holds or the time is up.
    static bool WaitFor(const std::function<bool()>& condition, int timeoutMs);

    sim::Simulator sim;
    TestClock clock;
    RecordingTone tone;
    std::unique_ptr<Program> program;
    TFMain& main() { return program->FMain(); }
};

}  // namespace lmr::testing
