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
                                                    "Скорость движения воздуха", "ТНС-индекс",
                                                    "Интенсивность теплового облучения"};

QString Utf8(const char* text) {
    return QString::fromUtf8(text);
}

QString Degrees(double value) {
    return TenthText(value);
}

QString Range(double low, double high) {
    return QStringLiteral("%1–%2").arg(TenthText(low), TenthText(high));
}

QString Fixed(double value, int decimals, const QLocale& locale) {
    QString text = QString::number(value == 0 ? 0.0 : value, 'f', decimals);
    if (text.startsWith(QLatin1Char('-')) && text.count(QLatin1Char('0')) == text.size() - 2) {
        text.remove(0, 1);  // -0,0 reads as 0,0
    }
    return text.replace(QLatin1Char('.'), locale.decimalPoint());
}

// The number Fixed writes, as a reader of that text takes it.
double FixedNumber(double value, int decimals) {
    const double n = QByteArray::number(value == 0 ? 0.0 : value, 'f', decimals).toDouble();
    return n == 0 ? 0.0 : n;  // -0,0 reads as 0,0
}

// A line whose value is one number as NumberText writes it.
AssessLine NumberLine(const QString& label, double value) {
    return {label, NumberText(value), value};
}

int DecimalsOf(Factor f) {
    return f == Factor::AirSpeed ? 2 : 1;
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

QString SpeedNormText(const Assessment& a, const AssessInputs& in) {
    const AirSpeedRange r =
        PermissibleAirSpeed(in.season, in.category, a.Of(Factor::AirTemperature).value);
    const QString permissible =
        r.low > 0 ? Range(r.low, r.high) : QStringLiteral("до %1").arg(NumberText(r.high));
    return QStringLiteral("оптимально до %1; допустимо %2; вредно от %3")
        .arg(NumberText(OptimalAirSpeed(in.category)), permissible, NumberText(kHarmfulAirSpeed));
}

}  // namespace

QString ClassText(ConditionsClass c) {
    return Utf8(kClassNames[static_cast<int>(c)]);
}

QString VerdictText(const Assessment& a) {
    if (a.count == 0) return QStringLiteral("Нет измерений для оценки");
    if (a.conditionsClass) return ClassText(*a.conditionsClass);
    return QStringLiteral("Не определяется");
}

QString DecidingFactorText(const Assessment& a) {
    if (!a.conditionsClass) return {};
    return QStringLiteral("Класс определил показатель: %1")
        .arg(FactorName(a.decidingFactor));
}

QString FactorName(Factor f) {
    return Utf8(kFactorNames[static_cast<int>(f)]);
}

QString IrradianceRuleText(const Assessment& a, const QLocale& locale) {
    return QStringLiteral("облучённость %1 Вт/м² выше %2 Вт/м²: ТНС-индекс не применяется, "
                          "нагревающий микроклимат классифицирован по облучённости")
        .arg(Fixed(a.maxW, 1, locale), NumberText(kThsIrradianceLimit, locale));
}

QString FigureWithUncertainty(double value, std::optional<double> expanded, bool nearLimit,
                              int decimals, const QLocale& locale) {
    QString text = Fixed(value, decimals, locale);
    if (expanded) text += QStringLiteral(" ± %1").arg(Fixed(*expanded, decimals, locale));
    if (nearLimit) text += QString::fromUtf8(kNearLimitMark);
    return text;
}

QString FactorFigureText(const FactorResult& r, const QLocale& locale) {
    return FigureWithUncertainty(r.value, r.expanded, r.nearLimit, DecimalsOf(r.factor), locale);
}

QString UncertaintyText(std::optional<double> expanded, int decimals, const QLocale& locale) {
    if (!expanded) return QStringLiteral("не указана");
    return QStringLiteral("± %1").arg(Fixed(*expanded, decimals, locale));
}

