#include "survey/SurveySettings.h"

#include <QFileInfo>
#include <cmath>

#include "survey/SurveyAssessment.h"

namespace lmr {

namespace {

constexpr int kRecentCount = 8;
constexpr const char* kRecentKey = "survey/recent";

struct TextField {
    const char* key;
    QString SurveyHeader::*header;
    QString SurveyInstrument::*instrument;
    QString SurveyLaboratory::*laboratory = nullptr;
};
const TextField kTextFields[] = {
    {"survey/organisation", &SurveyHeader::organisation, nullptr},
    {"survey/address", &SurveyHeader::address, nullptr},
    {"survey/operators", &SurveyHeader::operators, nullptr},
    {"survey/method", &SurveyHeader::method, nullptr},
    {"instrument/model", nullptr, &SurveyInstrument::model},
    {"instrument/head", nullptr, &SurveyInstrument::head},
    {"instrument/serialNumber", nullptr, &SurveyInstrument::serialNumber},
    {"instrument/certificateNumber", nullptr, &SurveyInstrument::certificateNumber},
    {"instrument/typeName", nullptr, &SurveyInstrument::typeName},
    {"instrument/registerNumber", nullptr, &SurveyInstrument::registerNumber},
    {"instrument/ranges", nullptr, &SurveyInstrument::ranges},
    {"laboratory/name", nullptr, nullptr, &SurveyLaboratory::name},
    {"laboratory/address", nullptr, nullptr, &SurveyLaboratory::address},
    {"laboratory/accreditation", nullptr, nullptr, &SurveyLaboratory::accreditation},
    {"laboratory/head", nullptr, nullptr, &SurveyLaboratory::head},
    {"laboratory/compiler", nullptr, nullptr, &SurveyLaboratory::compiler},
};
struct DateField {
    const char* key;
    QDate SurveyInstrument::*date;
};
const DateField kDateFields[] = {
    {"instrument/certificateDate", &SurveyInstrument::certificateDate},
    {"instrument/validUntil", &SurveyInstrument::validUntil},
};

struct LimitKey {
    const char* key;
    std::optional<double> InstrumentLimits::*limit;
};
const LimitKey kLimitKeys[] = {
    {"instrument/errorAir", &InstrumentLimits::air},
    {"instrument/errorRh", &InstrumentLimits::rh},
    {"instrument/errorGlobe", &InstrumentLimits::globe},
    {"instrument/errorAirSpeed", &InstrumentLimits::airSpeed},
    {"instrument/errorAirSpeedPercent", &InstrumentLimits::airSpeedPercent},
};

}  // namespace

InstrumentLimits KeptInstrumentLimits(const QSettings& settings) {
    InstrumentLimits limits;
    for (const LimitKey& k : kLimitKeys) {
        bool ok = false;
        const double v = settings.value(QString::fromLatin1(k.key)).toDouble(&ok);
        // A foreign or broken value is no limit rather than a made-up one.
        if (ok && v >= 0 && std::isfinite(v)) limits.*k.limit = v;
    }
    return limits;
}

void KeepInstrumentLimits(QSettings& settings, const InstrumentLimits& limits) {
    for (const LimitKey& k : kLimitKeys) {
        const std::optional<double>& v = limits.*k.limit;
        settings.setValue(QString::fromLatin1(k.key), v ? QVariant(*v) : QVariant(QString()));
    }
}

Survey KeptSurveyFields(const QSettings& settings) {
    Survey s;
    // What a field never kept starts as: empty, but for the method most surveys follow.
    s.header.method = QString::fromUtf8(kDefaultSurveyMethod);
    for (const TextField& f : kTextFields) {
        const QString unset = f.header == &SurveyHeader::method ? s.header.method : QString();
        const QString v = settings.value(QString::fromLatin1(f.key), unset).toString();
        if (f.header != nullptr) s.header.*f.header = v;
        if (f.instrument != nullptr) s.instrument.*f.instrument = v;
        if (f.laboratory != nullptr) s.laboratory.*f.laboratory = v;
    }
    for (const DateField& f : kDateFields) {
        s.instrument.*f.date =
            QDate::fromString(settings.value(QString::fromLatin1(f.key)).toString(), Qt::ISODate);
    }
    // The limits of error come with the verification; the assessment window reads them too.
    const InstrumentLimits limits = KeptInstrumentLimits(settings);
    s.instrument.errorAir = limits.air;
    s.instrument.errorRh = limits.rh;
    s.instrument.errorGlobe = limits.globe;
    s.instrument.errorAirSpeed = limits.airSpeed;
    s.instrument.errorAirSpeedPercent = limits.airSpeedPercent;
    return s;
}

void KeepSurveyFields(QSettings& settings, const Survey& survey) {
    for (const TextField& f : kTextFields) {
        settings.setValue(QString::fromLatin1(f.key),
                          f.header != nullptr       ? survey.header.*f.header
                          : f.instrument != nullptr ? survey.instrument.*f.instrument
                                                    : survey.laboratory.*f.laboratory);
    }
    for (const DateField& f : kDateFields) {
        settings.setValue(QString::fromLatin1(f.key),
                          (survey.instrument.*f.date).toString(Qt::ISODate));
    }
    KeepInstrumentLimits(settings, LimitsOf(survey.instrument));
}

QStringList RecentSurveys(const QSettings& settings) {
    return settings.value(QString::fromLatin1(kRecentKey)).toStringList();
}

void RememberSurvey(QSettings& settings, const QString& path) {
    const QString full = QFileInfo(path).absoluteFilePath();
    QStringList recent = RecentSurveys(settings);
    recent.removeAll(full);
    recent.prepend(full);
    while (recent.size() > kRecentCount) recent.removeLast();
    settings.setValue(QString::fromLatin1(kRecentKey), recent);
}

}  // namespace lmr
