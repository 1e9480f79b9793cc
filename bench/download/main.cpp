// The logger download as the user starts it: the real main window (its chart in view) against
// the simulated meter, 3000 records. Paced at 9600 baud the total time is held against the
// line's own time (38 bytes of 1.0417 ms per record, goal <= 1.02 x) and the longest gap between
// two repaints of the window while it runs against 100 ms. The time on the line is split into
// the meter's turns (its byte times and the simulator's own reaction) and the host's turns (from
// a meter byte to the host's next byte), which is what the host adds. Unpaced, the same download
// shows the host's own cost per record. Last, a shorter paced download (200 records by default,
// the figure is per record) with the meter's bytes held as a USB adapter's latency timer holds
// them: at 16 ms (the FTDI default) and at 1 ms (the low-latency mode the channel asks for).
#include <time.h>

#include <QApplication>
#include <QElapsedTimer>
#include <QScrollArea>
#include <QScrollBar>
#include <QTemporaryDir>
#include <QTimer>
#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>
#include <utility>
#include <vector>

#include "app/Program.h"
#include "meter/LoggerDownload.h"
#include "tools/sim/Simulator.h"

namespace {

constexpr double kByteMs = 10.0 / 9600.0 * 1000.0;  // 10 bits a byte at 9600 baud
constexpr int kBytesPerRecord = 38;  // 3 request bytes and 16 data bytes, each answered
constexpr double kTotalGoal = 1.02;
constexpr double kGapGoalMs = 100;
constexpr int kTickMs = 16;

double ThreadCpuSeconds() {
    timespec t{};
    clock_gettime(CLOCK_THREAD_CPUTIME_ID, &t);
    return static_cast<double>(t.tv_sec) + static_cast<double>(t.tv_nsec) * 1e-9;
}

// The longest gap between successive moments, the first measured from the start.
class Gaps {
public:
    void Start(qint64 nowNs) {
        last_ = nowNs;
        longest_ = 0;
        count_ = 0;
    }
    void Mark(qint64 nowNs) {
        longest_ = std::max(longest_, nowNs - last_);
        last_ = nowNs;
        ++count_;
    }
    [[nodiscard]] double LongestMs() const { return static_cast<double>(longest_) / 1e6; }
    [[nodiscard]] long Count() const { return count_; }

private:
    qint64 last_ = 0;
    qint64 longest_ = 0;
    long count_ = 0;
};

// Repaints of the main window (any of its widgets; those within a millisecond are one repaint)
// and of the logger chart alone.
class PaintWatch final : public QObject {
public:
    PaintWatch(const QWidget* window, const QWidget* chart, const QElapsedTimer& clock)
        : window_(window), chart_(chart), clock_(clock) {}
    Gaps window;
    Gaps chart;

protected:
    bool eventFilter(QObject* o, QEvent* e) override {
        if (e->type() != QEvent::Paint || !o->isWidgetType()) return false;
        auto* w = static_cast<QWidget*>(o);
        if (w->window() != window_) return false;
        const qint64 now = clock_.nsecsElapsed();
        if (now - lastWindowNs_ > 1'000'000) window.Mark(now);
        lastWindowNs_ = now;
        if (w == chart_) chart.Mark(now);
        return false;
    }

private:
    const QWidget* window_;
    const QWidget* chart_;
    const QElapsedTimer& clock_;
    qint64 lastWindowNs_ = 0;
};

// Times every repaint of a window (its update request, during which all its widgets paint).
class TimingApplication final : public QApplication {
public:
    using QApplication::QApplication;
    bool notify(QObject* o, QEvent* e) override {
        if (e->type() != QEvent::UpdateRequest || !timing) return QApplication::notify(o, e);
        QElapsedTimer t;
        t.start();
        const bool r = QApplication::notify(o, e);
        longestRepaintNs = std::max(longestRepaintNs, t.nsecsElapsed());
        return r;
    }
    bool timing = false;
    qint64 longestRepaintNs = 0;
};

struct Run {
    int records = 0;
    double seconds = 0;
    double cpuSeconds = 0;
    double windowGapMs = 0;
    double chartGapMs = 0;
    double tickGapMs = 0;
    long windowPaints = 0;
    long chartPaints = 0;
    double longestRepaintMs = 0;
    double meterTurns = 0;  // s, up to each byte the meter sent
    double hostTurns = 0;   // s, up to each byte the host sent
    long hostBytes = 1;
};

// Splits the time on the line into the two sides' turns, each byte stamped by its sender's clock
// and put in the exchange's own order: the probe and its answer, then per record the three
// request bytes each with its answer, and sixteen data bytes each with its echo. A gap that ends
// at a host byte is the host's turn, one that ends at a meter byte the meter's.
bool SplitTurns(const std::vector<int64_t>& host, const std::vector<int64_t>& meter, Run& run) {
    constexpr size_t kPerRecord = kBytesPerRecord / 2;
    if (host.size() != meter.size() || host.empty() || (host.size() - 1) % kPerRecord != 0)
        return false;
    std::vector<std::pair<int64_t, bool>> order{{host[0], true}, {meter[0], false}};
    for (size_t r = 1; r < host.size(); r += kPerRecord) {
        for (size_t i = r; i < r + 3; ++i) {
            order.emplace_back(host[i], true);
            order.emplace_back(meter[i], false);
        }
        for (size_t i = r + 3; i < r + kPerRecord; ++i) {
            order.emplace_back(meter[i], false);
            order.emplace_back(host[i], true);
        }
    }
    int64_t turns[2] = {0, 0};  // [0] the meter's, [1] the host's
    for (size_t i = 1; i < order.size(); ++i)
        turns[order[i].second ? 1 : 0] += order[i].first - order[i - 1].first;
    run.meterTurns = static_cast<double>(turns[0]) / 1e6;
    run.hostTurns = static_cast<double>(turns[1]) / 1e6;
    run.hostBytes = static_cast<long>(host.size());
    return true;
}

bool Download(int records, bool paced, Run& run, int latencyMs = 0) {
    lmr::sim::Options o;
    o.logger = lmr::sim::LoggerFromCount(records);
    o.paced = paced;
    o.latencyMs = latencyMs;
    lmr::sim::Simulator meter(o);
    std::string error;
    if (!meter.Start(&error)) {
        std::fprintf(stderr, "simulator: %s\n", error.c_str());
        return false;
    }
    lmr::Program program(lmr::ProgramOptions{
        std::vector<lmr::PortTable::Port>{{meter.SlavePath(), "simulated meter", false}}});
    lmr::TFMain& m = program.FMain();
    // The download's data file is written as in use, but not among the user's.
    QTemporaryDir data;
    m.DataFolder = data.path();
    m.show();

    QElapsedTimer wait;
    wait.start();
    while (!m.Search().PortFound() && wait.elapsed() < 10000) {
        QCoreApplication::processEvents(QEventLoop::AllEvents, 10);
    }
    if (!m.Identified()) m.TimerDetektTimer();
    while (!m.Identified() && !m.Meter().Idle() && wait.elapsed() < 15000) {
        QCoreApplication::processEvents(QEventLoop::AllEvents, 10);
    }
    QCoreApplication::processEvents();
    if (!m.Identified()) {
        std::fprintf(stderr, "the simulated meter was not identified\n");
        return false;
    }
    // The chart in view, as a user watching the download has it.
    QCoreApplication::processEvents();
    if (auto* scroll = m.findChild<QScrollArea*>(QStringLiteral("FormScroll"))) {
        const QPoint at = m.findChild<lmr::ZoomChartView*>(QStringLiteral("ChartValueView"))
                              ->mapTo(scroll->widget(), QPoint(0, 0));
        scroll->horizontalScrollBar()->setValue(at.x());
        scroll->verticalScrollBar()->setValue(at.y());
    }
    QCoreApplication::processEvents();

    std::vector<int64_t> hostSent;
    hostSent.reserve(static_cast<size_t>(records + 1) * kBytesPerRecord / 2 + 1);
    m.TheLink().SetTranscript([&hostSent](const lmr::TranscriptEntry& e) {
        if (e.fromHost) hostSent.push_back(e.micros);
    });
    meter.ClearTranscript();

    QElapsedTimer clock;
    clock.start();
    PaintWatch paints(
        &m, m.findChild<lmr::ZoomChartView*>(QStringLiteral("ChartValueView"))->viewport(), clock);
    Gaps ticks;
    QTimer tick;
    tick.setInterval(kTickMs);
    QObject::connect(&tick, &QTimer::timeout, [&] { ticks.Mark(clock.nsecsElapsed()); });

    const qint64 start = clock.nsecsElapsed();
    paints.window.Start(start);
    paints.chart.Start(start);
    ticks.Start(start);
    qApp->installEventFilter(&paints);
    auto* app = static_cast<TimingApplication*>(qApp);
    app->longestRepaintNs = 0;
    app->timing = true;
    tick.start();
    const double cpu = ThreadCpuSeconds();
    m.findChild<QPushButton*>(QStringLiteral("ButtonZagruzit"))->click();
    // The download runs on the worker; the window takes its records in from its event loop.
    while (m.Downloading()) {
        QCoreApplication::processEvents(QEventLoop::AllEvents | QEventLoop::WaitForMoreEvents);
    }
    run.cpuSeconds = ThreadCpuSeconds() - cpu;
    const qint64 end = clock.nsecsElapsed();
    tick.stop();
    app->timing = false;
    run.longestRepaintMs = static_cast<double>(app->longestRepaintNs) / 1e6;
    qApp->removeEventFilter(&paints);
    m.TheLink().SetTranscript(nullptr);

    run.seconds = static_cast<double>(end - start) / 1e9;
    run.records = m.findChild<lmr::StringGrid*>(QStringLiteral("StringGridL"))->RowCount() - 2;
    // The last stretch counts too: from the last repaint to the end of the download.
    paints.window.Mark(end);
    paints.chart.Mark(end);
    ticks.Mark(end);
    run.windowGapMs = paints.window.LongestMs();
    run.chartGapMs = paints.chart.LongestMs();
    run.tickGapMs = ticks.LongestMs();
    run.windowPaints = paints.window.Count() - 1;
    run.chartPaints = paints.chart.Count() - 1;
    std::vector<int64_t> meterSent;
    for (const lmr::TranscriptEntry& e : meter.Transcript()) {
        if (!e.fromHost) meterSent.push_back(e.micros);
    }
    if (!SplitTurns(hostSent, meterSent, run))
        std::fprintf(stderr, "the line's bytes do not follow the download's order\n");
    program.Shutdown();
    if (run.records != records) {
        std::fprintf(stderr, "downloaded %d records of %d\n", run.records, records);
        return false;
    }
    return true;
}

// The same download without the window, by the exchange alone on the calling thread: what the
// line, the pseudo-terminal and the simulator cost on this machine. Seconds per record.
double BareDownload(int records) {
    lmr::sim::Options o;
    o.logger = lmr::sim::LoggerFromCount(records);
    o.paced = true;
    lmr::sim::Simulator meter(o);
    if (!meter.Start()) return 0;
    lmr::PortTable ports({{meter.SlavePath(), "simulated meter", false}});
    lmr::Link link(ports);
    QElapsedTimer t;
    t.start();
    const lmr::DownloadResult r = lmr::DownloadLogger(link, 1, {});
    if (r.accepted != records) return 0;
    return static_cast<double>(t.nsecsElapsed()) / 1e9 / records;
}

void PrintFigures(const Run& r, double wire) {
    std::printf(
        "  the meter's turns %.2f s (ratio %.3f to the line); the host's turns %.2f s "
        "(%.1f us per host byte, %.1f%% of the line)\n",
        r.meterTurns, r.meterTurns / wire, r.hostTurns, r.hostTurns * 1e6 / r.hostBytes,
        r.hostTurns / wire * 100);
    std::printf(
        "  longest gap between repaints of the window: %.1f ms (goal <= %.0f ms, "
        "ratio %.2f); %ld repaints\n",
        r.windowGapMs, kGapGoalMs, r.windowGapMs / kGapGoalMs, r.windowPaints);
    std::printf(
        "  longest gap between repaints of the chart: %.1f ms; %ld repaints; the longest "
        "repaint took %.1f ms\n",
        r.chartGapMs, r.chartPaints, r.longestRepaintMs);
    std::printf("  longest gap between ticks of a %d ms timer: %.1f ms\n", kTickMs, r.tickGapMs);
}

int Usage() {
    std::fprintf(stderr,
                 "usage: bench_download [--records N] [--paced-only | --unpaced-only | "
                 "--latency-only] [--latency-records N]\n");
    return 2;
}

}  // namespace

