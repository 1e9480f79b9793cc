#include "protocol/ProtocolContent.h"

#include <QStringList>

#include "assess/AssessTexts.h"
#include "measure/NumberText.h"
#include "protocol/ProtocolCharts.h"
#include "protocol/ProtocolChecks.h"
#include "protocol/ProtocolResults.h"
#include "protocol/ProtocolText.h"
#include "survey/SurveyAssessment.h"

namespace lmr {

namespace {

using namespace protocol_text;

QString WorkplaceTitle(int number, const SurveyWorkplace& w) {
    return QStringLiteral("Рабочее место %1 %2").arg(number).arg(Quoted(w.name));
}

QString PostureText(Posture p) {
    return p == Posture::Sitting ? QStringLiteral("сидя") : QStringLiteral("стоя");
}

QString ClassOrWhyNot(const std::optional<ConditionsClass>& c, bool measured) {
    if (c) return ClassText(*c);
    return measured ? QStringLiteral("не определяется") : QStringLiteral("нет измерений");
}

bool Measured(const WorkplaceVerdict& v) {
    for (const PointVerdict& p : v.points) {
        for (const HeightVerdict& h : p.heights) {
            if (h.assessment.count > 0) return true;
        }
    }
    return false;
}

QString DecidedBy(const SurveyWorkplace& w, const WorkplaceVerdict& v) {
    if (v.decidingPoint < 0) return {};
    const auto pi = std::size_t(v.decidingPoint);
    const PointVerdict& p = v.points[pi];
    return QStringLiteral("%1, точка %2, %3")
        .arg(FactorName(v.decidingFactor), PointName(v.decidingPoint + 1, w.points[pi]),
             HeightText(p.heights[std::size_t(p.decidingHeight)].metres));
}

// Each measurement's first and last reading, the date written where it changes.
QString TimesText(const SurveyHeight& h) {
    QStringList spans;
    QDate shown;
    const auto moment = [&shown](const QDateTime& t) {
        QString text = t.time().toString(QStringLiteral("HH:mm"));
        if (t.date() != shown) text = QStringLiteral("%1 %2").arg(DateText(t.date()), text);
        shown = t.date();
        return text;
    };
    for (const SurveyMeasurement& m : h.measurements) {
        QDateTime first;
        QDateTime last;
        for (const Reading& r : m.readings) {
            if (!r.when.isValid()) continue;
            if (!first.isValid() || r.when < first) first = r.when;
            if (!last.isValid() || r.when > last) last = r.when;
        }
        if (!first.isValid()) continue;
        const QString start = moment(first);
        spans << QStringLiteral("%1–%2").arg(start, moment(last));
    }
    return spans.join(QStringLiteral("; "));
}

// Readings outside the verification or the survey's days, named by their place.
void AddReadingsOutside(const Survey& s, ProtocolContent& c) {
    for (std::size_t wi = 0; wi < s.workplaces.size(); ++wi) {
        const SurveyWorkplace& w = s.workplaces[wi];
        for (std::size_t pi = 0; pi < w.points.size(); ++pi) {
            const SurveyPoint& p = w.points[pi];
            for (const SurveyHeight& h : p.heights) {
                for (const SurveyMeasurement& m : h.measurements) {
                    const QString text = ReadingsOutsideText(
                        CheckReadings(m, s.header, s.instrument), s.header, s.instrument);
                    if (text.isEmpty()) continue;
                    c.warnings.push_back(QStringLiteral("Внимание: %1, точка %2, %3: %4.")
                                             .arg(WorkplaceTitle(int(wi) + 1, w),
                                                  PointName(int(pi) + 1, p), HeightText(h.metres),
                                                  text));
                }
            }
        }
    }
}

QString KindText(SurveyKind kind) {
    return kind == SurveyKind::SpecialAssessment
               ? QStringLiteral("специальная оценка условий труда")
               : QStringLiteral("производственный контроль");
}

// "tв ± 0,2 °C; RH ± 3 %; …", or that none was given.
QString LimitsText(const InstrumentLimits& l) {
    const auto n = [](double v) { return NumberText(v, Russian()); };
    QStringList parts;
    if (l.air) parts << QStringLiteral("tв ± %1 °C").arg(n(*l.air));
    if (l.rh) parts << QStringLiteral("RH ± %1 %").arg(n(*l.rh));
    if (l.globe) parts << QStringLiteral("tсф ± %1 °C").arg(n(*l.globe));
    if (l.airSpeed || l.airSpeedPercent) {
        QStringList speed;
        if (l.airSpeed) speed << QStringLiteral("%1 м/с").arg(n(*l.airSpeed));
        if (l.airSpeedPercent) speed << QStringLiteral("%1 %").arg(n(*l.airSpeedPercent));
        parts << QStringLiteral("скорость воздуха ± (%1)").arg(speed.join(QStringLiteral(" + ")));
    }
    return parts.isEmpty() ? QStringLiteral("не указаны") : parts.join(QStringLiteral("; "));
}

void AddLaboratory(const SurveyLaboratory& l, ProtocolContent& c) {
    if (!l.name.isEmpty()) c.laboratory.push_back(l.name);
    if (!l.address.isEmpty()) c.laboratory.push_back(l.address);
    if (!l.accreditation.isEmpty()) {
        c.laboratory.push_back(QStringLiteral("Аттестат аккредитации № %1").arg(l.accreditation));
    }
}

void AddHeader(const Survey& s, ProtocolContent& c) {
    const SurveyHeader& h = s.header;
    // The survey's own days: readings of other days are flagged, not taken as its dates.
    const QDate first = h.firstDate;
    const QDate last = h.lastDate;
    c.header = {
        {QStringLiteral("Организация"), h.organisation},
        {QStringLiteral("Адрес"), h.address},
        {QStringLiteral("Заказчик"), h.customer},
        {QStringLiteral("Цель измерений"), h.purpose},
        {QStringLiteral("Метод измерений"), h.method},
        {QStringLiteral("Вид работ"), KindText(h.kind)},
        {QStringLiteral("Дата измерений"), DatesText(first, last)},
        {QStringLiteral("Дата составления протокола"), DateText(h.protocolDate)},
    };
    const SurveyInstrument& i = s.instrument;
    QString model = i.model;
    if (!i.head.isEmpty()) model += QStringLiteral(", головка %1").arg(i.head);
    QString name = i.typeName;
    if (!model.isEmpty()) name += name.isEmpty() ? model : QStringLiteral(" (%1)").arg(model);
    QString certificate = i.certificateNumber;
    if (i.certificateDate.isValid()) {
        certificate += QStringLiteral(" от %1").arg(DateText(i.certificateDate));
    }
    if (i.validUntil.isValid()) {
        certificate += QStringLiteral(", действительно до %1").arg(DateText(i.validUntil));
    }
    c.instrument = {
        {QStringLiteral("Наименование, тип"), name},
        {QStringLiteral("Номер в госреестре СИ"), i.registerNumber},
        {QStringLiteral("Заводской номер"), i.serialNumber},
        {QStringLiteral("Диапазоны измерений"), i.ranges},
        {QStringLiteral("Пределы допускаемой погрешности"), LimitsText(LimitsOf(i))},
        {QStringLiteral("Свидетельство о поверке"), certificate.trimmed()},
    };
    // Measurements taken with a lapsed verification cannot be handed in as they are.
    const QDate measured = last.isValid() ? last : first;
    if (i.validUntil.isValid() && measured.isValid() && i.validUntil < measured) {
        c.warnings.push_back(
            QStringLiteral("Внимание: срок действия поверки прибора (до %1) истёк до даты "
                           "измерений %2.")
                .arg(DateText(i.validUntil), DateText(measured)));
    }
    c.conditions = {
        {QStringLiteral("Период года"), SeasonText(h.season)},
        {QStringLiteral("Температура наружного воздуха, °C"),
         h.outdoorTemperature ? Figure(*h.outdoorTemperature) : QString()},
    };
}

// Where a workplace breaks СанПиН 1.2.3685-21: "скорость движения воздуха (точка «…», высота
// 1,0 м)", one per factor and height; and the results marked for their uncertainty.
struct WorkplaceFindings {
    QStringList breaches;
    QStringList nearLimits;
};

// A factor's name inside a sentence: "температура воздуха", but "ТНС-индекс" and "WBGT" as
// they are.
QString InSentence(QString name) {
    if (name.size() > 1 && name.at(1).isLower()) name[0] = name.at(0).toLower();
    return name;
}

WorkplaceFindings FindingsOf(const SurveyWorkplace& w, const WorkplaceVerdict& v) {
    WorkplaceFindings found;
    for (std::size_t pi = 0; pi < v.points.size(); ++pi) {
        for (const HeightVerdict& h : v.points[pi].heights) {
            const Assessment& a = h.assessment;
            if (a.count == 0) continue;
            const QString where = QStringLiteral("точка %1, %2")
                                      .arg(PointName(int(pi) + 1, w.points[pi]),
                                           HeightText(h.metres));
            for (const FactorResult& f : a.factors) {
                const QString name = InSentence(FactorName(f.factor));
                if (f.compliance == Compliance::NotCompliant) {
                    found.breaches << QStringLiteral("%1 (%2)").arg(name, where);
                }
                if (f.nearLimit) found.nearLimits << QStringLiteral("%1 (%2)").arg(name, where);
            }
            if (a.wbgtNearLimit) found.nearLimits << QStringLiteral("WBGT (%1)").arg(where);
        }
    }
    return found;
}

void AddConclusion(const Survey& s, const std::vector<ProtocolWorkplaceClass>& classes,
                   const std::vector<WorkplaceVerdict>& verdicts, ProtocolContent& c) {
    const bool assessment = s.header.kind == SurveyKind::SpecialAssessment;
    int meeting = 0;
    int judged = 0;
    QStringList nearLimits;
    for (std::size_t i = 0; i < classes.size(); ++i) {
        const ProtocolWorkplaceClass& w = classes[i];
        const WorkplaceFindings found = FindingsOf(s.workplaces[i], verdicts[i]);
        nearLimits << found.nearLimits;
        const QString head = QStringLiteral("Рабочее место %1 %2").arg(w.number, Quoted(w.name));
        if (assessment) {
            QString line = QStringLiteral("%1: класс условий труда %2").arg(head, w.conditionsClass);
            if (!w.decidedBy.isEmpty()) line += QStringLiteral(" (определил: %1)").arg(w.decidedBy);
            c.conclusion.push_back(line + QLatin1Char('.'));
            if (verdicts[i].conditionsClass) {
                ++judged;
                if (*verdicts[i].conditionsClass <= ConditionsClass::C2) ++meeting;
            }
            continue;
        }
        if (!Measured(verdicts[i])) {
            c.conclusion.push_back(QStringLiteral("%1: нет измерений.").arg(head));
            continue;
        }
        ++judged;
        if (found.breaches.isEmpty()) {
            ++meeting;
            c.conclusion.push_back(
                QStringLiteral("%1: параметры микроклимата соответствуют СанПиН 1.2.3685-21.")
                    .arg(head));
        } else {
            c.conclusion.push_back(
                QStringLiteral("%1: не соответствуют СанПиН 1.2.3685-21: %2.")
                    .arg(head, found.breaches.join(QStringLiteral("; "))));
        }
    }
    if (assessment) {
        c.conclusion.push_back(
            QStringLiteral("Условия труда по параметрам микроклимата оптимальные или допустимые "
                           "(класс 1 или 2) на %1 из %2 рабочих мест, по которым определён класс "
                           "условий труда.")
                .arg(meeting)
                .arg(judged));
    } else {
        c.conclusion.push_back(
            QStringLiteral("Параметры микроклимата соответствуют СанПиН 1.2.3685-21 на %1 из %2 "
                           "рабочих мест, на которых проведены измерения.")
                .arg(meeting)
                .arg(judged));
    }
    const bool given = !nearLimits.isEmpty() || [&] {
        for (const WorkplaceVerdict& v : verdicts) {
            for (const PointVerdict& p : v.points) {
                for (const HeightVerdict& h : p.heights) {
                    if (h.assessment.count > 0 &&
                        h.assessment.Of(Factor::AirTemperature).expanded) {
                        return true;
                    }
                }
            }
        }
        return false;
    }();
    c.conclusion.push_back(Utf8(given ? kDecisionRule : kUncertaintyNotGiven));
    if (!nearLimits.isEmpty()) {
        c.conclusion.push_back(
            QStringLiteral("С учётом неопределённости у границы нормы или класса (отмечены «*»): "
                           "%1.")
                .arg(nearLimits.join(QStringLiteral("; "))));
    }
}

}  // namespace

const std::vector<QString>& ResultHeads() {
    static const std::vector<QString> heads = {
        QStringLiteral("Показатель"),
        QStringLiteral("Измерено: среднее ± U (мин–макс)"),
        QStringLiteral("Допустимо"),
        QStringLiteral("Норма"),
        QStringLiteral("Соответствие СанПиН 1.2.3685-21"),
        QStringLiteral("Класс условий труда по методике")};
    return heads;
}

const std::vector<QString>& ClassHeads() {
    static const std::vector<QString> heads = {
        QStringLiteral("№"), QStringLiteral("Рабочее место"), QStringLiteral("Категория работ"),
        QStringLiteral("Класс условий труда"), QStringLiteral("Определил")};
    return heads;
}

ProtocolContent BuildProtocol(const Survey& s) {
    ProtocolContent c;
    c.title = QStringLiteral("Протокол измерений параметров микроклимата");
    c.number = QStringLiteral("№ %1").arg(s.header.protocolNumber);
    AddLaboratory(s.laboratory, c);
    AddHeader(s, c);

    std::vector<WorkplaceVerdict> verdicts;
    NormList norms;
    const InstrumentLimits limits = LimitsOf(s.instrument);
    for (std::size_t wi = 0; wi < s.workplaces.size(); ++wi) {
        const SurveyWorkplace& w = s.workplaces[wi];
        const QString workplace = WorkplaceTitle(int(wi) + 1, w);
        const WorkplaceVerdict v = AssessWorkplace(s.header, w, limits);
        for (std::size_t pi = 0; pi < w.points.size(); ++pi) {
            const SurveyPoint& p = w.points[pi];
            const QString point =
                QStringLiteral("%1, точка %2").arg(workplace, PointName(int(pi) + 1, p));
            for (std::size_t hi = 0; hi < p.heights.size(); ++hi) {
                const SurveyHeight& h = p.heights[hi];
                const Assessment& a = v.points[pi].heights[hi].assessment;
                c.results.push_back({QStringLiteral("%1, %2").arg(point, HeightText(h.metres)),
                                     QStringLiteral("%1 %2").arg(wi + 1).arg(Quoted(w.name)),
                                     PointName(int(pi) + 1, p), h.metres, a.count, TimesText(h),
                                     ResultRows(a, SurveyAssessInputs(s.header, w, h, limits),
                                                norms)});
            }
            for (ProtocolChart& chart : ChartsOf(point, p)) c.charts.push_back(std::move(chart));
        }
        c.classes.push_back({QString::number(wi + 1), w.name,
                             QStringLiteral("%1, %2").arg(CategoryText(w.category),
                                                          PostureText(w.posture)),
                             ClassOrWhyNot(v.conditionsClass, Measured(v)), DecidedBy(w, v)});
        verdicts.push_back(v);
    }
    AddConclusion(s, c.classes, verdicts, c);
    c.norms = norms.Lines();
    AddReadingsOutside(s, c);
    c.statements = {
        QStringLiteral("Результаты измерений относятся только к рабочим местам (объектам), на "
                       "которых проведены измерения."),
        QStringLiteral("Протокол не может быть воспроизведён иначе как полностью без "
                       "разрешения лаборатории."),
    };
    c.signatures = {{QStringLiteral("Измерения провёл"), s.header.operators},
                    {QStringLiteral("Протокол составил"), s.laboratory.compiler},
                    {QStringLiteral("Руководитель лаборатории"), s.laboratory.head}};
    return c;
}

}  // namespace lmr
