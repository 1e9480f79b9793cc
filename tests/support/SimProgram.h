#pragma once

#include <gtest/gtest.h>
#include <stdlib.h>
#include <unistd.h>

#include <QCoreApplication>
#include <QDir>
#include <QElapsedTimer>
#include <cstdio>
#include <functional>
#include <optional>
#include <memory>
#include <ostream>
#include <stdexcept>
#include <string>

#include "ShownText.h"
#include "WaitFor.h"
#include "app/Program.h"
#include "link/Transcript.h"
#include "app/AlarmTone.h"
#include "measure/Clock.h"
#include "tools/sim/Simulator.h"

namespace lmr::test {

// The whole program against one simulated meter on COM1, with a test clock and a tone that
// only records. COM1 is a symbolic link to the meter's pseudo-terminal, as /dev/serial/by-id
// names are, so a meter that vanished can be replaced by a new one at the same path.
class SimProgram {
public:
    // configure adjusts the program's options (ports and tone are the fixture's) before start.
    explicit SimProgram(sim::Options options = {},
                        QDateTime now = QDateTime(QDate(2009, 4, 7), QTime(16, 10, 45)),
                        const std::function<void(ProgramOptions&)>& configure = {})
        : clock_(std::move(now)) {
        char dir[] = "/tmp/lmr-port-XXXXXX";
        if (mkdtemp(dir) == nullptr) throw std::runtime_error("no temporary folder");
        dir_ = dir;
        path_ = dir_ + "/ttyUSB0";
        StartMeter(std::move(options));
        setAppClock(&clock_);
        ProgramOptions po;
        po.ports = std::vector<PortTable::Port>{{path_, "simulated meter", true}};
        po.tone = &tone_;
        if (configure) configure(po);
        program_ = std::make_unique<Program>(po);
        // Downloads write their files here, not into the user's data folder.
        main().DataFolder = QString::fromStdString(dir_ + "/logger");
    }
    ~SimProgram() {
        program_.reset();
        setAppClock(nullptr);
        meter_.reset();
        QDir(QString::fromStdString(dir_)).removeRecursively();
    }
    SimProgram(const SimProgram&) = delete;
    SimProgram& operator=(const SimProgram&) = delete;

    // Waits for the search to find the meter, runs the identification tick and lets the
    // search's last status text arrive, so the test is the next to write panel 3.
    [[nodiscard]] bool Identify(int timeoutMs = 5000) {
        if (main().Identified()) return true;
        if (!WaitFor([this] { return program_->Search().PortFound(); }, timeoutMs)) return false;
        Finish(main(), &TFMain::TimerDetektTimer);
        WaitFor([] { return false; }, 20);
        return main().Identified();
    }

    // Waits until the worker has no job left but the search (which runs until a port answers)
    // and the window has taken in everything the jobs handed it. The window takes its events
    // meanwhile, timers included, as it does while a job runs; once the worker is idle only
    // what the jobs handed on is delivered, so no timer starts a job after the end.
    static void Settle(TFMain& m) {
        const auto done = [&m] {
            const std::optional<JobKind> job = m.Meter().Current();
            return (!job || *job == JobKind::Search) && !m.FileBusy();
        };
        do {
            while (!done()) {
                QCoreApplication::processEvents(QEventLoop::AllEvents, 5);
                usleep(500);
            }
            // A job's end is queued before the worker counts it as ended.
            QCoreApplication::sendPostedEvents();
        } while (!done());
    }
    // Runs a handler that hands the worker a job (or a file to its thread), as a click or a
    // timer does, and waits for the job's end to have reached the window: the handler then did
    // all it does today.
    static void Finish(TFMain& m, void (TFMain::*handler)()) {
        (m.*handler)();
        Settle(m);
    }

    // "Открыть…" and "Сохранить как…" of the file at path, to their end.
    static void Open(TFMain& m, const QString& path) {
        m.FileOpenClick(path);
        Settle(m);
    }
    static void Save(TFMain& m, const QString& path) {
        m.FileSaveAsClick(path);
        Settle(m);
    }

    // Processes events until the condition holds or the time is up.
    static bool WaitFor(const std::function<bool()>& condition, int timeoutMs) {
        return test::WaitFor(condition, timeoutMs);
    }

    // A new meter answers at COM1's path, as when the pulled adapter is plugged in again.
    void ReplaceMeter(sim::Options options = {}) { StartMeter(std::move(options)); }

    sim::Simulator& meter() { return *meter_; }
    TestClock& clock() { return clock_; }
    RecordingTone& tone() { return tone_; }
    Program& program() { return *program_; }
    TFMain& main() { return program_->FMain(); }
    // The folder the program's files go to (downloads under "logger").
    const std::string& Folder() const { return dir_; }
    // The device path COM1 opens.
    const std::string& PortPath() const { return path_; }
    // When the present meter started (its onAfterSeconds counts from here).
    int64_t MeterStartMicros() const { return meterStart_; }

private:
    void StartMeter(sim::Options options) {
        meter_.reset();
        meter_ = std::make_unique<sim::Simulator>(std::move(options));
        std::string error;
        if (!meter_->Start(&error)) throw std::runtime_error("simulator: " + error);
        // Not before the meter's own start, so a time counted from here is never early.
        meterStart_ = TranscriptNow();
        // Swap the link in one step, so the program never finds the path missing.
        const std::string next = path_ + ".new";
        ::unlink(next.c_str());
        if (::symlink(meter_->SlavePath().c_str(), next.c_str()) != 0 ||
            std::rename(next.c_str(), path_.c_str()) != 0) {
            throw std::runtime_error("cannot link " + path_);
        }
    }

    std::string dir_;
    std::string path_;
    int64_t meterStart_ = 0;
    TestClock clock_;
    RecordingTone tone_;
    std::unique_ptr<sim::Simulator> meter_;
    std::unique_ptr<Program> program_;
};

}  // namespace lmr::test
