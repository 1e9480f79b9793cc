#include "survey/SurveyRead.h"

#include <QSqlQuery>
#include <QStringList>
#include <QVariant>
#include <cmath>
#include <limits>
#include <unordered_map>

#include "measure/HeatStress.h"
#include "survey/SurveyConnection.h"
#include "survey/SurveyLimits.h"
#include "survey/SurveySchema.h"
#include "survey/SurveyTexts.h"
#include "survey/SurveyValues.h"

namespace lmr {

namespace {

// One query's rows, each value checked as it is taken: a value of another form marks the file.
class Rows {
public:
    Rows(QSqlDatabase& db, const QString& statement) : q_(db) {
        q_.setForwardOnly(true);
        if (!q_.exec(statement)) outcome_ = SqlFailure(q_.lastError());
    }
    [[nodiscard]] bool Next() { return outcome_ && q_.next(); }
    // Whether all went well; failed with why the rows stopped or a value did not read.
    [[nodiscard]] Outcome Result() const {
        if (!outcome_) return outcome_;
        if (q_.lastError().isValid()) return SqlFailure(q_.lastError());
        return Outcome::Ok();
    }
    // The first row, which a table of one row must have.
    [[nodiscard]] Outcome First() {
        if (Next()) return Outcome::Ok();
        if (Outcome result = Result(); !result) return result;
        return Outcome::Failed(QString::fromUtf8(kSurveyDamaged));
    }

    qint64 Id(int i) const { return q_.value(i).toLongLong(); }
    QString Text(int i, int limit = kSurveyTextLimit) {
        QString text = q_.value(i).toString();
        if (text.size() <= limit) return text;
        Damaged();
        return {};
    }
    // A number within [lowest, highest]: text, NULL, or a value beyond them marks the file.
    double Number(int i, double lowest, double highest) {
        const std::optional<double> v = OptionalNumber(i, lowest, highest);
        if (!v) Damaged();
        return v.value_or(0);
    }
    std::optional<double> OptionalNumber(int i, double lowest, double highest) {
        const QVariant value = q_.value(i);
        if (value.isNull()) return std::nullopt;
        const std::optional<double> v = NumberIn(value, lowest, highest);
        if (!v) Damaged();
        return v;
    }
    // A value the file may leave out: nullopt for NULL and also for one out of range (told by
    // *bad).
    std::optional<double> NumberOrNone(int i, double lowest, double highest, bool* bad) const {
        const QVariant value = q_.value(i);
        if (value.isNull()) return std::nullopt;
        const std::optional<double> v = NumberIn(value, lowest, highest);
        if (!v) *bad = true;
        return v;
    }
    bool Flag(int i) {
        const QVariant v = q_.value(i);
        if (v.typeId() == QMetaType::LongLong && (v.toLongLong() == 0 || v.toLongLong() == 1)) {
            return v.toLongLong() == 1;
        }
        Damaged();
        return false;
    }
    QDate Date(int i) { return Checked(DateOfValue(q_.value(i))); }
    QDateTime Time(int i) { return Checked(TimeOfValue(q_.value(i))); }
    template <typename E>
    E Code(int i, std::optional<E> (*of)(QStringView)) {
        return Checked(of(q_.value(i).toString()));
    }

private:
    void Damaged() { outcome_ = Outcome::Failed(QString::fromUtf8(kSurveyDamaged)); }

    // Only a stored number is one: a text that reads as 0, an infinity, NaN are no value.
    static std::optional<double> NumberIn(const QVariant& value, double lowest, double highest) {
        const int type = value.typeId();
        if (type != QMetaType::Double && type != QMetaType::LongLong && type != QMetaType::Int &&
            type != QMetaType::ULongLong && type != QMetaType::UInt) {
            return std::nullopt;
        }
        const double v = value.toDouble();
        if (!std::isfinite(v) || v < lowest || v > highest) return std::nullopt;
        return v;
    }

    template <typename T>
    T Checked(std::optional<T> value) {
        if (value) return *value;
        Damaged();
        return T{};
    }

