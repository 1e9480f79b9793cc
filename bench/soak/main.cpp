// bench_soak: the program against the simulated meter on a pseudo-terminal for
// 100,000 live readings (or --readings N), each one the whole exchange over the
// line and the whole publishing, back to back instead of every few seconds.
// Prints the time, the resident memory against the 150 MB goal, the readings
// that went wrong, and whether the last one shows the meter's values.
#include <malloc.h>
#include <unistd.h>

#include <QApplication>
#include <QElapsedTimer>
#include <QLabel>
#include <QTest>
#include <QTimer>
#include <chrono>
#include <cstdio>
#include <cstring>
#include <optional>
#include <string>
#include <thread>

#include "ResidentMemory.h"
#include "app/Program.h"
#include "app/AlarmTone.h"
#include "core/LiveSession.h"
#include "tools/sim/Simulator.h"
#include "measure/FileNumbers.h"

int main(int argc, char** argv) {
    int readings = 100000;
    for (int i = 1; i + 1 < argc; ++i) {
        if (std::strcmp(argv[i], "--readings") == 0) readings = std::atoi(argv[i + 1]);
    }
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    lmr::KeepFileNumbersInCLocale();

    lmr::sim::Options meterOptions;
    meterOptions.rh = 452;     // 45.2 %
    meterOptions.air = 231;    // 23.1 °C
    meterOptions.globe = 245;  // 24.5 °C
    lmr::sim::Simulator meter(meterOptions);
    std::string error;
    if (!meter.Start(&error)) {
        std::fprintf(stderr, "simulator: %s\n", error.c_str());
        return 1;
    }
    lmr::RecordingTone tone;
    lmr::ProgramOptions options;
    options.ports = std::vector<lmr::PortTable::Port>{{meter.SlavePath(), "simulated meter", true}};
    options.tone = &tone;
    lmr::Program program(options);
    lmr::TFMain& m = program.FMain();
    m.findChild<QTabWidget*>(QStringLiteral("PageControl"))->setCurrentIndex(0);
    m.show();
    if (!QTest::qWaitFor([&] { return program.Search().PortFound(); }, 10000)) {
        std::fprintf(stderr, "the meter was not found\n");
        return 1;
    }
    // The handlers hand the worker their jobs; the window takes the ends in from its events.
    const auto settle = [&m] {
        const auto done = [&m] {
            const std::optional<lmr::JobKind> job = m.Meter().Current();
            return !job || *job == lmr::JobKind::Search;
        };
        do {
            while (!done()) std::this_thread::sleep_for(std::chrono::microseconds(200));
            QCoreApplication::processEvents();
        } while (!done());
    };
    m.TimerDetektTimer();
    settle();
    m.ButtonStartStopClick();
    settle();
    if (!m.Identified() || !m.Session().TimerInterval()->isActive()) {
        std::fprintf(stderr, "the measurement did not start\n");
        return 1;
    }
    // The interval timer's ticks come from here, back to back.
    m.Session().TimerInterval()->stop();

    const double startRss = ResidentMb();
    double peakRss = startRss;
    int failed = 0;
    QElapsedTimer clock;
    clock.start();
    for (int i = 0; i < readings; ++i) {
        const int rows = m.findChild<lmr::StringGrid*>(QStringLiteral("StringGridD"))->RowCount();
        m.TakeReading();
        settle();
        if (m.findChild<lmr::StringGrid*>(QStringLiteral("StringGridD"))->RowCount() != rows + 1) {
            ++failed;
            m.ButtonStartStopClick();  // a reading that failed stops the measurement
            settle();
            m.Session().TimerInterval()->stop();
        }
        if (i % 100 == 0) {
            // The meter runs in this process; its own record of the bytes is not the program's.
            meter.ClearTranscript();
        }
        if (i % 10000 == 0) {
            peakRss = std::max(peakRss, ResidentMb());
        }
    }
    const double seconds = clock.elapsed() / 1000.0;
    const double endRss = ResidentMb();
    peakRss = std::max(peakRss, endRss);

    const auto label = [&](lmr::Quantity q) {
        return m.findChild<QLabel*>(QString::fromLatin1(lmr::RowOf(q).valueName))
            ->text()
            .toStdString();
    };
    const bool lastRight = label(lmr::Quantity::Rh) == "45.2" &&
                           label(lmr::Quantity::Tv) == "23.1" &&
                           label(lmr::Quantity::Tsf) == "24.5" &&
                           m.Live().Count() == readings - failed;
    std::printf("%d live readings over the pseudo-terminal in %.1f s (%.2f ms each)\n", readings,
                seconds, seconds * 1000.0 / readings);
    std::printf("readings that failed: %d\n", failed);
    std::printf(
        "resident memory: %.1f MB after start, %.1f MB at the end, peak %.1f MB "
        "(%.2f of the 150 MB goal)\n",
        startRss, endRss, peakRss, peakRss / 150.0);
    const struct mallinfo2 heap = mallinfo2();
    std::printf("heap in use %.1f MB, held from the system %.1f MB\n", heap.uordblks / 1048576.0,
                (heap.arena + heap.hblkhd) / 1048576.0);
    std::printf("last reading shows RH %s, tв %s, tсф %s: %s\n", label(lmr::Quantity::Rh).c_str(),
                label(lmr::Quantity::Tv).c_str(), label(lmr::Quantity::Tsf).c_str(),
                lastRight ? "right" : "WRONG");
    program.Shutdown();
    return failed == 0 && lastRight && peakRss <= 150.0 ? 0 : 1;
}