QString ComplianceText(const Assessment& a, Factor f, const QLocale& locale) {
    if (a.count == 0) return {};
    const FactorResult& r = a.Of(f);
    switch (r.compliance) {
        case Compliance::Optimal:
            return QStringLiteral("оптимальное");
        case Compliance::Permissible:
            return QStringLiteral("допустимое");
        case Compliance::NotCompliant:
            break;
        case Compliance::NotJudged:
            if (r.state == FactorState::NotMeasured) return QStringLiteral("не измерена");
            if (r.state == FactorState::BelowRange) {
                return QStringLiteral("не оценивается: ниже допустимого диапазона");
            }
            if (r.state == FactorState::IrradianceTooHigh) {
                return QStringLiteral("не оценивается: облучённость выше %1 Вт/м²")
                    .arg(NumberText(kThsIrradianceLimit, locale));
            }
            return QStringLiteral("не оценивается: нагревающего микроклимата нет");
    }
    const QString no = QStringLiteral("не соответствует: ");
    switch (r.state) {
        case FactorState::BelowRange:
            if (f == Factor::AirSpeed) {
                return no + QStringLiteral("ниже диапазона тёплого периода при 26–28 °C");
            }
            return no + QStringLiteral("ниже допустимой");
        case FactorState::AboveRange:
            if (f == Factor::Humidity) return no + QStringLiteral("выше допустимой (влажный воздух)");
            return no + QStringLiteral("выше допустимой");
        default:
            return no + (f == Factor::Ths ? QStringLiteral("выше допустимого")
                                          : QStringLiteral("выше допустимой"));
    }
}

QString FactorClassText(const Assessment& a, Factor f, const QLocale& locale) {
    if (a.count == 0) return {};
    const FactorResult& r = a.Of(f);
    const QString c = r.conditionsClass ? ClassText(*r.conditionsClass) : QString();
    switch (r.state) {
        case FactorState::Optimal:
        case FactorState::Permissible:
        case FactorState::Heating:
            return c;
        case FactorState::BelowRange:
            if (f == Factor::AirTemperature) return c + QStringLiteral(": охлаждающий микроклимат");
            if (f == Factor::Humidity) return c + QStringLiteral(": воздух слишком сухой");
            if (f == Factor::AirSpeed) return c;
            return QStringLiteral("не определяется: ТНС-индекс ниже допустимого диапазона, "
                                  "методика класса по нему не даёт");
        case FactorState::AboveRange:
            if (f == Factor::AirSpeed) {
                return c + QStringLiteral(": %1 м/с и более").arg(Fixed(kHarmfulAirSpeed, 1, locale));
            }
            return f == Factor::AirTemperature
                       ? QStringLiteral("выше допустимой: нагревающий микроклимат, класс по "
                                        "ТНС-индексу")
                       : QStringLiteral("выше допустимой: учитывается ТНС-индексом");
        case FactorState::Unclassed:
            return QStringLiteral("методикой не установлен: скорость выше допустимой, но менее "
                                  "%1 м/с")
                .arg(Fixed(kHarmfulAirSpeed, 1, locale));
        case FactorState::NotMeasured:
            return Utf8(kAirSpeedAssumption);
        case FactorState::NotHeating:
            return QStringLiteral("не определяется: нагревающего микроклимата нет");
        case FactorState::IrradianceTooHigh:
            return QStringLiteral("не определяется: ") + IrradianceRuleText(a, locale);
    }
    return {};
}

QString SeasonText(Season s) {
    return s == Season::Warm ? QStringLiteral("тёплый") : QStringLiteral("холодный");
}

