#pragma once

#include <gtest/gtest.h>
#include <unistd.h>

#include <QCoreApplication>
#include <memory>
#include <ostream>
#include <string>

#include "app/Program.h"
#include "measure/Clock.h"
#include "tools/sim/Simulator.h"

// Readable failures for texts.
inline void PrintTo(const QString& s, std::ostream* os) {
    *os << '"' << s.toStdString() << '"';
}

namespace lmr::test {

// The whole program with a simulated meter on COM1, identified before the test goes on.
class MeterProgram {
public:
    explicit MeterProgram(sim::Options options = {}, bool identify = true)
        : clock_(QDateTime(QDate(2009, 4, 7), QTime(16, 10, 45))),
          meter_(std::make_unique<sim::Simulator>(std::move(options))) {
        setAppClock(&clock_);
        std::string error;
        if (!meter_->Start(&error)) ADD_FAILURE() << "simulator: " << error;
        program_ = std::make_unique<Program>(ProgramOptions{
            std::vector<PortTable::Port>{{meter_->SlavePath(), "simulated meter", false}}});
        if (identify) Identify();
    }
    ~MeterProgram() {
        program_->Shutdown();
        program_.reset();
        setAppClock(nullptr);
    }

    TFMain& main() { return program_->FMain(); }
    sim::Simulator& meter() { return *meter_; }
    TestClock& clock() { return clock_; }

private:
    void Identify() {
        TFMain& m = main();
        // The search probes COM1 at once; give it a few seconds on a loaded machine.
        for (int i = 0; i < 500 && !m.Search().PortFound(); ++i) {
            QCoreApplication::processEvents();
            usleep(10000);
        }
        ASSERT_TRUE(m.Search().PortFound());
        if (!m.Identified()) m.TimerDetektTimer();
        ASSERT_TRUE(m.Identified());
        // Let the search's last status text arrive before the test writes panel 3.
        for (int i = 0; i < 10; ++i) {
            QCoreApplication::processEvents();
            usleep(1000);
        }
        meter_->ClearTranscript();
    }

    TestClock clock_;
    std::unique_ptr<sim::Simulator> meter_;
    std::unique_ptr<Program> program_;
};

}  // namespace lmr::test
