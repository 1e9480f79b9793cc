// A data file of 100,000 readings opened into the logger page ("Файл" → "Открыть…"): the
// file read and checked, the table, the chart; against the goal of two seconds.
#include <QApplication>
#include <QTemporaryDir>
#include <algorithm>
#include <chrono>
#include <cstdio>
#include <vector>

#include "app/Program.h"
#include "data/DataFile.h"
#include "link/PortTable.h"

namespace {

constexpr int kRows = 100000;
constexpr double kGoalSeconds = 2.0;
constexpr int kRuns = 3;

}  // namespace

int main(int argc, char** argv) {
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("readings.csv"));
    std::vector<lmr::DataRow> rows;
    rows.reserve(kRows);
    const QDateTime start(QDate(2026, 12, 9), QTime(8, 0));
    for (int i = 0; i < kRows; ++i) {
        rows.push_back(lmr::DataRowOf(start.addSecs(3LL * i), float(300 + i % 500) / 10,
                                      float(150 + i % 200) / 10, float(180 + i % 250) / 10));
    }
    if (const QString error = lmr::WriteDataFile(path, rows); !error.isEmpty()) {
        std::fprintf(stderr, "%s\n", qPrintable(error));
        return 1;
    }

    std::vector<double> seconds;
    for (int run = 0; run < kRuns; ++run) {
        // A program with no port to search, as after start-up.
        lmr::ProgramOptions options;
        options.ports = std::vector<lmr::PortTable::Port>{};
        lmr::Program program(options);
        lmr::TFMain& m = program.FMain();
        m.show();
        const auto begin = std::chrono::steady_clock::now();
        m.FileOpenClick(path);
        QCoreApplication::processEvents();  // the table and chart painted once
        const auto end = std::chrono::steady_clock::now();
        if (m.StringGridL->RowCount() != kRows + 2) {
            std::fprintf(stderr, "the file did not open: %s\n", qPrintable(m.PanelText(3)));
            return 1;
        }
        seconds.push_back(std::chrono::duration<double>(end - begin).count());
    }
    std::sort(seconds.begin(), seconds.end());
    const double median = seconds[seconds.size() / 2];
    std::printf("data file of %d rows opened into the logger page (%d runs)\n", kRows, kRuns);
    std::printf("  best   %.3f s\n", seconds.front());
    std::printf("  median %.3f s  (%.0f rows/s)\n", median, kRows / median);
    std::printf("  goal   %.3f s  ratio median/goal %.2f (at most 1 meets the goal)\n",
                kGoalSeconds, median / kGoalSeconds);
    return 0;
}
