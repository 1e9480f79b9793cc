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
    if (readings.size() > 1) {
        double squares = 0;
        for (const AssessReading& r : readings) squares += (r.*field - f.mean) * (r.*field - f.mean);
        f.meanUncertainty = std::sqrt(squares / (n - 1) / n);
    }
    f.weightedMean = TimeWeightedMean(readings, field);
    f.shareAbove = over / n;
    return f;
}

FactorResult Result(Factor factor, double value, FactorState state,
                    std::optional<ConditionsClass> c, Compliance compliance) {
    FactorResult r;
    r.factor = factor;
    r.value = value;
    r.state = state;
    r.conditionsClass = c;
    r.compliance = compliance;
    return r;
}

double Hundredths(double value) {
    return std::nearbyint(value * 100) / 100;
}

// Whether the verdicts at value ± U differ from those at the value: the interval reaches
// across a limit.
template <typename Judge>
bool Straddles(double value, std::optional<double> expanded, Judge judge) {
    if (!expanded || *expanded <= 0) return false;
    const FactorResult at = judge(value);
    for (const double x : {value - *expanded, value + *expanded}) {
        const FactorResult r = judge(x);
        if (r.compliance != at.compliance || r.conditionsClass != at.conditionsClass) return true;
    }
    return false;
}

std::optional<double> ExpandedOf(const std::optional<UncertaintyBudget>& b) {
    if (!b) return std::nullopt;
    return b->expanded;
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
    const auto result = [shown](FactorState s, std::optional<ConditionsClass> c, Compliance k) {
        return Result(Factor::AirTemperature, shown, s, c, k);
    };
    if (t > norm.permissibleHigh) {
        return result(FactorState::AboveRange, std::nullopt, Compliance::NotCompliant);
    }
    if (t >= norm.optimalLow && t <= norm.optimalHigh) {
        return result(FactorState::Optimal, ConditionsClass::C1, Compliance::Optimal);
    }
    if (t >= norm.permissibleLow) {
        return result(FactorState::Permissible, ConditionsClass::C2, Compliance::Permissible);
    }
    const std::array<int, 5>& lows = CoolingClassLows(category);
    for (std::size_t i = 0; i < lows.size(); ++i) {
        if (t >= lows[i]) {
            return result(FactorState::BelowRange, static_cast<ConditionsClass>(i + 1),
                          Compliance::NotCompliant);
        }
    }
    return result(FactorState::BelowRange, ConditionsClass::C4, Compliance::NotCompliant);
}

FactorResult HumidityFactor(Season season, double rh, double air) {
    const double shown = Tenths(rh) / 10.0;
    const auto result = [shown](FactorState s, std::optional<ConditionsClass> c, Compliance k) {
        return Result(Factor::Humidity, shown, s, c, k);
    };
    // The methodology classes only dry air; humid air counts through the ТНС-индекс.
    if (shown > PermissibleRhHigh(season, air)) {
        return result(FactorState::AboveRange, std::nullopt, Compliance::NotCompliant);
    }
    if (shown >= kRhOptimalLow && shown <= kRhOptimalHigh) {
        return result(FactorState::Optimal, ConditionsClass::C1, Compliance::Optimal);
    }
    if (shown >= kRhPermissibleLow) {
        return result(FactorState::Permissible, ConditionsClass::C2, Compliance::Permissible);
    }
    return result(FactorState::BelowRange,
                  shown >= kRhClass31Low ? ConditionsClass::C31 : ConditionsClass::C32,
                  Compliance::NotCompliant);
}

FactorResult AirSpeedFactor(Season season, WorkCategory category, std::optional<double> speed,
                            double air) {
    if (!speed) {
        return Result(Factor::AirSpeed, 0, FactorState::NotMeasured, std::nullopt,
                      Compliance::NotJudged);
    }
    const double v = Hundredths(*speed);
    const AirSpeedRange range = PermissibleAirSpeed(season, category, air);
    const auto result = [v](FactorState s, std::optional<ConditionsClass> c, Compliance k) {
        return Result(Factor::AirSpeed, v, s, c, k);
    };
    // Compared in hundredths: 0.15 is above 0.1, whatever the binary double makes of either.
    const auto cents = [](double x) { return static_cast<int>(std::nearbyint(x * 100)); };
    const int c = cents(v);
    if (c >= cents(kHarmfulAirSpeed)) {
        return result(FactorState::AboveRange, ConditionsClass::C31, Compliance::NotCompliant);
    }
    if (c > cents(range.high)) {
        return result(FactorState::Unclassed, std::nullopt, Compliance::NotCompliant);
    }
    const bool optimal = c <= cents(OptimalAirSpeed(category));
    const ConditionsClass k = optimal ? ConditionsClass::C1 : ConditionsClass::C2;
    if (c < cents(range.low)) return result(FactorState::BelowRange, k, Compliance::NotCompliant);
    if (optimal) return result(FactorState::Optimal, k, Compliance::Optimal);
    return result(FactorState::Permissible, k, Compliance::Permissible);
}

