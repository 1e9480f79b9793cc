#pragma once

#include <QString>

#include "assess/Assessment.h"

namespace lmr {

// The assessment's texts, in one place: the window and the protocol's sheet show the same.
inline constexpr const char* kAssessTitle = "Оценка условий труда";
inline constexpr const char* kAssessSheetName = "Оценка";
inline constexpr const char* kAssessSheetTitle = "ОЦЕНКА УСЛОВИЙ ТРУДА ПО ПОКАЗАТЕЛЯМ МИКРОКЛИМАТА";
inline constexpr const char* kAssessSheetHeaders[2] = {"Показатель", "Значение"};
inline constexpr const char* kClassLineLabel = "Класс условий труда по показателям микроклимата";
inline constexpr const char* kSourceLive = "Текущие показания";
inline constexpr const char* kSourceLogger = "Записи логгера";
inline constexpr const char* kAirSpeedAssumption =
    "Скорость движения воздуха не измерена: принята не более 0,6 м/с, прибор её не измеряет";
inline constexpr const char* kSeasonNote =
    "Предложен по месяцу первого измерения (май–сентябрь — тёплый). Проверьте: тёплый период — "
    "среднесуточная температура наружного воздуха выше +10 °C.";

// The place of measurement the user fills in, in the order the window and the sheet show it.
inline constexpr int kPlaceFieldCount = 7;
inline constexpr const char* kPlaceFieldNames[kPlaceFieldCount] = {"Организация",
                                                                   "Рабочее место",
                                                                   "Точка измерения",
                                                                   "Высота над полом, м",
                                                                   "Заводской номер прибора",
                                                                   "Дата поверки прибора",
                                                                   "Оператор"};

// "3.1 (вредный)".
[[nodiscard]] QString ClassText(ConditionsClass c);
// The microclimate's class, or why there is none.
[[nodiscard]] QString VerdictText(const Assessment& a);
// "Класс определил показатель: температура воздуха"; empty without a class.
[[nodiscard]] QString DecidingFactorText(const Assessment& a);
// "Температура воздуха".
[[nodiscard]] QString FactorName(Factor f);
// A factor's class, or why it gives none.
[[nodiscard]] QString FactorClassText(const Assessment& a, Factor f);
// "холодный", "тёплый".
[[nodiscard]] QString SeasonText(Season s);
// "WBGT в пределах нормы: запас 1,2 °C" or "WBGT выше предела на 0,4 °C".
[[nodiscard]] QString WbgtVerdictText(const Assessment& a);
// "Iа (до 139 Вт)".
[[nodiscard]] QString CategoryText(WorkCategory c);
// "средняя, 300 Вт" for a preset, "M = 250 Вт" for a rate typed.
[[nodiscard]] QString WorkLevelText(double watts);
// "1 ч 05 мин 20 с".
[[nodiscard]] QString SpanText(qint64 seconds);
// A point of the time line as "07.04.2009 14:05:33".
[[nodiscard]] QString WallTimeText(qint64 seconds);

// One labelled figure of the assessment, as the window lists it and the sheet writes it.
struct AssessLine {
    QString label;
    QString value;  // number texts in the user's locale; empty when there is nothing to show
};

// Inputs, figures, the class and the WBGT verdict, the assumption and the norms used.
[[nodiscard]] std::vector<AssessLine> AssessLines(const Assessment& a, const AssessInputs& inputs,
                                                  const QString& sourceName,
                                                  const QString& spanName);

}  // namespace lmr