int main(int argc, char** argv) {
    int records = 3000;
    int latencyRecords = 200;
    bool paced = true;
    bool unpaced = true;
    bool latency = true;
    for (int i = 1; i < argc; ++i) {
        if (std::strcmp(argv[i], "--records") == 0 && i + 1 < argc) {
            records = std::atoi(argv[++i]);
            if (records < 1 || records > 3000) return Usage();
        } else if (std::strcmp(argv[i], "--latency-records") == 0 && i + 1 < argc) {
            latencyRecords = std::atoi(argv[++i]);
            if (latencyRecords < 1 || latencyRecords > 3000) return Usage();
        } else if (std::strcmp(argv[i], "--paced-only") == 0) {
            unpaced = latency = false;
        } else if (std::strcmp(argv[i], "--unpaced-only") == 0) {
            paced = latency = false;
        } else if (std::strcmp(argv[i], "--latency-only") == 0) {
            paced = unpaced = false;
        } else {
            return Usage();
        }
    }
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
    TimingApplication app(argc, argv);

    if (unpaced) {
        Run r;
        if (!Download(records, false, r)) return 1;
        std::printf(
            "unpaced, %d records: %.2f s, %.2f ms per record, %.2f ms of it the "
            "window's thread CPU; the host's turns %.1f us per host byte\n",
            r.records, r.seconds, r.seconds * 1e3 / r.records, r.cpuSeconds * 1e3 / r.records,
            r.hostTurns * 1e6 / r.hostBytes);
        std::printf(
            "  longest gap between repaints of the window: %.1f ms; of the chart %.1f "
            "ms\n",
            r.windowGapMs, r.chartGapMs);
    }
    if (paced) {
        Run r;
        if (!Download(records, true, r)) return 1;
        const double wire = records * kBytesPerRecord * kByteMs / 1e3;
        std::printf(
            "paced at 9600 baud, %d records: %.2f s against the line's %.2f s "
            "(%d x %d bytes x %.4f ms); ratio %.3f (goal <= %.2f); %.2f ms per record, "
            "%.2f ms of it the window's thread CPU\n",
            r.records, r.seconds, wire, records, kBytesPerRecord, kByteMs, r.seconds / wire,
            kTotalGoal, r.seconds * 1e3 / r.records, r.cpuSeconds * 1e3 / r.records);
        PrintFigures(r, wire);
        // At most 600 records: the figure is per record.
        const double perRecord = BareDownload(std::min(records, 600));
        if (perRecord > 0) {
            const double linePerRecord = kBytesPerRecord * kByteMs / 1e3;
            std::printf(
                "  the exchange alone, without the window (%d records): %.2f ms per record, "
                "ratio %.3f to the line; the window's download takes %.3f x that\n",
                std::min(records, 600), perRecord * 1e3, perRecord / linePerRecord,
                r.seconds / r.records / perRecord);
        }
    }
    if (latency) {
        // Each of a record's 19 round trips waits out the adapter's timer once.
        const double wire = latencyRecords * kBytesPerRecord * kByteMs / 1e3;
        for (const int ms : {16, 1}) {
            Run r;
            if (!Download(latencyRecords, true, r, ms)) return 1;
            std::printf(
                "paced, USB adapter latency %d ms, %d records: %.2f s against the line's %.2f s; "
                "ratio %.2f; %.1f ms per record (3000 records: %.1f min)\n",
                ms, r.records, r.seconds, wire, r.seconds / wire, r.seconds * 1e3 / r.records,
                r.seconds / r.records * 3000 / 60);
        }
    }
    return 0;
}
