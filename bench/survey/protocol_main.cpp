// The PDF protocol of a survey of 50 workplaces × 2 points × 2 heights × 1,000 readings, built
// in memory, against the goal of three seconds; and how soon a write asked to stop half-way (the
// program closing) ends, against the goal of one second. `bench_protocol OUT.pdf` keeps the file.
#include <QGuiApplication>
#include <QTemporaryDir>
#include <algorithm>
#include <chrono>
#include <cmath>
#include <cstdio>
#include <vector>

#include "core/LocalTimeZone.h"
#include "protocol/ProtocolContent.h"
#include "protocol/ProtocolPdf.h"

namespace {

constexpr int kWorkplaces = 50;
constexpr int kPoints = 2;
constexpr int kReadings = 1000;
constexpr double kGoalSeconds = 3.0;
constexpr int kRuns = 3;
constexpr double kStopGoalSeconds = 1.0;

lmr::Survey BigSurvey() {
    lmr::Survey s;
    s.header.organisation = QStringLiteral("АО «Завод»");
    s.header.protocolNumber = QStringLiteral("1-М/2026");
    s.header.operators = QStringLiteral("Иванов И. И.");
    s.instrument.model = QStringLiteral("ЛМР-1");
    const QDateTime start(QDate(2026, 3, 12), QTime(8, 0));
    for (int w = 0; w < kWorkplaces; ++w) {
        lmr::SurveyWorkplace place;
        place.name = QStringLiteral("Рабочее место %1").arg(w + 1);
        place.category = static_cast<lmr::WorkCategory>(w % lmr::kWorkCategoryCount);
        for (int p = 0; p < kPoints; ++p) {
            lmr::SurveyPoint point;
            point.name = QStringLiteral("точка %1").arg(p + 1);
            for (const double metres : lmr::StandardHeights(lmr::Posture::Sitting)) {
                lmr::SurveyHeight height;
                height.metres = metres;
                lmr::SurveyMeasurement m;
                for (int i = 0; i < kReadings; ++i) {
                    const float wave = float(std::sin((i + w * 37 + p * 11) / 50.0));
                    m.readings.push_back(lmr::MakeReading(start.addSecs(i * 10), 45 + 5 * wave,
                                                          21 + w % 7 + wave, 23 + w % 7 + wave,
                                                          lmr::ReadingOrigin::Live));
                }
                height.measurements.push_back(std::move(m));
                point.heights.push_back(std::move(height));
            }
            place.points.push_back(std::move(point));
        }
        s.workplaces.push_back(std::move(place));
    }
    return s;
}

}  // namespace

int main(int argc, char** argv) {
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
    lmr::ReadTimeZoneOnce();  // as the program does at start
    QGuiApplication app(argc, argv);
    QTemporaryDir dir;
    const QString path = argc > 1 ? QString::fromLocal8Bit(argv[1]) : dir.filePath("protocol.pdf");
    const lmr::Survey survey = BigSurvey();

    std::vector<double> build;
    std::vector<double> total;
    for (int run = 0; run < kRuns; ++run) {
        const auto t0 = std::chrono::steady_clock::now();
        const lmr::ProtocolContent content = lmr::BuildProtocol(survey);
        const auto t1 = std::chrono::steady_clock::now();
        const QString error = lmr::WriteProtocolPdf(content, path).text;
        const auto t2 = std::chrono::steady_clock::now();
        if (!error.isEmpty()) {
            std::fprintf(stderr, "%s\n", qPrintable(error));
            return 1;
        }
        build.push_back(std::chrono::duration<double>(t1 - t0).count());
        total.push_back(std::chrono::duration<double>(t2 - t0).count());
    }
    std::sort(build.begin(), build.end());
    std::sort(total.begin(), total.end());
    const double median = total[total.size() / 2];
    std::printf("PDF protocol of %d workplaces x %d points x 2 heights x %d readings (%d runs)\n",
                kWorkplaces, kPoints, kReadings, kRuns);
    std::printf("  assessment and contents, median %.3f s\n", build[build.size() / 2]);
    std::printf("  whole, best %.3f s, median %.3f s\n", total.front(), median);
    std::printf("  goal   %.3f s  ratio median/goal %.2f (at most 1 meets the goal)\n",
                kGoalSeconds, median / kGoalSeconds);

    // Asked to stop half-way through its pages: the time from the asking to the end.
    const lmr::ProtocolContent content = lmr::BuildProtocol(survey);
    std::chrono::steady_clock::time_point asked;
    const QString error = lmr::WriteProtocolPdf(content, path, [&](qint64 done, qint64 all) {
        if (done < all / 2) return true;
        asked = std::chrono::steady_clock::now();
        return false;
    }).text;
    const double stop =
        std::chrono::duration<double>(std::chrono::steady_clock::now() - asked).count();
    if (error.isEmpty()) {
        std::fprintf(stderr, "the write did not stop\n");
        return 1;
    }
    std::printf("  stopped half-way, ended in %.3f s  goal %.3f s  ratio %.2f\n", stop,
                kStopGoalSeconds, stop / kStopGoalSeconds);
    return 0;
}
