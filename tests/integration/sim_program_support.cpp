#include "sim_program_support.h"

#include <QCoreApplication>
#include <QElapsedTimer>
#include <stdexcept>

namespace lmr::testing {

SimProgram::SimProgram(sim::Options options, QDateTime now,
                       const std::function<void(ProgramOptions&)>& configure)
    : sim(std::move(options)), clock(std::move(now)) {
    std::string error;
    if (!sim.Start(&error)) {
        throw std::runtime_error("simulator: " + error);
    }
    setAppClock(&clock);
    ProgramOptions po;
    po.ports = std::vector<PortTable::Port>{{sim.SlavePath(), "simulated meter", true}};
    po.tone = &tone;
    if (configure) {
        configure(po);
    }
    program = std::make_unique<Program>(po);
}

SimProgram::~SimProgram() {
    program.reset();
    setAppClock(nullptr);
    sim.Stop();
}

bool SimProgram::WaitFor(const std::function<bool()>& condition, int timeoutMs) {
    QElapsedTimer t;
    t.start();
    while (!condition()) {
        if (t.elapsed() > timeoutMs) {
            return false;
        }
        QCoreApplication::processEvents(QEventLoop::AllEvents, 10);
    }
    return true;
}

bool SimProgram::Identify(int timeoutMs) {
    if (!WaitFor([this] { return program->Search().PortFound(); }, timeoutMs)) {
        return false;
    }
    main().TimerDetektTimer();
    return main().Identified();
}

}  // namespace lmr::testing
