#include "assess/AssessTexts.h"

#include <QDateTime>
#include <cmath>

#include "measure/NumberText.h"

namespace lmr {

namespace {

constexpr const char* kClassNames[kConditionsClassCount] = {
    "1 (оптимальный)", "2 (допустимый)", "3.1 (вредный)", "3.2 (вредный)",
    "3.3 (вредный)",   "3.4 (вредный)",  "4 (опасный)"};
constexpr const char* kFactorNames[kFactorCount] = {"Температура воздуха", "Относительная влажность",
                                                    "Скорость движения воздуха", "ТНС-индекс"};

QString Utf8(const char* text) {
    return QString::fromUtf8(text);
}

QString Degrees(double value) {
    return TenthText(value);
}

QString Range(double low, double high) {
    return QStringLiteral("%1–%2").arg(TenthText(low), TenthText(high));
}

QString IrradianceText(const Assessment& a) {
    return QStringLiteral("облучённость %1 Вт/м² выше 1200 Вт/м², ТНС-индекс не применяется")
        .arg(NumberText(RoundToTenth(a.maxW)));
}

QString AirNormText(const AssessInputs& in) {
    const AirNormRow& n = AirNormOf(in.season, in.category);
    return QStringLiteral("оптимально %1; допустимо %2")
        .arg(Range(n.optimalLow / 10.0, n.optimalHigh / 10.0),
             Range(n.permissibleLow / 10.0, n.permissibleHigh / 10.0));
}

QString RhNormText(const Assessment& a, const AssessInputs& in) {
    const double high = PermissibleRhHigh(in.season, a.Of(Factor::AirTemperature).value);
    QString text = QStringLiteral("оптимально %1–%2; допустимо %3–%4")
                       .arg(NumberText(kRhOptimalLow), NumberText(kRhOptimalHigh),
                            NumberText(kRhPermissibleLow), NumberText(high));
    if (high < kRhPermissibleHigh) {
        text += QStringLiteral(" (тёплый период, %1 °C)")
                    .arg(TenthText(a.Of(Factor::AirTemperature).value));
    }
    return text;
}

QString SpeedNormText(const AssessInputs& in) {
    return QStringLiteral("оптимально до %1; вредно от %2")
        .arg(TenthText(OptimalAirSpeed(in.category)), TenthText(kHarmfulAirSpeed));
}

}  // namespace

QString ClassText(ConditionsClass c) {
    return Utf8(kClassNames[static_cast<int>(c)]);
}

QString VerdictText(const Assessment& a) {
    if (a.count == 0) return QStringLiteral("Нет измерений для оценки");
    if (a.conditionsClass) return ClassText(*a.conditionsClass);
    return QStringLiteral("Не определяется: ") + IrradianceText(a);
}

QString DecidingFactorText(const Assessment& a) {
    if (!a.conditionsClass) return {};
    return QStringLiteral("Класс определил показатель: %1")
        .arg(FactorName(a.decidingFactor));
}

QString FactorName(Factor f) {
    return Utf8(kFactorNames[static_cast<int>(f)]);
}

QString FactorClassText(const Assessment& a, Factor f) {
    if (a.count == 0) return {};
    const FactorResult& r = a.Of(f);
    const QString c = r.conditionsClass ? ClassText(*r.conditionsClass) : QString();
    switch (r.state) {
        case FactorState::Optimal:
        case FactorState::Permissible:
        case FactorState::Heating:
            return c;
        case FactorState::BelowRange:
            return f == Factor::AirTemperature ? c + QStringLiteral(": охлаждающий микроклимат")
                                               : c + QStringLiteral(": воздух слишком сухой");
        case FactorState::AboveRange:
            if (f == Factor::AirSpeed) return c + QStringLiteral(": 0,6 м/с и более");
            return f == Factor::AirTemperature
                       ? QStringLiteral("выше допустимой: нагревающий микроклимат, класс по "
                                        "ТНС-индексу")
                       : QStringLiteral("выше допустимой: учитывается ТНС-индексом");
        case FactorState::NotMeasured:
            return Utf8(kAirSpeedAssumption);
        case FactorState::NotHeating:
            return QStringLiteral("не определяется: нагревающего микроклимата нет");
        case FactorState::IrradianceTooHigh:
            return QStringLiteral("не определяется: ") + IrradianceText(a);
    }
    return {};
}

QString SeasonText(Season s) {
    return s == Season::Warm ? QStringLiteral("тёплый") : QStringLiteral("холодный");
}

QString WbgtVerdictText(const Assessment& a) {
    if (a.count == 0) return {};
    const double margin = RoundToTenth(a.wbgtMargin);
    if (margin >= 0) {
        return QStringLiteral("WBGT в пределах нормы: запас %1 °C").arg(NumberText(margin));
    }
    return QStringLiteral("WBGT выше предела на %1 °C").arg(NumberText(-margin));
}

QString CategoryText(WorkCategory c) {
    const ThsNormRow& row = ThsNormOf(c);
    return QStringLiteral("%1 (%2)").arg(Utf8(row.name), Utf8(row.expenditure));
}

QString WorkLevelText(double watts) {
    for (const WorkLevel& level : WbgtWorkLevels()) {
        if (level.watts == watts) {
            return QStringLiteral("%1, %2 Вт").arg(Utf8(level.name), NumberText(watts));
        }
    }
    return QStringLiteral("M = %1 Вт").arg(NumberText(watts));
}

QString SpanText(qint64 seconds) {
    const qint64 h = seconds / 3600;
    const qint64 m = seconds / 60 % 60;
    const qint64 s = seconds % 60;
    if (h > 0) {
        return QStringLiteral("%1 ч %2 мин %3 с")
            .arg(h)
            .arg(m, 2, 10, QLatin1Char('0'))
            .arg(s, 2, 10, QLatin1Char('0'));
    }
    if (m > 0) return QStringLiteral("%1 мин %2 с").arg(m).arg(s, 2, 10, QLatin1Char('0'));
    return QStringLiteral("%1 с").arg(s);
}

QString WallTimeText(qint64 seconds) {
    return QDateTime::fromSecsSinceEpoch(seconds, Qt::UTC)
        .toString(QStringLiteral("dd.MM.yyyy HH:mm:ss"));
}

std::vector<AssessLine> AssessLines(const Assessment& a, const AssessInputs& inputs,
                                    const QString& sourceName, const QString& spanName) {
    const ThsNormRow& norm = ThsNormOf(inputs.category);
    const bool any = a.count > 0;
    const auto figure = [any](double v) { return any ? Degrees(v) : QString(); };
    const auto share = [any](double v) {
        return any ? NumberText(std::round(v * 1000) / 10) : QString();
    };
    std::vector<AssessLine> lines = {
        {QStringLiteral("Источник данных"), sourceName},
        {QStringLiteral("Период"), spanName},
        {QStringLiteral("Период года"), SeasonText(inputs.season)},
        {QStringLiteral("Категория работ"), CategoryText(inputs.category)},
        {QStringLiteral("Уровень работ для WBGT"), WorkLevelText(inputs.metabolicWatts)},
        {QStringLiteral("Акклиматизация"),
         inputs.acclimatised ? QStringLiteral("есть") : QStringLiteral("нет")},
        {QStringLiteral("Число измерений"), QString::number(a.count)},
        {QStringLiteral("Не учтено недостоверных записей"), QString::number(a.leftOut)},
        {QStringLiteral("Первое измерение"), any ? WallTimeText(a.firstSeconds) : QString()},
        {QStringLiteral("Продолжительность"), any ? SpanText(a.spanSeconds) : QString()},
    };
    // Each measured quantity: its figures, then (for a factor) its norms and its class.
    const struct {
        const char* name;
        const char* unit;
        const QuantityFigures& q;
        bool feminine;
    } quantities[] = {
        {"Температура воздуха", "°C", a.air, true},
        {"Относительная влажность", "%", a.rh, true},
        {"ТНС-индекс", "°C", a.ths, false},
        {"WBGT", "°C", a.wbgt, false},
    };
    const QString norms[] = {AirNormText(inputs), RhNormText(a, inputs),
                             QStringLiteral("допустимо %1").arg(Range(norm.permissibleLow / 10.0,
                                                                      norm.permissibleHigh / 10.0)),
                             QStringLiteral("предел %1").arg(Degrees(a.wbgtLimit))};
    const Factor factors[] = {Factor::AirTemperature, Factor::Humidity, Factor::Ths};
    for (int i = 0; i < 4; ++i) {
        const QString name = Utf8(quantities[i].name);
        const QString unit = Utf8(quantities[i].unit);
        const QuantityFigures& q = quantities[i].q;
        // The figures' adjectives agree with the quantity's gender.
        const int g = quantities[i].feminine ? 0 : 1;
        static const char* const kAdjectives[4][2] = {{"средняя", "средний"},
                                                      {"минимальная", "минимальный"},
                                                      {"максимальная", "максимальный"},
                                                      {"средневзвешенная", "средневзвешенный"}};
        const double values[4] = {q.mean, q.min, q.max, q.weightedMean};
        for (int k = 0; k < 4; ++k) {
            QString label = QStringLiteral("%1 %2").arg(name, Utf8(kAdjectives[k][g]));
            if (k == 3) label += QStringLiteral(" по времени");
            lines.push_back({label + QStringLiteral(", ") + unit, figure(values[k])});
        }
        lines.push_back({QStringLiteral("%1: доля измерений выше допустимого, %").arg(name),
                         share(q.shareAbove)});
        lines.push_back({QStringLiteral("%1: норма, %2").arg(name, unit), norms[i]});
        if (i < 3) {
            lines.push_back(
                {QStringLiteral("%1: класс").arg(name), FactorClassText(a, factors[i])});
        }
    }
    const FactorResult& speed = a.Of(Factor::AirSpeed);
    lines.push_back({QStringLiteral("Скорость движения воздуха (анемометр), м/с"),
                     speed.state == FactorState::NotMeasured ? QStringLiteral("не измерена")
                                                             : Degrees(speed.value)});
    lines.push_back({QStringLiteral("Скорость движения воздуха: норма, м/с"), SpeedNormText(inputs)});
    lines.push_back({QStringLiteral("Скорость движения воздуха: класс"),
                     FactorClassText(a, Factor::AirSpeed)});
    const std::vector<AssessLine> tail = {
        {QStringLiteral("Облучённость максимальная, Вт/м²"),
         any ? NumberText(RoundToTenth(a.maxW)) : QString()},
        {Utf8(kClassLineLabel), VerdictText(a)},
        {QStringLiteral("Класс определил показатель"),
         a.conditionsClass ? FactorName(a.decidingFactor) : QString()},
        {QStringLiteral("Запас до предела WBGT, °C"), figure(a.wbgtMargin)},
        {QStringLiteral("Вывод по WBGT"), WbgtVerdictText(a)},
        {QStringLiteral("Нормы: температура, влажность, скорость воздуха"), Utf8(AirNormSource())},
        {QStringLiteral("Нормы: охлаждающий микроклимат"), Utf8(CoolingClassSource())},
        {QStringLiteral("Нормы: допустимый ТНС-индекс"), Utf8(ThsPermissibleSource())},
        {QStringLiteral("Нормы: классы по ТНС-индексу"), Utf8(ThsClassSource())},
        {QStringLiteral("Нормы: предел WBGT"), Utf8(WbgtSource())},
    };
    lines.insert(lines.end(), tail.begin(), tail.end());
    return lines;
}

}  // namespace lmr
