// A survey of 50 workplaces × 2 points × 2 heights with 1,000 readings at each height: opened
// and read whole (goal 1 s), and a live series stored reading by reading (goal 2 ms each), in a
// file on a disk (not a memory file system, where storing costs nothing).
#include <sys/vfs.h>

#include <QCoreApplication>
#include <QDir>
#include <QFileInfo>
#include <QTemporaryDir>
#include <QThread>
#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <ctime>
#include <vector>

#include "survey/SurveyFile.h"

namespace {

constexpr int kWorkplaces = 50;
constexpr int kPoints = 2;
constexpr int kHeights = 2;
constexpr int kReadings = 1000;
constexpr int kAppends = 1000;
constexpr int kRuns = 3;
constexpr double kOpenGoalSeconds = 1.0;
constexpr double kAppendGoalMs = 2.0;
constexpr long kTmpfsMagic = 0x01021994;

using Clock = std::chrono::steady_clock;

double Seconds(Clock::time_point begin, Clock::time_point end) {
    return std::chrono::duration<double>(end - begin).count();
}

// The processor time of this process, s: what the figures would be on a machine of its own.
double CpuSeconds() {
    timespec t{};
    clock_gettime(CLOCK_PROCESS_CPUTIME_ID, &t);
    return double(t.tv_sec) + double(t.tv_nsec) / 1e9;
}

lmr::Reading ReadingAt(const QDateTime& start, int i) {
    return lmr::MakeReading(start.addSecs(2LL * i), float(300 + i % 500) / 10,
                            float(150 + i % 200) / 10, float(180 + i % 250) / 10,
                            lmr::ReadingOrigin::Live, 65, 1);
}

// A folder on a disk: the system's temporary folder unless it lives in memory.
QString DiskFolder() {
    struct statfs fs {};
    const QString tmp = QDir::tempPath();
    if (statfs(QFile::encodeName(tmp).constData(), &fs) == 0 && long(fs.f_type) == kTmpfsMagic) {
        return QDir::currentPath();
    }
    return tmp;
}

int Exit(const QString& text) {
    std::fprintf(stderr, "%s\n", qPrintable(text));
    return 1;
}

// The survey at path; what failed, empty when nothing did.
QString Build(const QString& path, qint64* liveHeight) {
    lmr::Outcome r;
    auto f = lmr::SurveyFile::Create(path, &r);
    if (!f) return r.text;
    const QDateTime start(QDate(2026, 7, 14), QTime(8, 0));
    for (int w = 0; w < kWorkplaces; ++w) {
        lmr::SurveyWorkplace workplace;
        workplace.name = QStringLiteral("Рабочее место %1").arg(w + 1);
        const auto wid = f->AddWorkplace(workplace);
        if (!wid) return wid.outcome.text;
        for (int p = 0; p < kPoints; ++p) {
            const auto pid = f->AddPoint(*wid, {0, QStringLiteral("Точка %1").arg(p + 1), {}});
            if (!pid) return pid.outcome.text;
            for (const double metres : lmr::StandardHeights(workplace.posture)) {
                const auto hid = f->AddHeight(*pid, {0, metres, std::nullopt, {}});
                if (!hid) return hid.outcome.text;
                *liveHeight = *hid;
                lmr::SurveyMeasurement m;
                m.origin = lmr::ReadingOrigin::Download;
                for (int i = 0; i < kReadings; ++i) m.readings.push_back(ReadingAt(start, i));
                if (const auto mid = f->AddMeasurement(*hid, m); !mid) return mid.outcome.text;
            }
        }
    }
    return {};
}

}  // namespace

