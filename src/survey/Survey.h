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

// What the measurements answer: compliance with the sanitary norms (production control) or the
// class of working conditions (the special assessment).
enum class SurveyKind { ProductionControl, SpecialAssessment };

// The method a new survey's measurements follow.
inline constexpr const char* kDefaultSurveyMethod = "МУК 4.3.2756-10";

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
    SurveyKind kind = SurveyKind::ProductionControl;
    QString method;  // of measurement; a new survey starts with kDefaultSurveyMethod
};

// The laboratory that measures and issues the protocol.
struct SurveyLaboratory {
    QString name;
    QString address;
    QString accreditation;  // the accreditation certificate's number in the national register
    QString head;           // the head of the laboratory, as signed
    QString compiler;       // who draws up the protocol, as signed
};

struct SurveyInstrument {
    QString model;  // as identified, "ЛМР-1" style name
    QString head;
    QString serialNumber;
    QString certificateNumber;  // of the verification
    QDate certificateDate;
    QDate validUntil;
    QString typeName;        // as in the state register of measuring instruments
    QString registerNumber;  // its number there
    QString ranges;          // measuring ranges, as the type's description gives them
    // Limits of permissible error, ± in the channel's unit; none: not given.
    std::optional<double> errorAir;               // tв, °C
    std::optional<double> errorRh;                // RH, %
    std::optional<double> errorGlobe;             // tсф, °C
    std::optional<double> errorAirSpeed;          // anemometer, m/s: the absolute part
    std::optional<double> errorAirSpeedPercent;   // anemometer: the part in % of the reading
};

enum class Posture { Sitting, Standing };

// Readings attached to one height of a point: a live series or a span of the logger page (a
// download or an opened data file), in time order.
struct SurveyMeasurement {
    qint64 id = 0;
    ReadingOrigin origin = ReadingOrigin::Live;
    QString source;  // a data file's name; empty for a live series and a download
    std::vector<Reading> readings;
    // A live series not yet ended; still set in a file whose program was killed during it.
    bool recording = false;
};

// How much of the body the thermal irradiance at a height falls on; an open source (a flame, a
// melt) has a permissible value of its own.
enum class IrradiatedShare { AtLeastHalf, QuarterToHalf, AtMostQuarter, OpenSource };

struct SurveyHeight {
    qint64 id = 0;
    double metres = 0;
    std::optional<double> airSpeed;  // m/s, typed from a separate anemometer
    std::vector<SurveyMeasurement> measurements;
    IrradiatedShare irradiatedShare = IrradiatedShare::AtLeastHalf;
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
    SurveyLaboratory laboratory;
    SurveyInstrument instrument;
    std::vector<SurveyWorkplace> workplaces;
};

// The heights a point is measured at for a posture by the sanitary rules, metres: sitting 0.1
// and 1.0, standing 0.1 and 1.5.
[[nodiscard]] std::vector<double> StandardHeights(Posture posture);

}  // namespace lmr
