#pragma once

#include <QLocale>
#include <QString>
#include <optional>
#include <vector>

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

// The share of the body irradiated, in the order of kIrradianceByShare.
inline constexpr const char* kIrradiatedShareNames[kIrradiatedShareCount] = {
    "50 % и более (до 35 Вт/м²)", "25–50 % (до 70 Вт/м²)", "не более 25 % (до 100 Вт/м²)",
    "открытый источник (до 140 Вт/м²)"};
inline constexpr const char* kIrradiatedShareLabel = "Облучаемая поверхность тела:";

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
// How the protocol, the window and the sheet say what the uncertainty is and how it is used.
inline constexpr const char* kDecisionRule =
    "Правило принятия решения: соответствие нормам и класс условий труда определены по "
    "измеренному значению (среднему); расширенная неопределённость U (k = 2, около 95 %) указана "
    "для сведения. Результат, интервал которого «значение ± U» пересекает границу нормы или "
    "класса, отмечен знаком «*»: его соответствие не может быть подтверждено или опровергнуто "
    "с вероятностью 95 %.";
inline constexpr const char* kUncertaintyNotGiven =
    "Неопределённость измерений не указана: пределы допускаемой погрешности средства измерений "
    "не введены.";
inline constexpr const char* kNearLimitMark = "*";
// "23,4 ± 0,3" (with "*" where the interval reaches across a limit), or the figure alone when
// the uncertainty was not given; decimals as the quantity is shown.
[[nodiscard]] QString FigureWithUncertainty(double value, std::optional<double> expanded,
                                            bool nearLimit, int decimals, const QLocale& locale);
// A factor's figure so, as judged.
[[nodiscard]] QString FactorFigureText(const FactorResult& r, const QLocale& locale);
// "± 0,3", or "не указана".
[[nodiscard]] QString UncertaintyText(std::optional<double> expanded, int decimals,
                                      const QLocale& locale);
// A factor against СанПиН 1.2.3685-21: "оптимальное", "допустимое", "не соответствует: …", or
// why it is not judged.
[[nodiscard]] QString ComplianceText(const Assessment& a, Factor f,
                                     const QLocale& locale = QLocale::system());
// "Класс определил показатель: температура воздуха"; empty without a class.
[[nodiscard]] QString DecidingFactorText(const Assessment& a);
// "Температура воздуха".
[[nodiscard]] QString FactorName(Factor f);
// A factor's class by the methodology, or why it gives none.
[[nodiscard]] QString FactorClassText(const Assessment& a, Factor f,
                                      const QLocale& locale = QLocale::system());
// Why the ТНС-индекс does not apply above 1200 W/m², and what classes the heat then.
[[nodiscard]] QString IrradianceRuleText(const Assessment& a, const QLocale& locale = QLocale::system());
// "холодный", "тёплый".
[[nodiscard]] QString SeasonText(Season s);
// "WBGT в пределах нормы: запас 1,2 °C" or "WBGT выше предела на 0,4 °C" (with "*" where its
// uncertainty reaches across the limit).
[[nodiscard]] QString WbgtVerdictText(const Assessment& a, const QLocale& locale = QLocale::system());
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
    // The number value shows, where it is one number alone: the sheet's cell holds it.
    std::optional<double> number = std::nullopt;
};

// Inputs, figures, the class and the WBGT verdict, the assumption and the norms used.
[[nodiscard]] std::vector<AssessLine> AssessLines(const Assessment& a, const AssessInputs& inputs,
                                                  const QString& sourceName,
                                                  const QString& spanName);

// One set of readings judged: the assessment with the inputs it was made with, the name of
// its source and of its time span.
struct JudgedAssessment {
    Assessment assessment;
    AssessInputs inputs;
    QString sourceName;
    QString spanName;
};
[[nodiscard]] std::vector<AssessLine> AssessLines(const JudgedAssessment& j);

// "Дата измерений: 07.04.2009" from the first reading; empty without readings.
[[nodiscard]] QString MeasurementDateText(const Assessment& a);

}  // namespace lmr