    QSqlQuery q_;
    Outcome outcome_;
};

// A statement over columns of which those added by a later version than the file's are read
// as the value that version's step gives them: "kind@2='control'" is the column kind in a
// file of version 2 or later, else the text 'control'.
QString Select(int version, const char* columns, const char* rest) {
    QStringList out;
    for (const QString& column : QString::fromLatin1(columns).split(QLatin1Char(','))) {
        const QString c = column.trimmed();
        const int at = c.indexOf(QLatin1Char('@'));
        if (at < 0) {
            out << c;
            continue;
        }
        const int eq = c.indexOf(QLatin1Char('='), at);
        const int since = c.mid(at + 1, eq - at - 1).toInt();
        out << (version >= since ? c.left(at) : c.mid(eq + 1));
    }
    return QStringLiteral("SELECT ") + out.join(QStringLiteral(", ")) + QLatin1Char(' ') +
           QString::fromLatin1(rest);
}

Outcome ReadHeader(QSqlDatabase& db, int version, SurveyHeader* h) {
    Rows r(db, Select(version,
                      "organisation, address, customer, purpose, protocol_number, protocol_date, "
                      "first_date, last_date, operators, season, outdoor_temperature, "
                      "kind@2='control', method@2=''",
                      "FROM survey"));
    if (Outcome first = r.First(); !first) return first;
    h->organisation = r.Text(0);
    h->address = r.Text(1);
    h->customer = r.Text(2);
    h->purpose = r.Text(3, kSurveyPurposeLimit);
    h->protocolNumber = r.Text(4);
    h->protocolDate = r.Date(5);
    h->firstDate = r.Date(6);
    h->lastDate = r.Date(7);
    h->operators = r.Text(8);
    h->season = r.Code(9, SeasonOfCode);
    h->outdoorTemperature = r.OptionalNumber(10, -kSurveyOutdoorRange, kSurveyOutdoorRange);
    h->kind = r.Code(11, KindOfCode);
    h->method = r.Text(12);
    return r.Result();
}

Outcome ReadLaboratory(QSqlDatabase& db, int version, SurveyLaboratory* lab) {
    if (version < 2) return Outcome::Ok();
    Rows r(db, QStringLiteral("SELECT name, address, accreditation, head, compiler FROM laboratory"));
    if (Outcome first = r.First(); !first) return first;
    lab->name = r.Text(0);
    lab->address = r.Text(1);
    lab->accreditation = r.Text(2);
    lab->head = r.Text(3);
    lab->compiler = r.Text(4);
    return r.Result();
}

Outcome ReadInstrument(QSqlDatabase& db, int version, SurveyInstrument* in) {
    Rows r(db, Select(version,
                      "model, head, serial_number, certificate_number, certificate_date, "
                      "valid_until, type_name@2='', register_number@2='', ranges@2='', "
                      "error_air@2=NULL, error_rh@2=NULL, error_globe@2=NULL, "
                      "error_air_speed@2=NULL, error_air_speed_percent@2=NULL",
                      "FROM instrument"));
    if (Outcome first = r.First(); !first) return first;
    in->model = r.Text(0);
    in->head = r.Text(1);
    in->serialNumber = r.Text(2);
    in->certificateNumber = r.Text(3);
    in->certificateDate = r.Date(4);
    in->validUntil = r.Date(5);
    in->typeName = r.Text(6);
    in->registerNumber = r.Text(7);
    in->ranges = r.Text(8);
    in->errorAir = r.OptionalNumber(9, 0, kSurveyMaxTemperatureError);
    in->errorRh = r.OptionalNumber(10, 0, kSurveyMaxPercentError);
    in->errorGlobe = r.OptionalNumber(11, 0, kSurveyMaxTemperatureError);
    in->errorAirSpeed = r.OptionalNumber(12, 0, kSurveyMaxAirSpeed);
    in->errorAirSpeedPercent = r.OptionalNumber(13, 0, kSurveyMaxPercentError);
    return r.Result();
}

// Every row of a child table under its parent, in the order the parent keeps them: parents
// maps a parent's id to it. Children without a parent (left by another program that wrote
// with the cascades off) belong to nothing shown and are passed over.
template <typename Parent, typename Child, typename Fill>
Outcome ReadChildren(QSqlDatabase& db, const QString& statement,
                     const std::unordered_map<qint64, Parent*>& parents,
                     std::vector<Child> Parent::*children, Fill fill) {
    Rows r(db, statement);
    while (r.Next()) {
        const auto parent = parents.find(r.Id(1));
        if (parent == parents.end()) continue;
        Child child;
        child.id = r.Id(0);
        fill(r, &child);
        (parent->second->*children).push_back(std::move(child));
    }
    return r.Result();
}

// The quantities derived from a reading's channels as the file keeps them, exactly as they were
// computed when it was stored (deriving 200,000 of them again takes longer than the rest of
// the reading); derived again where the file lacks one.
HeatStress StoredDerived(const Rows& r, int at, float rh, float tv, float tsf, bool* bad) {
    const auto derived = [&](int i) {
        return r.NumberOrNone(at + i, -kSurveyDerivedRange, kSurveyDerivedRange, bad);
    };
    const std::optional<double> v[] = {derived(0), derived(2), derived(3),
                                       derived(4), derived(5), derived(6)};
    for (const auto& value : v) {
        if (!value) return DeriveHeatStress(rh, tv, tsf);
    }
    HeatStress h;
    h.tvt = float(*v[0]);
    h.ths = float(*v[1]);
    h.wbgt = float(*v[2]);
    h.tg = float(*v[3]);
    h.trad = float(*v[4]);
    h.w = float(*v[5]);
    // The dew point grows without bound where the formula's denominator nears 0: any finite one.
    const double kAnyFloat = double(std::numeric_limits<float>::max());
    if (const auto ttr = r.NumberOrNone(at + 1, -kAnyFloat, kAnyFloat, bad)) {
        h.ttr = float(*ttr);
    } else if (rh != 0) {
        return DeriveHeatStress(rh, tv, tsf);
    }
    return h;
}

Outcome ReadReadings(QSqlDatabase& db,
                     const std::unordered_map<qint64, SurveyMeasurement*>& measurements) {
    // In the order they came: by id, which a whole-table scan gives fastest.
    Rows r(db, QStringLiteral("SELECT measurement_id, time, rh, tv, tsf, origin, model, head, "
                              "tvt, ttr, ths, wbgt, tg, trad, w FROM reading ORDER BY id"));
    qint64 lastId = 0;
    SurveyMeasurement* last = nullptr;
    while (r.Next()) {
        if (const qint64 id = r.Id(0); id != lastId || !last) {
            const auto m = measurements.find(id);
            lastId = id;
            last = m == measurements.end() ? nullptr : m->second;
        }
        if (!last) continue;
        Reading reading;
        reading.when = r.Time(1);
        reading.rh = float(r.Number(2, kSurveyMinChannel, kSurveyMaxChannel));
        reading.tv = float(r.Number(3, kSurveyMinChannel, kSurveyMaxChannel));
        reading.tsf = float(r.Number(4, kSurveyMinChannel, kSurveyMaxChannel));
        reading.origin = r.Code(5, OriginOfCode);
        reading.model = std::uint8_t(r.Number(6, 0, 255));
        reading.head = std::uint8_t(r.Number(7, 0, 255));
        bool bad = false;
        reading.derived = StoredDerived(r, 8, reading.rh, reading.tv, reading.tsf, &bad);
        if (bad) return Outcome::Failed(QString::fromUtf8(kSurveyDamaged));
        last->readings.push_back(std::move(reading));
    }
    return r.Result();
}

template <typename T>
std::unordered_map<qint64, T*> ById(std::vector<T>& items) {
    std::unordered_map<qint64, T*> map;
    for (T& item : items) map.emplace(item.id, &item);
    return map;
}

}  // namespace

Valued<Survey> ReadSurvey(QSqlDatabase& db, int version) {
    Survey s;
    if (Outcome read = ReadHeader(db, version, &s.header); !read) return read;
    if (Outcome read = ReadLaboratory(db, version, &s.laboratory); !read) return read;
    if (Outcome read = ReadInstrument(db, version, &s.instrument); !read) return read;

    Rows w(db, QStringLiteral("SELECT id, name, category, posture, shift_hours FROM workplace "
                              "ORDER BY sort_order, id"));
    while (w.Next()) {
        SurveyWorkplace workplace;
        workplace.id = w.Id(0);
        workplace.name = w.Text(1);
        workplace.category = w.Code(2, CategoryOfCode);
        workplace.posture = w.Code(3, PostureOfCode);
        workplace.shiftHours = w.Number(4, kSurveyMinShiftHours, kSurveyMaxShiftHours);
        s.workplaces.push_back(std::move(workplace));
    }
    if (Outcome read = w.Result(); !read) return read;

    // Each level is complete before the next is read, so the pointers into it stay valid.
    const auto workplaces = ById(s.workplaces);
    Outcome read = ReadChildren(
        db, QStringLiteral("SELECT id, workplace_id, name FROM point ORDER BY sort_order, id"),
        workplaces,
        &SurveyWorkplace::points, [](Rows& r, SurveyPoint* p) { p->name = r.Text(2); });
    if (!read) return read;
    std::unordered_map<qint64, SurveyPoint*> points;
    for (SurveyWorkplace& wp : s.workplaces) points.merge(ById(wp.points));
    read = ReadChildren(db,
                        Select(version,
                               "id, point_id, metres, air_speed, irradiated_share@2='half'",
                               "FROM height ORDER BY sort_order, id"),
                        points, &SurveyPoint::heights, [](Rows& r, SurveyHeight* h) {
                            h->metres = r.Number(2, kSurveyMinHeight, kSurveyMaxHeight);
                            h->airSpeed = r.OptionalNumber(3, 0, kSurveyMaxAirSpeed);
                            h->irradiatedShare = r.Code(4, IrradiatedShareOfCode);
                        });
    if (!read) return read;
    std::unordered_map<qint64, SurveyHeight*> heights;
    for (SurveyWorkplace& wp : s.workplaces) {
        for (SurveyPoint& p : wp.points) heights.merge(ById(p.heights));
    }
    read = ReadChildren(db,
                        Select(version, "id, height_id, origin, source, recording@2=0",
                               "FROM measurement ORDER BY id"),
                        heights, &SurveyHeight::measurements, [](Rows& r, SurveyMeasurement* m) {
                            m->origin = r.Code(2, OriginOfCode);
                            m->source = r.Text(3);
                            m->recording = r.Flag(4);
                        });
    if (!read) return read;
    std::unordered_map<qint64, SurveyMeasurement*> measurements;
    for (SurveyWorkplace& wp : s.workplaces) {
        for (SurveyPoint& p : wp.points) {
            for (SurveyHeight& h : p.heights) measurements.merge(ById(h.measurements));
        }
    }
    if (read = ReadReadings(db, measurements); !read) return read;
    return s;
}

}  // namespace lmr
