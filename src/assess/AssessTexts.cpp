#include "assess/AssessTexts.h"

#include <QDateTime>
#include <cmath>

#include "measure/NumberText.h"

namespace lmr {

namespace {

constexpr const char* kClassNames[kConditionsClassCount] = {"2 (допустимый)", "3.1 (вредный)",
                                                            "3.2 (вредный)",  "3.3 (вредный)",
                                                            "3.4 (вредный)",  "4 (опасный)"};

QString Utf8(const char* text) {
    return QString::fromUtf8(text);
}

QString Degrees(double value) {
    return TenthText(value);
}

}  // namespace

QString ClassText(ConditionsClass c) {
    return Utf8(kClassNames[static_cast<int>(c)]);
}

QString VerdictText(const Assessment& a) {
    switch (a.verdict) {
        case ThsVerdict::Class:
            return ClassText(a.conditionsClass);
        case ThsVerdict::NoData:
            return QStringLiteral("Нет измерений для оценки");
        case ThsVerdict::BelowRange:
            return QStringLiteral(
                "Не определяется: ТНС-индекс ниже допустимого диапазона, нагревающего "
                "микроклимата нет");
        case ThsVerdict::IrradianceTooHigh:
            return QStringLiteral(
                       "Не определяется: облучённость %1 Вт/м² выше 1200 Вт/м², "
                       "ТНС-индекс не применяется")
                .arg(NumberText(RoundToTenth(a.maxW)));
    }
    return {};
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
    std::vector<AssessLine> lines = {
        {QStringLiteral("Источник данных"), sourceName},
        {QStringLiteral("Период"), spanName},
        {QStringLiteral("Категория работ"), CategoryText(inputs.category)},
        {QStringLiteral("Допустимый ТНС-индекс, °C"),
         QStringLiteral("%1–%2").arg(NumberText(norm.permissibleLow / 10.0),
                                     NumberText(norm.permissibleHigh / 10.0))},
        {QStringLiteral("Уровень работ для WBGT"), WorkLevelText(inputs.metabolicWatts)},
        {QStringLiteral("Акклиматизация"),
         inputs.acclimatised ? QStringLiteral("есть") : QStringLiteral("нет")},
        {QStringLiteral("Число измерений"), QString::number(a.count)},
        {QStringLiteral("Не учтено недостоверных записей"), QString::number(a.leftOut)},
        {QStringLiteral("Первое измерение"), any ? WallTimeText(a.firstSeconds) : QString()},
        {QStringLiteral("Продолжительность"), any ? SpanText(a.spanSeconds) : QString()},
        {QStringLiteral("ТНС-индекс средний, °C"), figure(a.ths.mean)},
        {QStringLiteral("ТНС-индекс минимальный, °C"), figure(a.ths.min)},
        {QStringLiteral("ТНС-индекс максимальный, °C"), figure(a.ths.max)},
        {QStringLiteral("ТНС-индекс средневзвешенный по времени, °C"), figure(a.ths.weightedMean)},
        {QStringLiteral("WBGT средний, °C"), figure(a.wbgt.mean)},
        {QStringLiteral("WBGT минимальный, °C"), figure(a.wbgt.min)},
        {QStringLiteral("WBGT максимальный, °C"), figure(a.wbgt.max)},
        {QStringLiteral("WBGT средневзвешенный по времени, °C"), figure(a.wbgt.weightedMean)},
        {QStringLiteral("Доля измерений выше допустимого ТНС-индекса, %"),
         any ? NumberText(std::round(a.shareAbove * 1000) / 10) : QString()},
        {QStringLiteral("Облучённость максимальная, Вт/м²"),
         any ? NumberText(RoundToTenth(a.maxW)) : QString()},
        {QStringLiteral("Класс условий труда по ТНС-индексу"), VerdictText(a)},
        {QStringLiteral("Предел WBGT, °C"), Degrees(a.wbgtLimit)},
        {QStringLiteral("Запас до предела WBGT, °C"), figure(a.wbgtMargin)},
        {QStringLiteral("Вывод по WBGT"), WbgtVerdictText(a)},
        {QStringLiteral("Допущение"), Utf8(kAirSpeedAssumption)},
        {QStringLiteral("Нормы: допустимый ТНС-индекс"), Utf8(ThsPermissibleSource())},
        {QStringLiteral("Нормы: классы по ТНС-индексу"), Utf8(ThsClassSource())},
        {QStringLiteral("Нормы: предел WBGT"), Utf8(WbgtSource())},
    };
    return lines;
}

}  // namespace lmr
