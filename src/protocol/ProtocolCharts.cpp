#include "protocol/ProtocolCharts.h"

#include <QDateTime>
#include <algorithm>

#include "core/AssessReadingOf.h"
#include "protocol/ProtocolText.h"

namespace lmr {

namespace {

using namespace protocol_text;

// A series per height and per source: readings of the logger and of a live series taken at
// the same time would otherwise be drawn as one line zigzagging between them.
ProtocolChart ChartOf(const QString& title, const SurveyPoint& point) {
    ProtocolChart chart;
    chart.title = title;
    const auto fromLogger = [](const SurveyMeasurement& m) {
        return m.origin != ReadingOrigin::Live;
    };
    bool logger = false;
    bool live = false;
    for (const SurveyHeight& h : point.heights) {
        for (const SurveyMeasurement& m : h.measurements) {
            if (m.readings.empty()) continue;
            (fromLogger(m) ? logger : live) = true;
        }
    }
    const bool named = logger && live;
    for (std::size_t h = 0; h < point.heights.size(); ++h) {
        const QString metres = Figure(point.heights[h].metres);
        for (const bool source : {false, true}) {
            const QString suffix =
                named ? (source ? QStringLiteral(", логгер") : QStringLiteral(", текущие"))
                      : QString();
            ProtocolChartSeries ths{
                QStringLiteral("ТНС-индекс, %1 м%2").arg(metres, suffix), true, int(h), source, {}};
            ProtocolChartSeries air{
                QStringLiteral("tв, %1 м%2").arg(metres, suffix), false, int(h), source, {}};
            for (const SurveyMeasurement& m : point.heights[h].measurements) {
                if (fromLogger(m) != source) continue;
                for (const Reading& r : m.readings) {
                    const AssessReading a = AssessReadingOf(r);
                    if (!a.valid) continue;
                    ths.points.emplace_back(a.seconds, a.ths);
                    air.points.emplace_back(a.seconds, a.air);
                }
            }
            if (ths.points.empty()) continue;
            const auto byTime = [](const auto& x, const auto& y) { return x.first < y.first; };
            std::stable_sort(ths.points.begin(), ths.points.end(), byTime);
            std::stable_sort(air.points.begin(), air.points.end(), byTime);
            chart.series.push_back(std::move(ths));
            chart.series.push_back(std::move(air));
        }
    }
    return chart;
}

// Readings further apart than this start a chart of their own: a logger's records of another
// day beside a live series would otherwise squeeze both to the edges of one time axis.
constexpr qint64 kChartGapSeconds = 6 * 3600;

}  // namespace

std::vector<ProtocolChart> ChartsOf(const QString& title, const SurveyPoint& point) {
    ProtocolChart whole = ChartOf(title, point);
    std::vector<qint64> times;
    for (const ProtocolChartSeries& s : whole.series) {
        for (const auto& p : s.points) times.push_back(p.first);
    }
    if (times.empty()) return {};
    std::sort(times.begin(), times.end());
    std::vector<std::pair<qint64, qint64>> stretches{{times.front(), times.front()}};
    for (const qint64 t : times) {
        if (t - stretches.back().second > kChartGapSeconds) stretches.push_back({t, t});
        stretches.back().second = t;
    }
    if (stretches.size() == 1) return {std::move(whole)};
    std::vector<ProtocolChart> charts;
    for (const auto& [from, to] : stretches) {
        const QDate first = QDateTime::fromSecsSinceEpoch(from, Qt::UTC).date();
        const QDate last = QDateTime::fromSecsSinceEpoch(to, Qt::UTC).date();
        ProtocolChart c;
        c.title = QStringLiteral("%1, %2").arg(title, DatesText(first, last));
        for (const ProtocolChartSeries& s : whole.series) {
            ProtocolChartSeries part = s;
            part.points.clear();
            for (const auto& p : s.points) {
                if (p.first >= from && p.first <= to) part.points.push_back(p);
            }
            if (!part.points.empty()) c.series.push_back(std::move(part));
        }
        charts.push_back(std::move(c));
    }
    return charts;
}

}  // namespace lmr