int main(int argc, char** argv) {
    // The program names the system's time zone file at start, so that the C library reads it
    // once and not at every reading's local time.
    if (!qEnvironmentVariableIsSet("TZ")) {
        qputenv("TZ", ":/etc/localtime");
        tzset();
    }
    QCoreApplication app(argc, argv);
    // Wall-clock times on a shared machine include the waits for a processor; the processor
    // times beside them are what the program itself spends.
    double load[1] = {0};
    if (getloadavg(load, 1) == 1) {
        std::printf("load average %.1f on %d processors\n", load[0], QThread::idealThreadCount());
    }
    QTemporaryDir dir(DiskFolder() + QStringLiteral("/bench-survey-XXXXXX"));
    const QString path = dir.filePath(QStringLiteral("survey.lmrs"));
    const int total = kWorkplaces * kPoints * kHeights * kReadings;

    qint64 liveHeight = 0;
    const auto buildBegin = Clock::now();
    if (const QString error = Build(path, &liveHeight); !error.isEmpty()) return Exit(error);
    const double buildSeconds = Seconds(buildBegin, Clock::now());
    std::printf(
        "survey of %d workplaces x %d points x %d heights x %d readings (%d readings) in %s\n",
        kWorkplaces, kPoints, kHeights, kReadings, total, qPrintable(path));
    std::printf("  made in %.3f s, file %.1f MB\n", buildSeconds,
                double(QFileInfo(path).size()) / 1e6);

    std::vector<double> open;
    std::vector<double> openCpu;
    for (int run = 0; run < kRuns; ++run) {
        lmr::Outcome r;
        const double cpuBegin = CpuSeconds();
        const auto begin = Clock::now();
        const auto f = lmr::SurveyFile::Open(path, &r);
        if (!f) return Exit(r.text);
        const auto opened = Clock::now();
        const double cpuOpened = CpuSeconds();
        const lmr::Valued<lmr::Survey> s = f->Load();
        const auto end = Clock::now();
        const double cpuEnd = CpuSeconds();
        std::printf(
            "  run %d: opened and checked %.3f s (processor %.3f s), read %.3f s "
            "(processor %.3f s)\n",
            run + 1, Seconds(begin, opened), cpuOpened - cpuBegin, Seconds(opened, end),
            cpuEnd - cpuOpened);
        if (!s) return Exit(s.outcome.text);
        if (s->workplaces.size() != size_t(kWorkplaces))
            return Exit(QStringLiteral("not every workplace read"));
        open.push_back(Seconds(begin, end));
        openCpu.push_back(cpuEnd - cpuBegin);
    }
    std::sort(open.begin(), open.end());
    std::sort(openCpu.begin(), openCpu.end());
    const double openMedian = open[open.size() / 2];
    const double openCpuMedian = openCpu[openCpu.size() / 2];
    std::printf("opened and read whole (%d runs)\n", kRuns);
    std::printf("  best   %.3f s\n", open.front());
    std::printf("  median %.3f s  goal %.3f s  ratio median/goal %.2f (at most 1 meets the goal)\n",
                openMedian, kOpenGoalSeconds, openMedian / kOpenGoalSeconds);
    std::printf("  processor median %.3f s  ratio processor/goal %.2f\n", openCpuMedian,
                openCpuMedian / kOpenGoalSeconds);

    lmr::Outcome r;
    const auto f = lmr::SurveyFile::Open(path, &r);
    if (!f) return Exit(r.text);
    const auto live = f->AddMeasurement(liveHeight, {});
    if (!live) return Exit(live.outcome.text);
    const QDateTime start = QDateTime::currentDateTime();
    std::vector<double> ms;
    const double cpuBegin = CpuSeconds();
    for (int i = 0; i < kAppends; ++i) {
        const lmr::Reading reading = ReadingAt(start, i);
        const auto begin = Clock::now();
        const lmr::Outcome stored = f->AppendReading(*live, reading);
        const auto end = Clock::now();
        if (!stored) return Exit(stored.text);
        ms.push_back(Seconds(begin, end) * 1000);
    }
    const double cpuMs = (CpuSeconds() - cpuBegin) * 1000 / kAppends;
    double sum = 0;
    for (const double m : ms) sum += m;
    std::sort(ms.begin(), ms.end());
    const double median = ms[ms.size() / 2];
    const double p99 = ms[ms.size() * 99 / 100];
    std::printf("a live reading stored (%d readings, each its own transaction)\n", kAppends);
    std::printf(
        "  mean %.3f ms (processor %.3f ms)  median %.3f ms  99th percentile %.3f ms  "
        "worst %.3f ms\n",
        sum / kAppends, cpuMs, median, p99, ms.back());
    std::printf("  processor ratio mean/goal %.2f\n", cpuMs / kAppendGoalMs);
    std::printf(
        "  goal %.3f ms  ratio 99th percentile/goal %.2f, worst/goal %.2f (at most 1 meets "
        "the goal)\n",
        kAppendGoalMs, p99 / kAppendGoalMs, ms.back() / kAppendGoalMs);
    return 0;
}
