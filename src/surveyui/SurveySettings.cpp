#include "surveyui/SurveySettings.h"

#include <QFileInfo>

namespace lmr {

namespace {

constexpr int kRecentCount = 8;
constexpr const char* kRecentKey = "survey/recent";

struct TextField {
    const char* key;
    QString SurveyHeader::*header;
    QString SurveyInstrument::*instrument;
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
};
struct DateField {
    const char* key;
    QDate SurveyInstrument::*date;
};
const DateField kDateFields[] = {
    {"instrument/certificateDate", &SurveyInstrument::certificateDate},
    {"instrument/validUntil", &SurveyInstrument::validUntil},
};

}  // namespace

Survey KeptSurveyFields(const QSettings& settings) {
    Survey s;
    // What a field never kept starts as: empty, but for the method most surveys follow.
    s.header.method = QString::fromUtf8(kDefaultSurveyMethod);
    for (const TextField& f : kTextFields) {
        const QString unset = f.header == &SurveyHeader::method ? s.header.method : QString();
        const QString v = settings.value(QString::fromLatin1(f.key), unset).toString();
        if (f.header != nullptr) s.header.*f.header = v;
        if (f.instrument != nullptr) s.instrument.*f.instrument = v;
    }
    for (const DateField& f : kDateFields) {
        s.instrument.*f.date =
            QDate::fromString(settings.value(QString::fromLatin1(f.key)).toString(), Qt::ISODate);
    }
    return s;
}

void KeepSurveyFields(QSettings& settings, const Survey& survey) {
    for (const TextField& f : kTextFields) {
        settings.setValue(QString::fromLatin1(f.key), f.header != nullptr
                                                          ? survey.header.*f.header
                                                          : survey.instrument.*f.instrument);
    }
    for (const DateField& f : kDateFields) {
        settings.setValue(QString::fromLatin1(f.key),
                          (survey.instrument.*f.date).toString(Qt::ISODate));
    }
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
