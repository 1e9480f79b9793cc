#include "protocol/ProtocolChecks.h"

#include <QLocale>

#include "measure/NumberText.h"

namespace lmr {

namespace {

QString DateText(const QDate& d) {
    return d.toString(QStringLiteral("dd.MM.yyyy"));
}

// "1 показание", "3 показания", "5 показаний".
QString ReadingsCount(int n) {
    const int tens = n % 100;
    const int ones = n % 10;
    const char* word = "показаний";
    if (tens < 11 || tens > 14) {
        if (ones == 1)
            word = "показание";
        else if (ones >= 2 && ones <= 4)
            word = "показания";
    }
    return QStringLiteral("%1 %2").arg(n).arg(QString::fromUtf8(word));
}

QString Taken(int n) {
    return n % 10 == 1 && n % 100 != 11 ? QStringLiteral("снято") : QStringLiteral("сняты");
}

std::pair<QDate, QDate> SurveyDays(const SurveyHeader& h) {
    const QDate first = h.firstDate.isValid() ? h.firstDate : h.lastDate;
    const QDate last = h.lastDate.isValid() ? h.lastDate : h.firstDate;
    return {first, last};
}

QString DaysText(const SurveyHeader& h) {
    const auto [first, last] = SurveyDays(h);
    if (first == last) return DateText(first);
    return QStringLiteral("%1–%2").arg(DateText(first), DateText(last));
}

QString Place(int w, const SurveyWorkplace& wp, int p, const SurveyPoint& pt, double metres) {
    const QString point =
        pt.name.isEmpty() ? QString::number(p) : QStringLiteral("«%1»").arg(pt.name);
    return QStringLiteral("Рабочее место %1 «%2», точка %3, высота %4 м")
        .arg(w)
        .arg(wp.name, point, FixedTenthText(metres, QLocale(QLocale::Russian, QLocale::Russia)));
}

}  // namespace

ReadingsOutside CheckReadings(const SurveyMeasurement& m, const SurveyHeader& h,
                              const SurveyInstrument& i) {
    const auto [first, last] = SurveyDays(h);
    ReadingsOutside o;
    for (const Reading& r : m.readings) {
        if (!r.when.isValid()) continue;  // no moment to judge; the figures leave it out
        const QDate d = r.when.date();
        if (i.certificateDate.isValid() && d < i.certificateDate) ++o.beforeVerification;
        if (i.validUntil.isValid() && d > i.validUntil) ++o.afterValidity;
        if (first.isValid() && (d < first || d > last)) ++o.outsideDays;
    }
    return o;
}

QString ReadingsOutsideText(const ReadingsOutside& o, const SurveyHeader& h,
                            const SurveyInstrument& i) {
    QStringList parts;
    if (o.beforeVerification > 0) {
        parts << QStringLiteral("%1 %2 до поверки прибора (%3)")
                     .arg(ReadingsCount(o.beforeVerification), Taken(o.beforeVerification),
                          DateText(i.certificateDate));
    }
    if (o.afterValidity > 0) {
        parts << QStringLiteral("%1 %2 после окончания срока поверки (%3)")
                     .arg(ReadingsCount(o.afterValidity), Taken(o.afterValidity),
                          DateText(i.validUntil));
    }
    if (o.outsideDays > 0) {
        parts << QStringLiteral("%1 %2 вне дней обследования (%3)")
                     .arg(ReadingsCount(o.outsideDays), Taken(o.outsideDays), DaysText(h));
    }
    return parts.join(QStringLiteral("; "));
}

std::vector<QString> ProtocolCautions(const Survey& s) {
    std::vector<QString> lines;
    for (std::size_t wi = 0; wi < s.workplaces.size(); ++wi) {
        const SurveyWorkplace& w = s.workplaces[wi];
        for (std::size_t pi = 0; pi < w.points.size(); ++pi) {
            const SurveyPoint& p = w.points[pi];
            for (const SurveyHeight& h : p.heights) {
                const QString place = Place(int(wi) + 1, w, int(pi) + 1, p, h.metres);
                bool measured = false;
                for (const SurveyMeasurement& m : h.measurements) {
                    if (!m.readings.empty()) measured = true;
                    const QString text = ReadingsOutsideText(
                        CheckReadings(m, s.header, s.instrument), s.header, s.instrument);
                    if (!text.isEmpty())
                        lines.push_back(QStringLiteral("%1: %2.").arg(place, text));
                }
                if (!measured) lines.push_back(QStringLiteral("%1: не измерялась.").arg(place));
            }
        }
    }
    return lines;
}

}  // namespace lmr
