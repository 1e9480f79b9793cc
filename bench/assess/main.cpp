// bench_assess: how long the assessment window takes to judge its readings again (read the
// source, compute, fill its tables) with 100,000 live readings on record and with a full
// logger table of 3000 records. It does so at most once a second while it is shown, so it must
// stay well inside a repaint's budget. Offscreen.
#include <QApplication>
#include <QComboBox>
#include <QElapsedTimer>
#include <algorithm>
#include <cstdio>
#include <vector>

#include "app/Program.h"

namespace {

constexpr double kGoalMs = 100.0;

// The median of five recomputations, in milliseconds.
double MedianRecompute(lmr::TFAssess& a) {
    std::vector<double> ms;
    for (int i = 0; i < 5; ++i) {
        QElapsedTimer t;
        t.start();
        a.Recompute();
        ms.push_back(t.nsecsElapsed() / 1e6);
    }
    std::nth_element(ms.begin(), ms.begin() + 2, ms.end());
    return ms[2];
}

}  // namespace

int main(int argc, char** argv) {
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    lmr::ProgramOptions options;
    options.ports = std::vector<lmr::PortTable::Port>{};
    lmr::Program program(options);
    lmr::TFMain& m = program.FMain();
    lmr::TFAssess& a = program.FAssess();

    for (int i = 0; i < 100000; ++i) m.PublishReading(45 + (i % 50) * 0.1f, 28, 31);
    a.ComboBoxSource->setCurrentIndex(0);
    const double live = MedianRecompute(a);
    const int liveCount = a.Current().count;

    // A full logger table as a download leaves it: a record every 5 minutes.
    std::vector<lmr::LoggerEntry> entries;
    for (int r = 1; r <= 3000; ++r) {
        const int minutes = r * 5;
        lmr::LoggerRecord record;
        record.rh = 45;
        record.tv = 28 + (r % 7) * 0.1f;
        record.tsf = 31;
        record.minute = static_cast<std::uint8_t>(minutes % 60);
        record.hour = static_cast<std::uint8_t>(minutes / 60 % 24);
        record.date13 = static_cast<std::uint8_t>(1 + minutes / 1440);
        record.date12 = 4;
        record.date11 = 9;
        entries.push_back(lmr::MakeLoggerEntry(r * 10, record, lmr::ReadingOrigin::Download));
    }
    program.Logger().Append(std::move(entries));
    a.ComboBoxSource->setCurrentIndex(1);
    const double logger = MedianRecompute(a);

    std::printf("assessment window recompute, median of 5 (goal <= %.0f ms):\n", kGoalMs);
    std::printf("  100,000 live readings: %.1f ms  (%.2f of goal), %d judged\n", live,
                live / kGoalMs, liveCount);
    std::printf("  3000 logger records:   %.1f ms  (%.2f of goal), %d judged\n", logger,
                logger / kGoalMs, a.Current().count);
    std::fflush(stdout);
    program.Shutdown();
    return 0;
}
