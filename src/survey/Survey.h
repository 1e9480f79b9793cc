#pragma once

#include <QDate>
#include <QString>
#include <QtGlobal>
#include <optional>
#include <vector>

#include "assess/NormTables.h"
#include "core/Reading.h"

namespace lmr {

// A survey of workplaces: what a technician measures in one organisation and hands in as one
// protocol. Plain data; the survey file stores it, the window edits it, the protocol reads it.
// Ids are the file's row ids (0: not stored yet).

struct SurveyHeader {
    QString organisation;
    QString address;
    QString customer;
    QString purpose;
    QString protocolNumber;
    QDate protocolDate;
    QDate firstDate;  // of the measurements
    QDate lastDate;
    QString operators;  // who measured, as signed
    Season season = Season::Cold;
    std::optional<double> outdoorTemperature;  // °C
};

struct SurveyInstrument {
    QString model;  // as identified, "ЛМР-1" style name
    QString head;
    QString serialNumber;
    QString certificateNumber;  // of the verification
    QDate certificateDate;
    QDate validUntil;
};

enum class Posture { Sitting, Standing };

// Readings attached to one height of a point: a live series or a span of the logger page (a
// download or an opened data file), in time order.
struct SurveyMeasurement {
    qint64 id = 0;
    ReadingOrigin origin = ReadingOrigin::Live;
    QString source;  // a data file's name; empty for a live series and a download
    std::vector<Reading> readings;
};

struct SurveyHeight {
    qint64 id = 0;
    double metres = 0;
    std::optional<double> airSpeed;  // m/s, typed from a separate anemometer
    std::vector<SurveyMeasurement> measurements;
};

struct SurveyPoint {
    qint64 id = 0;
    QString name;
    std::vector<SurveyHeight> heights;
};

struct SurveyWorkplace {
    qint64 id = 0;
    QString name;
    WorkCategory category = WorkCategory::Ia;
    Posture posture = Posture::Sitting;
    double shiftHours = 8;
    std::vector<SurveyPoint> points;
};

struct Survey {
    SurveyHeader header;
    SurveyInstrument instrument;
    std::vector<SurveyWorkplace> workplaces;
};

// The heights a point is measured at for a posture by the sanitary rules, metres: sitting 0.1
// and 1.0, standing 0.1 and 1.5.
[[nodiscard]] std::vector<double> StandardHeights(Posture posture);

}  // namespace lmr
