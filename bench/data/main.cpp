// A data file of a million readings opened into the logger page ("Файл" → "Открыть…"): how
// long until the table and the chart show it, the longest the window's thread did not answer
// meanwhile, and the memory the open took at its peak. Against the goals of ten seconds, a
// window never still for more than a fifth of a second, and 400 MB. A row count as the first
// argument measures another size.
//
// Measured on the Debug build, two shared cores (times vary by two or three with the load):
//   the file read on the window's thread, a text per cell in the grid, a row of texts per
//   record on the way: 63.5 s, the window still all of it, peak 1655 MB, kept 1103 MB;
//   read on a thread of its own, the grid asking the table for the cells it shows, the
//   chart's marks left out beyond 10,000 points: 22.4 s, the window still 8.2 s (taking the
//   rows into the table and its chart at the end), peak 413 MB, kept 340 MB.
// Then on the Release build, one run each: before the chart drew its points in view thinned
// to 4000, after that (a file's points taken whole, not merged), and after the points kept
// their values in tenths, not as a QPointF each: 5.63 s, 3.37 s, 3.33 s; the window still
// 1.86 s, 0.27 s, 0.14 s; peak 413 MB, 197 MB, 152 MB; kept 340 MB, 163 MB, 117 MB.
#include <QApplication>
#include <QElapsedTimer>
#include <QTemporaryDir>
#include <QTimer>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <string>
#include <vector>

#include "app/Program.h"
#include "data/DataFile.h"
#include "link/PortTable.h"

namespace {

constexpr double kGoalSeconds = 10.0;
constexpr double kGoalStillSeconds = 0.2;
constexpr double kGoalMb = 400;

// A field of /proc/self/status in MB ("VmRSS", "VmHWM").
double StatusMb(const char* field) {
    std::ifstream f("/proc/self/status");
    std::string line;
    const std::string key = std::string(field) + ":";
    while (std::getline(f, line)) {
        if (line.rfind(key, 0) == 0) return std::stod(line.substr(key.size())) / 1024.0;
    }
    return 0;
}

// The peak resident memory starts again from the memory in use now.
void ResetPeak() {
    std::ofstream("/proc/self/clear_refs") << "5";
}

}  // namespace

int main(int argc, char** argv) {
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    const int rows = argc > 1 ? std::atoi(argv[1]) : 1000000;
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("readings.csv"));
    {
        std::vector<lmr::DataRow> readings;
        readings.reserve(size_t(rows));
        const QDateTime start(QDate(2026, 12, 9), QTime(8, 0));
        for (int i = 0; i < rows; ++i) {
            readings.push_back(lmr::DataRowOf(start.addSecs(3LL * i), float(300 + i % 500) / 10,
                                              float(150 + i % 200) / 10,
                                              float(180 + i % 250) / 10));
        }
        if (const lmr::Outcome written = lmr::WriteDataFile(path, readings); !written) {
            std::fprintf(stderr, "%s\n", qPrintable(written.text));
            return 1;
        }
    }

    // A program with no port to search, as after start-up.
    lmr::ProgramOptions options;
    options.ports = std::vector<lmr::PortTable::Port>{};
    lmr::Program program(options);
    lmr::TFMain& m = program.FMain();
    m.show();
    QCoreApplication::processEvents();
    const double before = StatusMb("VmRSS");
    ResetPeak();

    // The window's thread answers a timer every 10 ms while it is free.
    QElapsedTimer sinceTick;
    qint64 longestStill = 0;
    QTimer ticks;
    ticks.setInterval(10);
    QObject::connect(&ticks, &QTimer::timeout,
                     [&] { longestStill = std::max(longestStill, sinceTick.restart()); });
    const auto begin = std::chrono::steady_clock::now();
    sinceTick.start();
    ticks.start();
    m.FileOpenClick(path);
    // The last pass of the loop is the one that takes the file's rows into the table.
    QElapsedTimer pass;
    qint64 fillMs = 0;
    while (m.FileBusy()) {
        pass.start();
        QCoreApplication::processEvents(QEventLoop::WaitForMoreEvents, 50);
        fillMs = pass.elapsed();
    }
    pass.start();
    QCoreApplication::processEvents();  // the table and chart painted once
    const qint64 paintMs = pass.elapsed();
    longestStill = std::max(longestStill, sinceTick.elapsed());
    const auto end = std::chrono::steady_clock::now();
    ticks.stop();
    const double peak = StatusMb("VmHWM") - before;
    if (m.findChild<lmr::StringGrid*>(QStringLiteral("StringGridL"))->RowCount() != rows + 2) {
        std::fprintf(stderr, "the file did not open: %s\n", qPrintable(m.PanelText(3)));
        return 1;
    }
    const double seconds = std::chrono::duration<double>(end - begin).count();
    const double still = double(longestStill) / 1000;
    std::printf("data file of %d rows opened into the logger page\n", rows);
    std::printf("  time        %.2f s    goal %.1f s   ratio %.2f\n", seconds, kGoalSeconds,
                seconds / kGoalSeconds);
    std::printf("  window still at most %.2f s  goal %.1f s   ratio %.2f\n", still,
                kGoalStillSeconds, still / kGoalStillSeconds);
    std::printf("  of it: the rows into the table %.2f s, the first paint %.2f s\n",
                double(fillMs) / 1000, double(paintMs) / 1000);
    std::printf("  peak memory %.0f MB above the window's   goal %.0f MB   ratio %.2f\n", peak,
                kGoalMb, peak / kGoalMb);
    std::printf("  memory kept %.0f MB\n", StatusMb("VmRSS") - before);
    std::printf("(at most 1 meets a goal)\n");
    return 0;
}
