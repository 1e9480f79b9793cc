#include "assess/Assessment.h"

#include <QDateTime>
#include <QRegularExpression>
#include <algorithm>
#include <cmath>

namespace lmr {

namespace {

constexpr qint64 kDaySeconds = 24 * 3600;
constexpr double kGapIntervals = 3.0;

// The ТНС-индекс in tenths as the window shows it (the same rounding as RoundToTenth).
int Tenths(double value) {
    return static_cast<int>(std::nearbyint(value / 0.1));
}

double MedianStep(const std::vector<AssessReading>& readings) {
    std::vector<qint64> steps;
    for (std::size_t i = 1; i < readings.size(); ++i) {
        const qint64 step = readings[i].seconds - readings[i - 1].seconds;
        if (step > 0) steps.push_back(step);
    }
    if (steps.empty()) return 0;
    const auto middle = steps.begin() + static_cast<std::ptrdiff_t>(steps.size() / 2);
    std::nth_element(steps.begin(), middle, steps.end());
    return static_cast<double>(*middle);
}

QuantityFigures FiguresOf(const std::vector<AssessReading>& readings,
                          double AssessReading::*field) {
    QuantityFigures f;
    f.min = f.max = readings.front().*field;
    double sum = 0;
    for (const AssessReading& r : readings) {
        sum += r.*field;
        f.min = std::min(f.min, r.*field);
        f.max = std::max(f.max, r.*field);
    }
    f.mean = sum / static_cast<double>(readings.size());
    f.weightedMean = TimeWeightedMean(readings, field);
    return f;
}

}  // namespace

std::optional<ConditionsClass> ClassOfThs(WorkCategory category, double ths) {
    const ThsNormRow& row = ThsNormOf(category);
    const int t = Tenths(ths);
    if (t < row.permissibleLow) return std::nullopt;
    if (t <= row.permissibleHigh) return ConditionsClass::C2;
    for (std::size_t i = 0; i < row.classHigh.size(); ++i) {
        if (t <= row.classHigh[i]) return static_cast<ConditionsClass>(i + 1);
    }
    return ConditionsClass::C4;
}

double TimeWeightedMean(const std::vector<AssessReading>& readings, double AssessReading::*field) {
    if (readings.empty()) return 0;
    const double interval = MedianStep(readings);
    double sum = 0;
    double weights = 0;
    for (std::size_t i = 0; i < readings.size(); ++i) {
        double weight = interval;
        if (interval <= 0) {
            weight = 1;
        } else if (i + 1 < readings.size()) {
            const auto step = static_cast<double>(readings[i + 1].seconds - readings[i].seconds);
            if (step <= kGapIntervals * interval) weight = step;
        }
        sum += weight * readings[i].*field;
        weights += weight;
    }
    return weights > 0 ? sum / weights : 0;
}

Assessment Assess(std::vector<AssessReading> readings, const AssessInputs& inputs) {
    Assessment a;
    a.wbgtLimit = WbgtLimit(inputs.metabolicWatts, inputs.acclimatised);
    if (readings.empty()) return a;
    std::stable_sort(
        readings.begin(), readings.end(),
        [](const AssessReading& x, const AssessReading& y) { return x.seconds < y.seconds; });
    a.count = static_cast<int>(readings.size());
    a.firstSeconds = readings.front().seconds;
    a.spanSeconds = readings.back().seconds - readings.front().seconds;
    a.ths = FiguresOf(readings, &AssessReading::ths);
    a.wbgt = FiguresOf(readings, &AssessReading::wbgt);
    const ThsNormRow& norm = ThsNormOf(inputs.category);
    int above = 0;
    for (const AssessReading& r : readings) {
        a.maxW = std::max(a.maxW, r.w);
        if (Tenths(r.ths) > norm.permissibleHigh) ++above;
    }
    a.shareAbove = static_cast<double>(above) / a.count;
    a.assessedThs = std::nearbyint(a.ths.weightedMean / 0.1) * 0.1;
    a.wbgtMargin = a.wbgtLimit - a.wbgt.weightedMean;
    if (a.maxW > kThsIrradianceLimit) {
        a.verdict = ThsVerdict::IrradianceTooHigh;
    } else if (const auto c = ClassOfThs(inputs.category, a.ths.weightedMean)) {
        a.verdict = ThsVerdict::Class;
        a.conditionsClass = *c;
    } else {
        a.verdict = ThsVerdict::BelowRange;
    }
    return a;
}

std::vector<AssessReading> ReadingsBetween(const std::vector<AssessReading>& readings, qint64 from,
                                           qint64 to) {
    std::vector<AssessReading> kept;
    for (const AssessReading& r : readings) {
        if (r.seconds >= from && r.seconds <= to) kept.push_back(r);
    }
    return kept;
}

qint64 WallSeconds(const QDate& date, int secondOfDay) {
    return QDateTime(date, QTime(0, 0), Qt::UTC).toSecsSinceEpoch() + secondOfDay;
}

std::optional<qint64> LoggerTimeSeconds(const QString& text) {
    static const QRegularExpression pattern(
        QStringLiteral("^(\\d{1,2}):(\\d{1,2}) (\\d{1,2})\\.(\\d{1,2})\\.(\\d{1,2})$"));
    const QRegularExpressionMatch m = pattern.match(text.trimmed());
    if (!m.hasMatch()) return std::nullopt;
    const int hour = m.captured(1).toInt();
    const int minute = m.captured(2).toInt();
    const QDate date(2000 + m.captured(5).toInt(), m.captured(4).toInt(), m.captured(3).toInt());
    if (!date.isValid() || hour > 23 || minute > 59) return std::nullopt;
    return WallSeconds(date, hour * 3600 + minute * 60);
}

std::optional<int> TimeOfDaySeconds(const QString& text) {
    // Read by hand: the window reads every live reading's time at each refresh.
    if (text.size() != 8 || text[2] != QLatin1Char(':') || text[5] != QLatin1Char(':')) {
        return std::nullopt;
    }
    int parts[3] = {};
    for (int p = 0; p < 3; ++p) {
        const QChar tens = text[p * 3];
        const QChar ones = text[p * 3 + 1];
        if (!tens.isDigit() || !ones.isDigit() || tens.unicode() > '9' || ones.unicode() > '9') {
            return std::nullopt;
        }
        parts[p] = (tens.unicode() - '0') * 10 + (ones.unicode() - '0');
    }
    if (parts[0] > 23 || parts[1] > 59 || parts[2] > 59) return std::nullopt;
    return parts[0] * 3600 + parts[1] * 60 + parts[2];
}

std::vector<qint64> UnwrapTimesOfDay(const std::vector<int>& secondsOfDay, const QDate& lastDay) {
    std::vector<qint64> times(secondsOfDay.size());
    qint64 day = WallSeconds(lastDay, 0);
    for (std::size_t i = secondsOfDay.size(); i-- > 0;) {
        if (i + 1 < secondsOfDay.size() && secondsOfDay[i] > secondsOfDay[i + 1])
            day -= kDaySeconds;
        times[i] = day + secondsOfDay[i];
    }
    return times;
}

}  // namespace lmr
