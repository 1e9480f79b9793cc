#include "assess/Assessment.h"

#include <QDateTime>
#include <algorithm>
#include <cmath>

namespace lmr {

namespace {

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
    const auto invalid = std::remove_if(readings.begin(), readings.end(),
                                        [](const AssessReading& r) { return !r.valid; });
    a.leftOut = static_cast<int>(readings.end() - invalid);
    readings.erase(invalid, readings.end());
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
        if (!r.valid || (r.seconds >= from && r.seconds <= to)) kept.push_back(r);
    }
    return kept;
}

qint64 WallSeconds(const QDate& date, int secondOfDay) {
    return QDateTime(date, QTime(0, 0), Qt::UTC).toSecsSinceEpoch() + secondOfDay;
}

}  // namespace lmr