ConditionsClass ClassOfIrradiance(double w) {
    const std::array<double, 5>& highs = IrradianceClassHighs();
    for (std::size_t i = 0; i < highs.size(); ++i) {
        if (w <= highs[i]) return static_cast<ConditionsClass>(i + 1);
    }
    return ConditionsClass::C4;
}

FactorResult IrradianceFactor(double w, double permissible, bool heating) {
    const double shown = Tenths(w) / 10.0;
    const Compliance k = shown <= permissible ? Compliance::Permissible : Compliance::NotCompliant;
    if (!heating && shown <= IrradianceClassHighs().front()) {
        return Result(Factor::Irradiance, shown, FactorState::NotHeating, std::nullopt, k);
    }
    return Result(Factor::Irradiance, shown, FactorState::Heating, ClassOfIrradiance(shown), k);
}

FactorResult ThsFactor(WorkCategory category, double ths, bool heating, bool irradianceTooHigh) {
    const ThsNormRow& norm = ThsNormOf(category);
    const int t = Tenths(ths);
    const double shown = t / 10.0;
    const auto result = [shown](FactorState s, std::optional<ConditionsClass> c, Compliance k) {
        return Result(Factor::Ths, shown, s, c, k);
    };
    if (!heating && t <= norm.permissibleHigh) {
        return result(FactorState::NotHeating, std::nullopt, Compliance::NotJudged);
    }
    if (irradianceTooHigh) {
        return result(FactorState::IrradianceTooHigh, std::nullopt, Compliance::NotJudged);
    }
    // Below its range the index gives neither a class nor a verdict: its range is that of a
    // heating microclimate, and no text classes one by an index below it.
    if (t < norm.permissibleLow) {
        return result(FactorState::BelowRange, std::nullopt, Compliance::NotJudged);
    }
    return result(FactorState::Heating, ClassOfThs(category, shown),
                  t <= norm.permissibleHigh ? Compliance::Permissible : Compliance::NotCompliant);
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

    a.globeExpanded = ExpandedOf(ChannelBudget(a.globe.meanUncertainty, inputs.limits.globe));

    const WorkCategory category = inputs.category;
    const Season season = inputs.season;
    FactorResult air = AirTemperatureFactor(season, category, a.air.weightedMean);
    air.expanded = ExpandedOf(ChannelBudget(a.air.meanUncertainty, inputs.limits.air));
    air.nearLimit = Straddles(air.value, air.expanded, [&](double x) {
        return AirTemperatureFactor(season, category, x);
    });
    FactorResult rh = HumidityFactor(season, a.rh.weightedMean, air.value);
    rh.expanded = ExpandedOf(ChannelBudget(a.rh.meanUncertainty, inputs.limits.rh));
    rh.nearLimit = Straddles(rh.value, rh.expanded,
                             [&](double x) { return HumidityFactor(season, x, air.value); });
    FactorResult speed = AirSpeedFactor(season, category, inputs.airSpeed, air.value);
    if (inputs.airSpeed) {
        speed.expanded = ExpandedOf(AirSpeedBudget(speed.value, inputs.limits));
        speed.nearLimit = Straddles(speed.value, speed.expanded, [&](double x) {
            return AirSpeedFactor(season, category, std::max(0.0, x), air.value);
        });
    }
    // A heating microclimate: the air or its humidity above the permissible range, or a heat
    // load (radiant heat too) above the index's own or above the irradiance of class 2.
    const bool heatingByAir =
        air.state == FactorState::AboveRange || rh.state == FactorState::AboveRange;
    const bool tooHigh = a.maxW > kThsIrradianceLimit;
    const double irradianceHigh = IrradianceClassHighs().front();
    const auto thsAt = [&](double x) {
        const bool heating = heatingByAir || Tenths(x) > thsNorm.permissibleHigh ||
                             Tenths(a.maxW) > Tenths(irradianceHigh);
        return ThsFactor(category, x, heating, tooHigh);
    };
    const double meanAir = a.air.weightedMean;
    const double meanRh = a.rh.weightedMean;
    FactorResult ths = thsAt(a.ths.weightedMean);
    ths.expanded = ExpandedOf(
        IndexBudget(a.ths.meanUncertainty, ThsSensitivities(meanAir, meanRh), inputs.limits));
    ths.nearLimit = Straddles(ths.value, ths.expanded, thsAt);
    // Humid air alone is no heating microclimate for the irradiance: it has its index.
    const bool heating = air.state == FactorState::AboveRange ||
                         Tenths(ths.value) > thsNorm.permissibleHigh;
    // Above 1200 W/m² the index does not apply and the irradiance classes the heat.
    const FactorResult irradiance =
        IrradianceFactor(a.maxW, inputs.permissibleIrradiance, heating);
    a.factors = {air, rh, speed, ths, irradiance};

    a.wbgtExpanded = ExpandedOf(
        IndexBudget(a.wbgt.meanUncertainty, WbgtSensitivities(meanAir, meanRh), inputs.limits));
    a.wbgtNearLimit = a.wbgtExpanded && std::abs(a.wbgtMargin) < *a.wbgtExpanded;

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