QString WbgtVerdictText(const Assessment& a, const QLocale& locale) {
    if (a.count == 0) return {};
    const double margin = RoundToTenth(a.wbgtMargin);
    const QString mark = a.wbgtNearLimit ? Utf8(kNearLimitMark) : QString();
    if (margin >= 0) {
        return QStringLiteral("WBGT в пределах нормы: запас %1 °C%2")
            .arg(NumberText(margin, locale), mark);
    }
    return QStringLiteral("WBGT выше предела на %1 °C%2").arg(NumberText(-margin, locale), mark);
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
    // A figure rounded as shown, or nothing without readings.
    const auto figure = [any](const QString& label, double v) {
        return any ? NumberLine(label, RoundToTenth(v)) : AssessLine{label, {}, {}};
    };
    const auto share = [any](const QString& label, double v) {
        return any ? NumberLine(label, std::round(v * 1000) / 10) : AssessLine{label, {}, {}};
    };
    std::vector<AssessLine> lines = {
        {QStringLiteral("Источник данных"), sourceName},
        {QStringLiteral("Период"), spanName},
        {QStringLiteral("Период года"), SeasonText(inputs.season)},
        {QStringLiteral("Категория работ"), CategoryText(inputs.category)},
        {QStringLiteral("Уровень работ для WBGT"), WorkLevelText(inputs.metabolicWatts)},
        {QStringLiteral("Акклиматизация"),
         inputs.acclimatised ? QStringLiteral("есть") : QStringLiteral("нет")},
        NumberLine(QStringLiteral("Число измерений"), a.count),
        NumberLine(QStringLiteral("Не учтено недостоверных записей"), a.leftOut),
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
            lines.push_back(figure(label + QStringLiteral(", ") + unit, values[k]));
        }
        lines.push_back(
            share(QStringLiteral("%1: доля измерений выше допустимого, %").arg(name), q.shareAbove));
        lines.push_back({QStringLiteral("%1: норма, %2").arg(name, unit), norms[i]});
        const QLocale locale = QLocale::system();
        if (i < 3) {
            const FactorResult& r = a.Of(factors[i]);
            lines.push_back({QStringLiteral("%1: неопределённость U (k = 2), %2").arg(name, unit),
                             any ? UncertaintyText(r.expanded, 1, locale) : QString()});
            lines.push_back({QStringLiteral("%1: соответствие СанПиН 1.2.3685-21").arg(name),
                             ComplianceText(a, factors[i])});
            lines.push_back(
                {QStringLiteral("%1: класс").arg(name), FactorClassText(a, factors[i])});
        } else {
            lines.push_back({QStringLiteral("%1: неопределённость U (k = 2), %2").arg(name, unit),
                             any ? UncertaintyText(a.wbgtExpanded, 1, locale) : QString()});
        }
    }
    const QLocale locale = QLocale::system();
    const FactorResult& speed = a.Of(Factor::AirSpeed);
    const bool speedMeasured = speed.state != FactorState::NotMeasured;
    AssessLine speedLine{QStringLiteral("Скорость движения воздуха (анемометр), м/с"),
                         QStringLiteral("не измерена"),
                         {}};
    if (speedMeasured) {
        speedLine.value = FactorFigureText(speed, locale);
        // A figure alone, without its uncertainty or a mark, is a number on the sheet.
        if (!speed.expanded && !speed.nearLimit) {
            speedLine.number = FixedNumber(speed.value, DecimalsOf(Factor::AirSpeed));
        }
    }
    lines.push_back(speedLine);
    lines.push_back(
        {QStringLiteral("Скорость движения воздуха: норма, м/с"), SpeedNormText(a, inputs)});
    lines.push_back({QStringLiteral("Скорость движения воздуха: соответствие СанПиН 1.2.3685-21"),
                     ComplianceText(a, Factor::AirSpeed)});
    lines.push_back({QStringLiteral("Скорость движения воздуха: класс"),
                     FactorClassText(a, Factor::AirSpeed)});
    const std::vector<AssessLine> tail = {
        any ? NumberLine(QStringLiteral("Облучённость максимальная, Вт/м²"), RoundToTenth(a.maxW))
            : AssessLine{QStringLiteral("Облучённость максимальная, Вт/м²"), {}, {}},
        NumberLine(QStringLiteral("Облучённость: допустимо не более, Вт/м²"),
                   inputs.permissibleIrradiance),
        {QStringLiteral("Облучённость: соответствие СанПиН 1.2.3685-21"),
         ComplianceText(a, Factor::Irradiance)},
        {QStringLiteral("Облучённость: класс"), FactorClassText(a, Factor::Irradiance)},
        {Utf8(kClassLineLabel), VerdictText(a)},
        {QStringLiteral("Класс определил показатель"),
         a.conditionsClass ? FactorName(a.decidingFactor) : QString()},
        figure(QStringLiteral("Запас до предела WBGT, °C"), a.wbgtMargin),
        {QStringLiteral("Вывод по WBGT"), WbgtVerdictText(a)},
        {QStringLiteral("Неопределённость"),
         a.Of(Factor::AirTemperature).expanded ? Utf8(kDecisionRule) : Utf8(kUncertaintyNotGiven)},
        {QStringLiteral("Нормы: температура, влажность, скорость воздуха"), Utf8(AirNormSource())},
        {QStringLiteral("Нормы: допустимый ТНС-индекс"), Utf8(ThsPermissibleSource())},
        {QStringLiteral("Нормы: допустимая облучённость"), Utf8(IrradianceSource())},
        {QStringLiteral("Нормы: охлаждающий микроклимат"), Utf8(CoolingClassSource())},
        {QStringLiteral("Нормы: классы условий труда"), Utf8(ThsClassSource())},
        {QStringLiteral("Нормы: предел WBGT"), Utf8(WbgtSource())},
    };
    lines.insert(lines.end(), tail.begin(), tail.end());
    return lines;
}

std::vector<AssessLine> AssessLines(const JudgedAssessment& j) {
    return AssessLines(j.assessment, j.inputs, j.sourceName, j.spanName);
}

QString MeasurementDateText(const Assessment& a) {
    if (a.count == 0) return {};
    return QStringLiteral("Дата измерений: %1")
        .arg(QDateTime::fromSecsSinceEpoch(a.firstSeconds, Qt::UTC)
                 .toString(QStringLiteral("dd.MM.yyyy")));
}

}  // namespace lmr
