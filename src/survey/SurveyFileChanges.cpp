// The changes of an open survey: each its own transaction, written at once.
#include <QSqlDatabase>
#include <QSqlError>
#include <QSqlQuery>
#include <QVariant>

#include "survey/SurveyFile.h"
#include "survey/SurveyFileImpl.h"
#include "survey/SurveySchema.h"
#include "survey/SurveyTexts.h"
#include "survey/SurveyValues.h"

namespace lmr {

Outcome SurveyFile::Impl::BindReading(qint64 measurementId, const Reading& r) {
    const HeatStress& h = r.derived;
    const auto number = [](float v) { return QVariant(StoredNumber(v)); };
    const QVariant values[] = {measurementId,
                               TimeValue(r.when),
                               number(r.rh),
                               number(r.tv),
                               number(r.tsf),
                               number(h.tvt),
                               h.ttr ? number(*h.ttr) : QVariant(),
                               number(h.ths),
                               number(h.wbgt),
                               number(h.tg),
                               number(h.trad),
                               number(h.w),
                               QString::fromLatin1(OriginCode(r.origin)),
                               int(r.model),
                               int(r.head)};
    for (int i = 0; i < int(std::size(values)); ++i) insertReading.bindValue(i, values[i]);
    if (insertReading.exec()) return Outcome::Ok();
    return WriteFailure(SqlReason(insertReading.lastError()));
}

Outcome SurveyFile::SetHeader(const SurveyHeader& header) {
    QSqlQuery q(impl_->Db());
    q.prepare(QStringLiteral(
        "UPDATE survey SET organisation = ?, address = ?, customer = ?, purpose = ?, "
        "protocol_number = ?, protocol_date = ?, first_date = ?, last_date = ?, operators = ?, "
        "season = ?, outdoor_temperature = ?, kind = ?, method = ? WHERE id = 1"));
    q.addBindValue(TextValue(header.organisation));
    q.addBindValue(TextValue(header.address));
    q.addBindValue(TextValue(header.customer));
    q.addBindValue(TextValue(header.purpose));
    q.addBindValue(TextValue(header.protocolNumber));
    q.addBindValue(DateValue(header.protocolDate));
    q.addBindValue(DateValue(header.firstDate));
    q.addBindValue(DateValue(header.lastDate));
    q.addBindValue(TextValue(header.operators));
    q.addBindValue(QString::fromLatin1(SeasonCode(header.season)));
    q.addBindValue(NumberValue(header.outdoorTemperature));
    q.addBindValue(QString::fromLatin1(KindCode(header.kind)));
    q.addBindValue(TextValue(header.method));
    return impl_->ChangeOneRow(q);
}

Outcome SurveyFile::SetLaboratory(const SurveyLaboratory& laboratory) {
    QSqlQuery q(impl_->Db());
    q.prepare(QStringLiteral("UPDATE laboratory SET name = ?, address = ?, accreditation = ?, "
                             "head = ?, compiler = ? WHERE id = 1"));
    for (const QString* text : {&laboratory.name, &laboratory.address, &laboratory.accreditation,
                                &laboratory.head, &laboratory.compiler}) {
        q.addBindValue(TextValue(*text));
    }
    return impl_->ChangeOneRow(q);
}

Outcome SurveyFile::SetInstrument(const SurveyInstrument& instrument) {
    QSqlQuery q(impl_->Db());
    q.prepare(QStringLiteral(
        "UPDATE instrument SET model = ?, head = ?, serial_number = ?, certificate_number = ?, "
        "certificate_date = ?, valid_until = ?, type_name = ?, register_number = ?, ranges = ?, "
        "error_air = ?, error_rh = ?, error_globe = ?, error_air_speed = ?, "
        "error_air_speed_percent = ? WHERE id = 1"));
    q.addBindValue(TextValue(instrument.model));
    q.addBindValue(TextValue(instrument.head));
    q.addBindValue(TextValue(instrument.serialNumber));
    q.addBindValue(TextValue(instrument.certificateNumber));
    q.addBindValue(DateValue(instrument.certificateDate));
    q.addBindValue(DateValue(instrument.validUntil));
    q.addBindValue(TextValue(instrument.typeName));
    q.addBindValue(TextValue(instrument.registerNumber));
    q.addBindValue(TextValue(instrument.ranges));
    for (const auto* limit : {&instrument.errorAir, &instrument.errorRh, &instrument.errorGlobe,
                              &instrument.errorAirSpeed, &instrument.errorAirSpeedPercent}) {
        q.addBindValue(NumberValue(*limit));
    }
    return impl_->ChangeOneRow(q);
}

Valued<qint64> SurveyFile::AddWorkplace(const SurveyWorkplace& workplace) {
    QSqlQuery q(impl_->Db());
    q.prepare(QStringLiteral(
        "INSERT INTO workplace (sort_order, name, category, posture, shift_hours) VALUES "
        "((SELECT coalesce(max(sort_order), 0) + 1 FROM workplace), ?, ?, ?, ?)"));
    q.addBindValue(TextValue(workplace.name));
    q.addBindValue(QString::fromLatin1(CategoryCode(workplace.category)));
    q.addBindValue(QString::fromLatin1(PostureCode(workplace.posture)));
    q.addBindValue(workplace.shiftHours);
    return impl_->Insert(q);
}

Outcome SurveyFile::UpdateWorkplace(const SurveyWorkplace& workplace) {
    QSqlQuery q(impl_->Db());
    q.prepare(QStringLiteral(
        "UPDATE workplace SET name = ?, category = ?, posture = ?, shift_hours = ? WHERE id = ?"));
    q.addBindValue(TextValue(workplace.name));
    q.addBindValue(QString::fromLatin1(CategoryCode(workplace.category)));
    q.addBindValue(QString::fromLatin1(PostureCode(workplace.posture)));
    q.addBindValue(workplace.shiftHours);
    q.addBindValue(workplace.id);
    return impl_->ChangeOneRow(q);
}

Valued<qint64> SurveyFile::AddPoint(qint64 workplaceId, const SurveyPoint& point) {
    QSqlQuery q(impl_->Db());
    q.prepare(QStringLiteral(
        "INSERT INTO point (workplace_id, sort_order, name) VALUES "
        "(?, (SELECT coalesce(max(sort_order), 0) + 1 FROM point WHERE workplace_id = ?), ?)"));
    q.addBindValue(workplaceId);
    q.addBindValue(workplaceId);
    q.addBindValue(TextValue(point.name));
    return impl_->Insert(q);
}

Outcome SurveyFile::UpdatePoint(const SurveyPoint& point) {
    QSqlQuery q(impl_->Db());
    q.prepare(QStringLiteral("UPDATE point SET name = ? WHERE id = ?"));
    q.addBindValue(TextValue(point.name));
    q.addBindValue(point.id);
    return impl_->ChangeOneRow(q);
}

Valued<qint64> SurveyFile::AddHeight(qint64 pointId, const SurveyHeight& height) {
    QSqlQuery q(impl_->Db());
    q.prepare(QStringLiteral(
        "INSERT INTO height (point_id, sort_order, metres, air_speed, irradiated_share) VALUES "
        "(?, (SELECT coalesce(max(sort_order), 0) + 1 FROM height WHERE point_id = ?), ?, ?, ?)"));
    q.addBindValue(pointId);
    q.addBindValue(pointId);
    q.addBindValue(height.metres);
    q.addBindValue(NumberValue(height.airSpeed));
    q.addBindValue(QString::fromLatin1(IrradiatedShareCode(height.irradiatedShare)));
    return impl_->Insert(q);
}

Outcome SurveyFile::UpdateHeight(const SurveyHeight& height) {
    QSqlQuery q(impl_->Db());
    q.prepare(QStringLiteral(
        "UPDATE height SET metres = ?, air_speed = ?, irradiated_share = ? WHERE id = ?"));
    q.addBindValue(height.metres);
    q.addBindValue(NumberValue(height.airSpeed));
    q.addBindValue(QString::fromLatin1(IrradiatedShareCode(height.irradiatedShare)));
    q.addBindValue(height.id);
    return impl_->ChangeOneRow(q);
}

namespace {

// Removes the row of id from table (and, through the file's cascades, all under it).
QSqlQuery RemoveQuery(QSqlDatabase& db, const char* table, qint64 id) {
    QSqlQuery q(db);
    q.prepare(QStringLiteral("DELETE FROM %1 WHERE id = ?").arg(QLatin1String(table)));
    q.addBindValue(id);
    return q;
}

}  // namespace

Outcome SurveyFile::RemoveWorkplace(qint64 workplaceId) {
    QSqlQuery q = RemoveQuery(impl_->Db(), "workplace", workplaceId);
    return impl_->ChangeOneRow(q);
}

Outcome SurveyFile::RemovePoint(qint64 pointId) {
    QSqlQuery q = RemoveQuery(impl_->Db(), "point", pointId);
    return impl_->ChangeOneRow(q);
}

Outcome SurveyFile::RemoveHeight(qint64 heightId) {
    QSqlQuery q = RemoveQuery(impl_->Db(), "height", heightId);
    return impl_->ChangeOneRow(q);
}

Outcome SurveyFile::RemoveMeasurement(qint64 measurementId) {
    QSqlQuery q = RemoveQuery(impl_->Db(), "measurement", measurementId);
    return impl_->ChangeOneRow(q);
}

Valued<qint64> SurveyFile::AddMeasurement(qint64 heightId,
                                                 const SurveyMeasurement& measurement) {
    QSqlDatabase& db = impl_->Db();
    // The measurement and its readings are stored together or not at all.
    if (!db.transaction()) return impl_->WriteFailure(SqlReason(db.lastError()));
    QSqlQuery q(db);
    q.prepare(QStringLiteral(
        "INSERT INTO measurement (height_id, origin, source, recording) VALUES (?, ?, ?, ?)"));
    q.addBindValue(heightId);
    q.addBindValue(QString::fromLatin1(OriginCode(measurement.origin)));
    q.addBindValue(TextValue(measurement.source));
    q.addBindValue(measurement.recording ? 1 : 0);
    Valued<qint64> id = impl_->Insert(q);
    for (auto r = measurement.readings.begin(); id && r != measurement.readings.end(); ++r) {
        if (Outcome stored = impl_->BindReading(*id, *r); !stored) id = std::move(stored);
    }
    if (id && db.commit()) return id;
    if (id) id = impl_->WriteFailure(SqlReason(db.lastError()));
    db.rollback();
    return id;
}

Outcome SurveyFile::SetRecording(qint64 measurementId, bool recording) {
    QSqlQuery q(impl_->Db());
    q.prepare(QStringLiteral("UPDATE measurement SET recording = ? WHERE id = ?"));
    q.addBindValue(recording ? 1 : 0);
    q.addBindValue(measurementId);
    return impl_->ChangeOneRow(q);
}

Outcome SurveyFile::MoveMeasurement(qint64 measurementId, qint64 heightId) {
    QSqlQuery q(impl_->Db());
    // A height that is not there fails on the foreign key, and nothing moves.
    q.prepare(QStringLiteral("UPDATE measurement SET height_id = ? WHERE id = ?"));
    q.addBindValue(heightId);
    q.addBindValue(measurementId);
    return impl_->ChangeOneRow(q);
}

Outcome SurveyFile::AppendReading(qint64 measurementId, const Reading& reading) {
    return impl_->BindReading(measurementId, reading);
}

}  // namespace lmr
