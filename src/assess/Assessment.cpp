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

// The figures of field; above tells a reading over the permissible upper limit.
template <typename Above>
QuantityFigures FiguresOf(const std::vector<AssessReading>& readings,
                          double AssessReading::*field, Above above) {
    QuantityFigures f;
    f.min = f.max = readings.front().*field;
    double sum = 0;
    int over = 0;
    for (const AssessReading& r : readings) {
        sum += r.*field;
        f.min = std::min(f.min, r.*field);
        f.max = std::max(f.max, r.*field);
        if (above(r)) ++over;
    }
    const auto n = static_cast<double>(readings.size());
    f.mean = sum / n;
    f.weightedMean = TimeWeightedMean(readings, field);
    f.shareAbove = over / n;
    return f;
}

FactorResult Result(Factor factor, double value, FactorState state,
                    std::optional<ConditionsClass> c) {
    return {factor, value, state, c};
}

}  // namespace

std::optional<ConditionsClass> ClassOfThs(WorkCategory category, double ths) {
    const ThsNormRow& row = ThsNormOf(category);
    const int t = Tenths(ths);
    if (t < row.permissibleLow) return std::nullopt;
    if (t <= row.permissibleHigh) return ConditionsClass::C2;
    for (std::size_t i = 0; i < row.classHigh.size(); ++i) {
        if (t <= row.classHigh[i]) return static_cast<ConditionsClass>(i + 2);
    }
    return ConditionsClass::C4;
}

FactorResult AirTemperatureFactor(Season season, WorkCategory category, double air) {
    const AirNormRow& norm = AirNormOf(season, category);
    const int t = Tenths(air);
    const double shown = t / 10.0;
    const auto result = [shown](FactorState s, std::optional<ConditionsClass> c) {
        return Result(Factor::AirTemperature, shown, s, c);
    };
    if (t > norm.permissibleHigh) return result(FactorState::AboveRange, std::nullopt);
    if (t >= norm.optimalLow && t <= norm.optimalHigh) {
        return result(FactorState::Optimal, ConditionsClass::C1);
    }
    if (t >= norm.permissibleLow) return result(FactorState::Permissible, ConditionsClass::C2);
    const std::array<int, 5>& lows = CoolingClassLows(category);
    for (std::size_t i = 0; i < lows.size(); ++i) {
        if (t >= lows[i]) {
            return result(FactorState::BelowRange, static_cast<ConditionsClass>(i + 1));
        }
    }
    return result(FactorState::BelowRange, ConditionsClass::C4);
}

FactorResult HumidityFactor(Season season, double rh, double air) {
    const double shown = Tenths(rh) / 10.0;
    const auto result = [shown](FactorState s, std::optional<ConditionsClass> c) {
        return Result(Factor::Humidity, shown, s, c);
    };
    // The methodology classes only dry air; humid air counts through the ТНС-индекс.
    if (shown > PermissibleRhHigh(season, air)) return result(FactorState::AboveRange, std::nullopt);
    if (shown >= kRhOptimalLow && shown <= kRhOptimalHigh) {
        return result(FactorState::Optimal, ConditionsClass::C1);
    }
    if (shown >= kRhPermissibleLow) return result(FactorState::Permissible, ConditionsClass::C2);
    return result(FactorState::BelowRange,
                  shown >= kRhClass31Low ? ConditionsClass::C31 : ConditionsClass::C32);
}

FactorResult AirSpeedFactor(WorkCategory category, std::optional<double> speed) {
    if (!speed) return Result(Factor::AirSpeed, 0, FactorState::NotMeasured, std::nullopt);
    const double shown = Tenths(*speed) / 10.0;
    if (shown >= kHarmfulAirSpeed) {
        return Result(Factor::AirSpeed, shown, FactorState::AboveRange, ConditionsClass::C31);
    }
    if (shown <= OptimalAirSpeed(category)) {
        return Result(Factor::AirSpeed, shown, FactorState::Optimal, ConditionsClass::C1);
    }
    return Result(Factor::AirSpeed, shown, FactorState::Permissible, ConditionsClass::C2);
}

Season DefaultSeason(qint64 seconds) {
    const int month = QDateTime::fromSecsSinceEpoch(seconds, Qt::UTC).date().month();
    return month >= 5 && month <= 9 ? Season::Warm : Season::Cold;
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
    for (int f = 0; f < kFactorCount; ++f) a.factors[std::size_t(f)].factor = Factor(f);
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
    const ThsNormRow& thsNorm = ThsNormOf(inputs.category);
    const AirNormRow& airNorm = AirNormOf(inputs.season, inputs.category);
    a.ths = FiguresOf(readings, &AssessReading::ths,
                      [&](const AssessReading& r) { return Tenths(r.ths) > thsNorm.permissibleHigh; });
    a.wbgt = FiguresOf(readings, &AssessReading::wbgt,
                       [&](const AssessReading& r) { return r.wbgt > a.wbgtLimit; });
    a.air = FiguresOf(readings, &AssessReading::air,
                      [&](const AssessReading& r) { return Tenths(r.air) > airNorm.permissibleHigh; });
    a.rh = FiguresOf(readings, &AssessReading::rh, [&](const AssessReading& r) {
        return Tenths(r.rh) / 10.0 > PermissibleRhHigh(inputs.season, r.air);
    });
    a.globe = FiguresOf(readings, &AssessReading::globe, [](const AssessReading&) { return false; });
    for (const AssessReading& r : readings) a.maxW = std::max(a.maxW, r.w);
    a.wbgtMargin = a.wbgtLimit - a.wbgt.weightedMean;

    const FactorResult air = AirTemperatureFactor(inputs.season, inputs.category, a.air.weightedMean);
    const FactorResult rh = HumidityFactor(inputs.season, a.rh.weightedMean, air.value);
    a.factors = {air, rh, AirSpeedFactor(inputs.category, inputs.airSpeed),
                 Result(Factor::Ths, Tenths(a.ths.weightedMean) / 10.0, FactorState::NotHeating,
                        std::nullopt)};
    // A heating microclimate: the air or its humidity above the permissible range, or a heat
    // load (radiant heat too) above the index's own.
    FactorResult& ths = a.factors[std::size_t(Factor::Ths)];
    const bool heating = air.state == FactorState::AboveRange ||
                         rh.state == FactorState::AboveRange ||
                         Tenths(ths.value) > thsNorm.permissibleHigh;
    if (heating && a.maxW > kThsIrradianceLimit) {
        ths.state = FactorState::IrradianceTooHigh;
        return a;  // the factor that must class this microclimate cannot
    }
    if (heating) {
        ths.state = FactorState::Heating;
        ths.conditionsClass = ClassOfThs(inputs.category, ths.value).value_or(ConditionsClass::C2);
    }
    for (const FactorResult& f : a.factors) {
        if (f.conditionsClass && (!a.conditionsClass || *f.conditionsClass > *a.conditionsClass)) {
            a.conditionsClass = f.conditionsClass;
            a.decidingFactor = f.factor;
        }
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
